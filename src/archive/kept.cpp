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

void placeOnGrowthReference(KeptAssessment &kept)
{
    using namespace assessment;
    ShownFigures &figures = kept.figures;
    if (figures.bmiZ || !(kept.ageYears() < adultFromAge))
        return;
    // The same reading of the inputs as a development's; separators play no part.
    const WeightAssessment weight = assessWeight(kept.sex, kept.ageYears(), kept.heightMetres(),
                                                 kept.weightKg(), "", Separators());
    figures.idealWeightKg = weight.idealWeightKg;
    figures.weightClass = weight.weightClassText;
    if (weight.growth) {
        figures.bmiZ = weight.growth->z;
        figures.bmiCentile = weight.growth->centile;
    }
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
