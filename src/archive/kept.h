#pragma once

// What the archive keeps: subjects, and their assessments as developed.

#include "assessment/developed.h"
#include "assessment/shown_figures.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct KeptSubject
{
    qint64 id = 0;
    QString name;
    assessment::Sex sex = assessment::Sex::Maschile;
    QDateTime lastAssessed; // invalid with no assessment
    int assessments = 0;
    QDateTime firstAssessed; // invalid with no assessment
    QString lastWeightText;  // as typed at the last assessment
    qint64 version = 0;      // as read: a change on an older one is refused
};

struct KeptAssessment
{
    qint64 id = 0; // 0 until kept
    QDateTime takenAt;
    // The inputs as typed.
    QString heightText;
    QString weightText;
    QString ageText;
    assessment::Sex sex = assessment::Sex::Maschile;
    assessment::ActivityLevel activity = assessment::ActivityLevel::Leggera;
    assessment::Constitution build = assessment::Constitution::Normale;
    assessment::ShownFigures figures;
    QString programVersion;
    QString savedBy; // the role, or system user, that kept it; empty before the log

    // The inputs as the program reads them.
    double heightMetres() const;
    double weightKg() const;
    double ageYears() const;
};

// A completed development, as the archive keeps it.
KeptAssessment keptFrom(const assessment::SubjectData &subject,
                        const assessment::DevelopedData &data, const QDateTime &takenAt);

// A subject under 18 kept before the growth reference has an adult's class and
// ideal weight: they are read again from the kept inputs, never shown wrong.
void placeOnGrowthReference(KeptAssessment &kept);

// The subject's inputs again, with the given name, for a new development.
assessment::SubjectData subjectDataOf(const QString &name, const KeptAssessment &kept);

// Same name: blanks around and between words, and letter case, do not count.
bool sameName(const QString &a, const QString &b);
