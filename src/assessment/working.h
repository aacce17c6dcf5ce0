#pragma once

// How each figure of a completed development was reached: the formula in
// words, the subject's own numbers put into it, the result as the window shows
// it, where the formula comes from, and what the figure does not say.

#include "developed.h"

#include <string>
#include <vector>

namespace assessment {

struct WorkingStep
{
    std::string figure;      // "Metabolismo basale"
    std::string result;      // as the window shows it: "1691 Kcal/giorno"
    std::string formula;     // in words
    std::string calculation; // "Maschi, 30-59 anni: 11,6 × 70 + 879 = 1691 Kcal/giorno"
    std::string source;
    std::vector<std::string> notes;
};

struct Working
{
    std::vector<WorkingStep> steps; // in the window's order
    std::vector<std::string> references;
};

// Only for a development that completed; numbers in the user's separators.
Working workingOf(const SubjectData &subject, const DevelopedData &data,
                  const Separators &separators);

} // namespace assessment
