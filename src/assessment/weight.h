#pragma once

// Ideal weight, body mass index and weight class.

#include "numbers.h"
#include "subject.h"

#include <string>
#include <string_view>

namespace assessment {

enum class WeightClass { Sottopeso, Normopeso, Sovrappeso, Obeso };

// The index where each class above Sottopeso begins; a bound belongs to the
// class above it.
struct ClassBounds
{
    double normopeso;
    double sovrappeso;
    double obeso;
};

ClassBounds classBoundsOf(Sex sex);

double idealWeightKg(Sex sex, double heightMetres);
double bodyMassIndex(double weightKg, double heightMetres);
WeightClass weightClassOf(Sex sex, double bodyMassIndex);
std::string weightClassText(WeightClass weightClass);

// The typed weight with its unit: "72.00 Kg" for 72, "72.5 Kg" for 72.5.
std::string realWeightText(std::string_view weightText);

struct WeightAssessment
{
    double idealWeightKg = 0;
    double bodyMassIndex = 0;
    WeightClass weightClass = WeightClass::Normopeso;
    std::string idealWeightText;   // " 65 Kg"
    std::string bodyMassIndexText; // "22,49"
    std::string weightClassText;   // "in Normopeso"
    std::string realWeightText;    // "65.00 Kg"
};

WeightAssessment assessWeight(Sex sex, double heightMetres, double weightKg,
                              std::string_view weightText, const Separators &separators);

} // namespace assessment
