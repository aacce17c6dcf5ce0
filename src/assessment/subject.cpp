#include "subject.h"

#include "numbers.h"

namespace assessment {
namespace {

constexpr double maximumHeightMetres = 2.3;

} // namespace

double SubjectData::heightMetres() const
{
    return readNumber(heightText);
}

double SubjectData::weightKg() const
{
    return readNumber(weightText);
}

double SubjectData::ageYears() const
{
    return readNumber(ageText);
}

bool isComplete(const SubjectData &subject)
{
    if (subject.weightText.empty() || subject.heightText.empty() || subject.ageText.empty())
        return false;
    if (!subject.sex || !subject.activityLevel || !subject.constitution)
        return false;
    return !(isNumeric(subject.ageText) && isNumeric(subject.heightText) &&
             !isNumeric(subject.weightText));
}

bool allNumeric(const SubjectData &subject)
{
    return isNumeric(subject.weightText) && isNumeric(subject.heightText) &&
           isNumeric(subject.ageText);
}

ImplausibleValue firstImplausibleValue(const SubjectData &subject)
{
    // Written as negations so that a value that is not a number is refused too.
    const double height = subject.heightMetres();
    if (!(height > 0 && height <= maximumHeightMetres))
        return ImplausibleValue::Height;
    if (!(subject.weightKg() > 0))
        return ImplausibleValue::Weight;
    if (!(subject.ageYears() >= 0))
        return ImplausibleValue::Age;
    return ImplausibleValue::None;
}

} // namespace assessment
