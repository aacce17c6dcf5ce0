#pragma once

// A completed development's figures as the window shows them, as numbers that
// do not depend on the user's separators: what an archive keeps, and what a
// development of the same inputs on another day is compared with.

#include "developed.h"

#include <optional>
#include <string>
#include <vector>

namespace assessment {

struct ShownFigures
{
    std::optional<double> idealWeightKg; // none below 2 years
    double bodyMassIndex = 0;            // to cents, as shown
    std::string weightClass;             // "in Normopeso"
    // A growing subject's place on the growth reference, as shown; none for
    // an adult or below 2 years.
    std::optional<double> bmiZ;       // to cents
    std::optional<double> bmiCentile; // to tenths
    double basalMetabolismKcal = 0;
    std::optional<double> activityFactor; // none below 10 years
    double dailyEnergyKcal = 0;
    double proteinsKcal = 0, proteinsGrams = 0;
    double fatsKcal = 0, fatsGrams = 0;
    double carbohydratesKcal = 0, carbohydratesGrams = 0;
    double hipsCm = 0, waistCm = 0, thighsCm = 0;
};

// Only for a development that completed.
ShownFigures shownFigures(const DevelopedData &data);

// A figure that is not the same in two sets: its caption, and both values in
// the user's separators ("" for no activity factor).
struct FigureChange
{
    std::string caption; // "Peso ideale"
    std::string before;
    std::string now;
};

// Figures that read the same to the cent are the same.
std::vector<FigureChange> changedFigures(const ShownFigures &before, const ShownFigures &now,
                                         const Separators &separators);

} // namespace assessment
