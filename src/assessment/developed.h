#pragma once

// One development of a subject's data, as the window shows it: where the
// checks stop it, with the message to show, and every result it reaches.

#include "circumferences.h"
#include "energy.h"
#include "macronutrients.h"
#include "numbers.h"
#include "subject.h"
#include "weight.h"

#include <optional>
#include <string>

namespace assessment {

// Where a development stops, in the order it reaches the checks.
enum class Stop {
    Incomplete,        // before anything is shown: the form goes blank
    HeightNotPositive, // before anything is shown: the height box is emptied
    NotNumeric,        // after the circumferences: the form goes blank
    HeightTooTall,     // after the result frames open: the refused box is emptied
    WeightNotPositive,
    AgeNegative,
    Completed, // no stop: every result is shown
};

struct Message
{
    std::string title;
    std::string text;
};

struct DevelopedData
{
    Stop stop = Stop::Completed;
    Message message; // shown where the development stops; empty when it completes
    // Shown as soon as the height reads as a number above 0.
    std::optional<IdealCircumferences> circumferences;
    // Filled only when the development completes.
    WeightAssessment weight;
    EnergyAssessment energy;
    MacronutrientSplit split;
};

// Decimal commas of the height and weight are read as points.
DevelopedData develop(const SubjectData &subject, const Separators &separators);

} // namespace assessment
