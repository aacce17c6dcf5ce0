#pragma once

// Basal metabolism, physical activity factor and daily energy requirement.

#include "numbers.h"
#include "subject.h"

#include <optional>
#include <string>

namespace assessment {

double basalMetabolismKcal(Sex sex, double ageYears, double weightKg);

// No factor is defined below 10 years.
std::optional<double> activityFactor(Sex sex, double ageYears, ActivityLevel level);

struct EnergyAssessment
{
    double basalMetabolismKcal = 0;
    std::optional<double> activityFactor;
    double dailyEnergyKcal = 0;      // rounded to two decimals
    std::string basalMetabolismText; // " 1691 Kcal/giorno"
    std::string activityFactorText;  // "1,55", empty without a factor
    std::string dailyEnergyText;     // " 2621.05 Kcal/giorno"
};

EnergyAssessment assessEnergy(Sex sex, double ageYears, double weightKg, ActivityLevel level,
                              const Separators &separators);

} // namespace assessment
