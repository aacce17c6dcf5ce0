#pragma once

// Where a growing subject's body mass index stands on WHO's growth references:
// its z-score and centile for sex and age, the class the Italian paediatric
// consensus gives it, and the weight at the median index.

#include "growth_tables.h"
#include "subject.h"

#include <optional>

namespace assessment {

enum class WeightClass { Sottopeso, Normopeso, Sovrappeso, Obeso };

enum class GrowthReference {
    Who2006, // WHO Child Growth Standards, 2 to 4 years
    Who2007, // WHO Growth Reference, 5 to 17 years
};

// Below 2 a whole number of years cannot place an infant on a curve; from 18
// the adult classes apply.
constexpr double growthReferenceFromAge = 2;
constexpr double adultFromAge = 18;
constexpr double daysPerMonth = 365.25 / 12;

// The reference for an age in whole years, none outside 2 to 17.
std::optional<GrowthReference> growthReferenceFor(double ageYears);

// The age box holds whole years: the middle of the year typed.
int middleOfYearMonths(double ageYears);
// The table's age for an age in months: the day, rounded, for 2006.
int tableAgeOf(GrowthReference reference, int ageMonths);

// The table's row for an age (days for 2006, months for 2007); none outside it.
std::optional<Lms> lmsAt(GrowthReference reference, Sex sex, int age);

// WHO's z-score, restricted beyond ±3.
double zScore(const Lms &lms, double value);
// The value at a z-score on the unrestricted curve (the −2, +1, +2 lines).
double valueAtZ(const Lms &lms, double z);
// The standard normal distribution at z, in percent.
double centileOf(double z);

// The consensus bounds, in z: below −2 Sottopeso; up to normopesoUpTo
// Normopeso, above it Sovrappeso, above sovrappesoUpTo Obeso. From 2 to 4 a
// z above riskAbove, still Normopeso, is at risk of overweight.
struct GrowthBounds
{
    double sottopesoBelow;
    double normopesoUpTo;
    double sovrappesoUpTo;
    std::optional<double> riskAbove;
};

GrowthBounds growthBoundsOf(GrowthReference reference);
// On the z to two decimals, as it is shown.
WeightClass growthClassOf(GrowthReference reference, double z);

struct GrowthPlacement
{
    GrowthReference reference;
    int ageMonths; // the middle of the year typed
    int tableAge;  // the row read: days for 2006, months for 2007
    Lms lms;
    double z;       // to two decimals, as shown
    double centile; // to one decimal, as shown
    WeightClass weightClass;
    bool atRiskOfOverweight;
    double medianWeightKg; // M × height², to two decimals
};

// None below 2 years or from 18.
std::optional<GrowthPlacement> placeOnGrowthReference(Sex sex, double ageYears, double heightMetres,
                                                      double bodyMassIndex);

} // namespace assessment
