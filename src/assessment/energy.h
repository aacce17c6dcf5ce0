#pragma once

// Basal metabolism, physical activity factor and daily energy requirement.

#include "numbers.h"
#include "subject.h"

#include <optional>
#include <string>

namespace assessment {

// The reference equation of a sex and an age band: slope × weight + intercept.
struct MetabolismEquation
{
    double fromAge; // -infinity for the first band
    double toAge;   // the next band's start, or +infinity
    double slope;
    double intercept;
};

MetabolismEquation metabolismEquationOf(Sex sex, double ageYears);
double basalMetabolismKcal(Sex sex, double ageYears, double weightKg);

// The reference table's cell for a sex, an age band and an activity level.
struct ActivityCell
{
    double fromAge;
    double toAge; // +infinity for the last band
    double factor;
    bool sameForEveryLevel;
};

// No factor is defined below 10 years.
std::optional<ActivityCell> activityCellOf(Sex sex, double ageYears, ActivityLevel level);
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
