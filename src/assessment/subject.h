#pragma once

// The subject's inputs as typed, and their numeric views.

#include <optional>
#include <string>

namespace assessment {

enum class Sex { Maschile, Femminile };
enum class ActivityLevel { Leggera, Moderata, Pesante };
enum class Constitution { Magra, Normale, Grassa };

// The options as the main window names them: "Maschile", "Leggera", "Normale".
const char *captionOf(Sex sex);
const char *captionOf(ActivityLevel level);
const char *captionOf(Constitution build);

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

} // namespace assessment
