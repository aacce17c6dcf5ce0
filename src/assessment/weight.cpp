#include "weight.h"

#include <cmath>

namespace assessment {
namespace {

constexpr ClassBounds maleBounds{20, 25, 30};
constexpr ClassBounds femaleBounds{19, 24, 30};

// "45,0": one decimal, the user's separator.
std::string oneDecimal(double value, const Separators &separators)
{
    const long tenths = std::lround(std::abs(value) * 10);
    return std::string(value < 0 && tenths ? "-" : "") + std::to_string(tenths / 10) +
           separators.decimal + std::to_string(tenths % 10);
}

} // namespace

// Past the table's own precision a centile would read as 0 or 100.
std::string centileText(double centile, const Separators &separators)
{
    if (centile >= 99.95)
        return "> " + oneDecimal(99.9, separators) + "° centile";
    if (centile < 0.05)
        return "< " + oneDecimal(0.1, separators) + "° centile";
    return oneDecimal(centile, separators) + "° centile";
}

const char *const noClassBelowTwoText = "in età < 2 anni";

ClassBounds classBoundsOf(Sex sex)
{
    return sex == Sex::Maschile ? maleBounds : femaleBounds;
}

std::optional<ClassBounds> classBoundsAt(Sex sex, double ageYears)
{
    if (ageYears >= adultFromAge)
        return classBoundsOf(sex);
    const std::optional<GrowthReference> reference = growthReferenceFor(ageYears);
    if (!reference)
        return std::nullopt;
    const int months = middleOfYearMonths(ageYears);
    const std::optional<Lms> lms = lmsAt(*reference, sex, tableAgeOf(*reference, months));
    if (!lms)
        return std::nullopt;
    const GrowthBounds bounds = growthBoundsOf(*reference);
    return ClassBounds{valueAtZ(*lms, bounds.sottopesoBelow), valueAtZ(*lms, bounds.normopesoUpTo),
                       valueAtZ(*lms, bounds.sovrappesoUpTo)};
}

double idealWeightKg(Sex sex, double heightMetres)
{
    const double heightCm = heightMetres * 100;
    const double divisor = sex == Sex::Maschile ? 4 : 2;
    return (heightCm - 100) - (heightCm - 150) / divisor;
}

double bodyMassIndex(double weightKg, double heightMetres)
{
    return weightKg / (heightMetres * heightMetres);
}

WeightClass weightClassOf(Sex sex, double bodyMassIndex)
{
    const ClassBounds bounds = classBoundsOf(sex);
    if (bodyMassIndex < bounds.normopeso)
        return WeightClass::Sottopeso;
    if (bodyMassIndex < bounds.sovrappeso)
        return WeightClass::Normopeso;
    if (bodyMassIndex < bounds.obeso)
        return WeightClass::Sovrappeso;
    return WeightClass::Obeso;
}

std::string weightClassText(WeightClass weightClass)
{
    switch (weightClass) {
    case WeightClass::Sottopeso:
        return "in Sottopeso";
    case WeightClass::Normopeso:
        return "in Normopeso";
    case WeightClass::Sovrappeso:
        return "in Sovrappeso";
    case WeightClass::Obeso:
        return "Obeso";
    }
    return {};
}

std::string realWeightText(std::string_view weightText)
{
    std::string text(weightText);
    bool hasDecimalMark = false;
    for (const char c : weightText) {
        if (c == '.' || c == ',') {
            text += " Kg";
            hasDecimalMark = true;
        }
    }
    if (!hasDecimalMark)
        text += ".00 Kg";
    return text;
}

WeightAssessment assessWeight(Sex sex, double heightMetres, double weightKg,
                              std::string_view weightText, const Separators &separators)
{
    return assessWeight(sex, adultFromAge, heightMetres, weightKg, weightText, separators);
}

WeightAssessment assessWeight(Sex sex, double ageYears, double heightMetres, double weightKg,
                              std::string_view weightText, const Separators &separators)
{
    WeightAssessment result;
    result.bodyMassIndex = bodyMassIndex(weightKg, heightMetres);
    result.bodyMassIndexText = standardFormat(result.bodyMassIndex, separators);
    result.realWeightText = realWeightText(weightText);
    if (ageYears >= adultFromAge) {
        result.idealWeightKg = idealWeightKg(sex, heightMetres);
        result.weightClass = weightClassOf(sex, result.bodyMassIndex);
    } else {
        result.growth = placeOnGrowthReference(sex, ageYears, heightMetres, result.bodyMassIndex);
        if (result.growth) {
            result.idealWeightKg = result.growth->medianWeightKg;
            result.weightClass = result.growth->weightClass;
        }
    }
    result.idealWeightText =
        result.idealWeightKg ? signedNumberText(*result.idealWeightKg) + " Kg" : "non definito";
    result.weightClassText =
        result.weightClass ? weightClassText(*result.weightClass) : noClassBelowTwoText;
    result.growthText = growthLineText(ageYears, result.growth, separators);
    if (result.growth && result.growth->atRiskOfOverweight)
        result.growthNote = "a rischio di sovrappeso";
    return result;
}

const char *growthReferenceName(GrowthReference reference)
{
    return reference == GrowthReference::Who2006 ? "OMS 2006" : "OMS 2007";
}

std::string zScoreText(double z, const Separators &separators)
{
    const std::string text = standardFormat(z, separators);
    return roundedToCents(z) > 0 ? "+" + text : text;
}

std::string growthLineText(double ageYears, const std::optional<GrowthPlacement> &growth,
                           const Separators &separators)
{
    if (growth) {
        return std::string(growthReferenceName(growth->reference)) + ": z " +
               zScoreText(growth->z, separators) + ", " + centileText(growth->centile, separators);
    }
    return ageYears < growthReferenceFromAge ? "Sotto i 2 anni nessuna classe" : "";
}

} // namespace assessment
