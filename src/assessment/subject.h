#pragma once

// The subject's inputs as typed, and the checks a development runs on them.

#include <optional>
#include <string>

namespace assessment {

enum class Sex { Maschile, Femminile };
enum class ActivityLevel { Leggera, Moderata, Pesante };
enum class Constitution { Magra, Normale, Grassa };

struct SubjectData
{
    std::string name;
    std::string heightText;
    std::string weightText;
    std::string ageText;
    std::optional<Sex> sex;
    std::optional<ActivityLevel> activityLevel;
    std::optional<Constitution> constitution;

    double heightMetres() const;
    double weightKg() const;
    double ageYears() const;
};

// Every box filled and every group chosen; a numeric height and age with a
// non-numeric weight also counts as incomplete.
bool isComplete(const SubjectData &subject);

bool allNumeric(const SubjectData &subject);

// The first value a development refuses as implausible, in the order height,
// weight, age; read after the decimal commas have become points.
enum class ImplausibleValue { None, Height, Weight, Age };
ImplausibleValue firstImplausibleValue(const SubjectData &subject);

} // namespace assessment
