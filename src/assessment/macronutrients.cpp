#include "macronutrients.h"

#include <cmath>

namespace assessment {
namespace {

struct Nutrient
{
    NutrientShare MacronutrientSplit::*share;
    double percent;
    double kcalPerGram;
    const char *gramsSuffix;
    bool fixedPoint; // the carbohydrate kcal are held to four decimals
};

const Nutrient nutrients[] = {
    {&MacronutrientSplit::protidi, 10, 4, " g di Protidi/giorno", false},
    {&MacronutrientSplit::lipidi, 25, 9, " g di Lipidi/giorno", false},
    {&MacronutrientSplit::glucidi, 65, 4, " g di Glucidi/giorno", true},
};

// Halves to even, as the fixed-point conversion rounds.
std::int64_t toTenThousandths(double value)
{
    constexpr double limit = 9.2e18;
    const double scaled = std::nearbyint(value * 10000);
    if (!(std::fabs(scaled) < limit))
        return std::signbit(value) ? -static_cast<std::int64_t>(limit)
                                   : static_cast<std::int64_t>(limit);
    return static_cast<std::int64_t>(scaled);
}

} // namespace

MacronutrientSplit splitMacronutrients(double dailyEnergyKcal, const Separators &separators)
{
    MacronutrientSplit split;
    split.dailyEnergyText = localNumberText(dailyEnergyKcal, separators);
    for (const Nutrient &nutrient : nutrients) {
        NutrientShare &share = split.*nutrient.share;
        share.kcal = dailyEnergyKcal * (nutrient.percent / 100);
        if (nutrient.fixedPoint) {
            split.glucidiTenThousandths = toTenThousandths(share.kcal);
            share.kcal = static_cast<double>(split.glucidiTenThousandths) / 10000;
        }
        share.kcalText = standardFormat(share.kcal, separators);
        // The grams follow the figure on screen, so that the sum shown adds up.
        share.grams =
            roundedToCents(readStandardFormat(share.kcalText, separators) / nutrient.kcalPerGram);
        share.gramsText = signedNumberText(share.grams) + nutrient.gramsSuffix;
    }
    return split;
}

} // namespace assessment
