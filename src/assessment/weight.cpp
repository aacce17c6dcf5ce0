#include "weight.h"

namespace assessment {
namespace {

constexpr ClassBounds maleBounds{20, 25, 30};
constexpr ClassBounds femaleBounds{19, 24, 30};

} // namespace

ClassBounds classBoundsOf(Sex sex)
{
    return sex == Sex::Maschile ? maleBounds : femaleBounds;
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
    WeightAssessment result;
    result.idealWeightKg = idealWeightKg(sex, heightMetres);
    result.bodyMassIndex = bodyMassIndex(weightKg, heightMetres);
    result.weightClass = weightClassOf(sex, result.bodyMassIndex);
    result.idealWeightText = signedNumberText(result.idealWeightKg) + " Kg";
    result.bodyMassIndexText = standardFormat(result.bodyMassIndex, separators);
    result.weightClassText = weightClassText(result.weightClass);
    result.realWeightText = realWeightText(weightText);
    return result;
}

} // namespace assessment
