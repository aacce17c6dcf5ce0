#pragma once

// Whether a subject is one of the namesakes already in an archive: asked,
// never decided for the user.

#include "archive/kept.h"

#include <QList>
#include <optional>

class QWidget;

// The subjects of subjects with the same name and sex, the last assessed first.
QList<KeptSubject> namesakesOf(const QList<KeptSubject> &subjects, const QString &name,
                               assessment::Sex sex);

// "valutato l'ultima volta il 09/12/26 10:30, ultimo peso 80,00 kg, 3 valutazioni dal 01/10/26"
QString subjectSummary(const KeptSubject &subject);

struct NamesakeQuestion
{
    QString title;
    QString lead;                                    // before the question, if anything
    QString where = QStringLiteral("Nell'archivio"); // where the namesakes are
};

// The namesake chosen as the same person, 0 for another person, none when
// the user cancels.
std::optional<qint64> askSamePerson(QWidget *over, const NamesakeQuestion &question,
                                    const QList<KeptSubject> &namesakes);
