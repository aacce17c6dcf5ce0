#include "developed.h"

namespace assessment {

DevelopedData develop(const SubjectData &input, const Separators &separators)
{
    SubjectData subject = input;
    subject.heightText = withDecimalPoint(subject.heightText);
    subject.weightText = withDecimalPoint(subject.weightText);
    const Sex sex = subject.sex.value_or(Sex::Maschile);

    DevelopedData data;
    data.circumferences = idealCircumferences(subject.heightMetres());
    data.weight = assessWeight(sex, subject.heightMetres(), subject.weightKg(), subject.weightText,
                               separators);
    data.energy = assessEnergy(sex, subject.ageYears(), subject.weightKg(),
                               subject.activityLevel.value_or(ActivityLevel::Leggera), separators);
    // The split starts from the requirement as written, as the window does.
    data.split = splitMacronutrients(readNumber(data.energy.dailyEnergyText), separators);
    return data;
}

} // namespace assessment
