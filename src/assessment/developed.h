#pragma once

// The results of one development, and the whole computation for a subject
// whose inputs passed the checks.

#include "circumferences.h"
#include "energy.h"
#include "macronutrients.h"
#include "numbers.h"
#include "subject.h"
#include "weight.h"

#include <string>

namespace assessment {

struct DevelopedData
{
    IdealCircumferences circumferences;
    WeightAssessment weight;
    EnergyAssessment energy;
    MacronutrientSplit split;
    std::string developedDate;
    std::string developedTime;
};

// Sex and activity level must be chosen; decimal commas are read as points.
DevelopedData develop(const SubjectData &subject, const Separators &separators);

} // namespace assessment
