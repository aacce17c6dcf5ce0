#pragma once

// The daily energy split into proteins, fats and carbohydrates.

#include "numbers.h"

#include <cstdint>
#include <string>

namespace assessment {

struct NutrientShare
{
    double kcal = 0;
    std::string kcalText; // "262,11": standard number format
    double grams = 0;
    std::string gramsText; // " 65.53 g di Protidi/giorno"
};

struct MacronutrientSplit
{
    std::string dailyEnergyText; // "2621,05": local number text
    NutrientShare protidi;
    NutrientShare lipidi;
    NutrientShare glucidi;
    std::int64_t glucidiTenThousandths = 0; // the carbohydrate kcal, fixed point
};

MacronutrientSplit splitMacronutrients(double dailyEnergyKcal, const Separators &separators);

} // namespace assessment
