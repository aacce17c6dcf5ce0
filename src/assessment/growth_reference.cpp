#include "growth_reference.h"

#include "numbers.h"

#include <cmath>

namespace assessment {
namespace {

constexpr GrowthBounds who2006Bounds{-2, 2, 3, 1};
constexpr GrowthBounds who2007Bounds{-2, 1, 2, std::nullopt};

double roundedTo(double value, double scale)
{
    return std::round(value * scale) / scale;
}

} // namespace

std::optional<GrowthReference> growthReferenceFor(double ageYears)
{
    if (!(ageYears >= growthReferenceFromAge) || ageYears >= adultFromAge)
        return std::nullopt;
    return ageYears < 5 ? GrowthReference::Who2006 : GrowthReference::Who2007;
}

int middleOfYearMonths(double ageYears)
{
    return int(std::floor(ageYears)) * 12 + 6;
}

int tableAgeOf(GrowthReference reference, int ageMonths)
{
    return reference == GrowthReference::Who2006 ? int(std::lround(ageMonths * daysPerMonth))
                                                 : ageMonths;
}

std::optional<Lms> lmsAt(GrowthReference reference, Sex sex, int age)
{
    using namespace growth_tables;
    const int row = sex == Sex::Maschile ? 0 : 1;
    if (reference == GrowthReference::Who2006) {
        if (age < who2006FirstDay || age > who2006LastDay)
            return std::nullopt;
        return who2006[row][age - who2006FirstDay];
    }
    if (age < who2007FirstMonth || age > who2007LastMonth)
        return std::nullopt;
    return who2007[row][age - who2007FirstMonth];
}

double valueAtZ(const Lms &lms, double z)
{
    return lms.m * std::pow(1 + lms.l * lms.s * z, 1 / lms.l);
}

double zScore(const Lms &lms, double value)
{
    const double z = (std::pow(value / lms.m, lms.l) - 1) / (lms.l * lms.s);
    // Beyond ±3 the curve's skew would stretch the tail: WHO measures it in
    // the width of the last standard deviation instead.
    if (z > 3) {
        const double sd3 = valueAtZ(lms, 3);
        return 3 + (value - sd3) / (sd3 - valueAtZ(lms, 2));
    }
    if (z < -3) {
        const double sd3 = valueAtZ(lms, -3);
        return -3 + (value - sd3) / (valueAtZ(lms, -2) - sd3);
    }
    return z;
}

double centileOf(double z)
{
    return 50 * std::erfc(-z / std::sqrt(2.0));
}

GrowthBounds growthBoundsOf(GrowthReference reference)
{
    return reference == GrowthReference::Who2006 ? who2006Bounds : who2007Bounds;
}

WeightClass growthClassOf(GrowthReference reference, double z)
{
    const GrowthBounds bounds = growthBoundsOf(reference);
    const double shown = roundedTo(z, 100);
    if (shown < bounds.sottopesoBelow)
        return WeightClass::Sottopeso;
    if (shown <= bounds.normopesoUpTo)
        return WeightClass::Normopeso;
    if (shown <= bounds.sovrappesoUpTo)
        return WeightClass::Sovrappeso;
    return WeightClass::Obeso;
}

std::optional<GrowthPlacement> placeOnGrowthReference(Sex sex, double ageYears, double heightMetres,
                                                      double bodyMassIndex)
{
    const std::optional<GrowthReference> reference = growthReferenceFor(ageYears);
    if (!reference)
        return std::nullopt;
    const int months = middleOfYearMonths(ageYears);
    const int tableAge = tableAgeOf(*reference, months);
    const std::optional<Lms> lms = lmsAt(*reference, sex, tableAge);
    if (!lms)
        return std::nullopt;
    GrowthPlacement placement{*reference, months, tableAge, *lms, 0, 0, {}, false, 0};
    const double z = zScore(*lms, bodyMassIndex);
    placement.z = roundedTo(z, 100);
    placement.centile = roundedTo(centileOf(z), 10);
    placement.weightClass = growthClassOf(*reference, z);
    const std::optional<double> risk = growthBoundsOf(*reference).riskAbove;
    placement.atRiskOfOverweight =
        risk && placement.weightClass == WeightClass::Normopeso && placement.z > *risk;
    placement.medianWeightKg = roundedToCents(lms->m * heightMetres * heightMetres);
    return placement;
}

} // namespace assessment
