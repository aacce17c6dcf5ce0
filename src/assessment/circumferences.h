#pragma once

// Ideal hip, waist and thigh circumferences from the height alone.

#include <string>

namespace assessment {

struct IdealCircumferences
{
    double heightCm = 0;
    double hipsCm = 0;
    double waistCm = 0;
    double thighsCm = 0;
    std::string hipsText;   // " 91 cm"
    std::string waistText;  // " 70 cm"
    std::string thighsText; // " 56 cm"
};

IdealCircumferences idealCircumferences(double heightMetres);

} // namespace assessment
