#include "circumferences.h"

#include "numbers.h"

#include <cmath>

namespace assessment {

IdealCircumferences idealCircumferences(double heightMetres)
{
    IdealCircumferences result;
    // 1.14 * 100 is a hair below 114 in binary; whole centimetres are meant.
    result.heightCm = toSignificant15(heightMetres * 100);
    result.hipsCm = std::floor(result.heightCm / 2 + 6);
    result.waistCm = std::floor(result.heightCm / 2 - 15);
    result.thighsCm = std::floor(result.heightCm / 3);
    result.hipsText = signedNumberText(result.hipsCm) + " cm";
    result.waistText = signedNumberText(result.waistCm) + " cm";
    result.thighsText = signedNumberText(result.thighsCm) + " cm";
    return result;
}

} // namespace assessment
