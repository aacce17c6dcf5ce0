#include "kept.h"

#include "version.h"

KeptAssessment keptFrom(const assessment::SubjectData &subject,
                        const assessment::DevelopedData &data, const QDateTime &takenAt)
{
    KeptAssessment kept;
    kept.takenAt = takenAt;
    kept.heightText = QString::fromStdString(subject.heightText);
    kept.weightText = QString::fromStdString(subject.weightText);
    kept.ageText = QString::fromStdString(subject.ageText);
    kept.sex = subject.sex.value_or(assessment::Sex::Maschile);
    kept.activity = subject.activityLevel.value_or(assessment::ActivityLevel::Leggera);
    kept.build = subject.constitution.value_or(assessment::Constitution::Normale);
    kept.figures = assessment::shownFigures(data);
    kept.programVersion = QStringLiteral(NUTRIVO_VERSION);
    return kept;
}

assessment::SubjectData subjectDataOf(const QString &name, const KeptAssessment &kept)
{
    return {name.toStdString(),
            kept.heightText.toStdString(),
            kept.weightText.toStdString(),
            kept.ageText.toStdString(),
            kept.sex,
            kept.activity,
            kept.build};
}

namespace {

double typedNumber(const QString &text)
{
    return assessment::readNumber(assessment::withDecimalPoint(text.toStdString()));
}

} // namespace

double KeptAssessment::heightMetres() const
{
    return typedNumber(heightText);
}

double KeptAssessment::weightKg() const
{
    return typedNumber(weightText);
}

double KeptAssessment::ageYears() const
{
    return typedNumber(ageText);
}

bool sameName(const QString &a, const QString &b)
{
    return a.simplified().compare(b.simplified(), Qt::CaseInsensitive) == 0;
}
