#pragma once

// Ideal weight, body mass index and weight class: an adult's by the program's
// bounds, a growing subject's by the growth reference.

#include "growth_reference.h"
#include "numbers.h"
#include "subject.h"

#include <optional>
#include <string>
#include <string_view>

namespace assessment {

// An adult's index where each class above Sottopeso begins; a bound belongs to
// the class above it.
struct ClassBounds
{
    double normopeso;
    double sovrappeso;
    double obeso;
};

ClassBounds classBoundsOf(Sex sex);
// The same for a sex and age: an adult's as above, a growing subject's the
// index on the consensus curves at the age; none below 2 years.
std::optional<ClassBounds> classBoundsAt(Sex sex, double ageYears);

double idealWeightKg(Sex sex, double heightMetres);
double bodyMassIndex(double weightKg, double heightMetres);
WeightClass weightClassOf(Sex sex, double bodyMassIndex);
std::string weightClassText(WeightClass weightClass);

// The typed weight with its unit: "72.00 Kg" for 72, "72.5 Kg" for 72.5.
std::string realWeightText(std::string_view weightText);

// Label20's text below 2 years, where no class is given.
extern const char *const noClassBelowTwoText;

struct WeightAssessment
{
    std::optional<double> idealWeightKg; // none below 2 years
    double bodyMassIndex = 0;
    std::optional<WeightClass> weightClass; // none below 2 years
    std::optional<GrowthPlacement> growth;  // from 2 to 17 years
    std::string idealWeightText;            // " 65 Kg"
    std::string bodyMassIndexText;          // "22,49"
    std::string weightClassText;            // "in Normopeso"
    std::string realWeightText;             // "65.00 Kg"
    std::string growthText;                 // "OMS 2007: z +1,22, 88,9° centile"; empty for adults
    std::string growthNote;                 // "a rischio di sovrappeso", or empty
};

// As for an adult.
WeightAssessment assessWeight(Sex sex, double heightMetres, double weightKg,
                              std::string_view weightText, const Separators &separators);
// By the age: a growing subject on the growth reference, an adult as above.
WeightAssessment assessWeight(Sex sex, double ageYears, double heightMetres, double weightKg,
                              std::string_view weightText, const Separators &separators);

// "OMS 2007", "OMS 2006".
const char *growthReferenceName(GrowthReference reference);
// "+1,22", "−0,12" as the window shows a z-score.
std::string zScoreText(double z, const Separators &separators);
// "45,0° centile", "> 99,9° centile".
std::string centileText(double centile, const Separators &separators);
// The line beside the class for an age: the reference, z and centile, or why
// there is none; empty for an adult. The risk of overweight is its note.
std::string growthLineText(double ageYears, const std::optional<GrowthPlacement> &growth,
                           const Separators &separators);

} // namespace assessment
