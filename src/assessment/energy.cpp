#include "energy.h"

#include <limits>
#include <tuple>
#include <utility>

namespace assessment {
namespace {

const std::string kcalPerDay = " Kcal/giorno";

struct LinearFormula
{
    double slope;
    double intercept;
};

// Bands start at their age and run to the next band's start.
struct MetabolismBand
{
    double fromAge;
    LinearFormula maschile;
    LinearFormula femminile;
};

constexpr double anyAge = -std::numeric_limits<double>::infinity();

// From the Italian reference tables (LARN).
// clang-format off
constexpr MetabolismBand metabolismBands[] = {
    {anyAge, {59.5, -31}, {58.3, -31}},
    {3, {22.7, 504}, {20.3, 485}},
    {10, {17.7, 650}, {13.4, 693}},
    {18, {15.3, 679}, {14.7, 496}},
    {30, {11.6, 879}, {8.7, 829}},
    {60, {11.9, 700}, {9.2, 688}},
    {75, {8.4, 819}, {9.8, 624}},
};
// clang-format on

// Factors by activity level: Leggera, Moderata, Pesante.
struct ActivityBand
{
    double fromAge;
    double maschile[3];
    double femminile[3];
};

constexpr ActivityBand activityBands[] = {
    {10, {1.65, 1.65, 1.65}, {1.55, 1.55, 1.55}},
    {14, {1.58, 1.58, 1.58}, {1.5, 1.5, 1.5}},
    {18, {1.55, 1.78, 2.1}, {1.56, 1.64, 1.82}},
    {60, {1.51, 1.51, 1.51}, {1.56, 1.56, 1.56}},
};

// The band an age falls in, and where the next one starts.
template <typename Band, std::size_t N>
std::pair<const Band *, double> bandFor(const Band (&bands)[N], double ageYears)
{
    for (std::size_t i = N; i-- > 0;) {
        if (ageYears >= bands[i].fromAge)
            return {&bands[i],
                    i + 1 < N ? bands[i + 1].fromAge : std::numeric_limits<double>::infinity()};
    }
    return {nullptr, bands[0].fromAge};
}

} // namespace

MetabolismEquation metabolismEquationOf(Sex sex, double ageYears)
{
    auto [band, toAge] = bandFor(metabolismBands, ageYears);
    if (!band) // an age that is not a number
        std::tie(band, toAge) = std::pair(&metabolismBands[0], metabolismBands[1].fromAge);
    const LinearFormula &formula = sex == Sex::Maschile ? band->maschile : band->femminile;
    return {band->fromAge, toAge, formula.slope, formula.intercept};
}

double basalMetabolismKcal(Sex sex, double ageYears, double weightKg)
{
    const MetabolismEquation equation = metabolismEquationOf(sex, ageYears);
    return equation.slope * weightKg + equation.intercept;
}

std::optional<ActivityCell> activityCellOf(Sex sex, double ageYears, ActivityLevel level)
{
    const auto [band, toAge] = bandFor(activityBands, ageYears);
    if (!band)
        return std::nullopt;
    const auto &factors = sex == Sex::Maschile ? band->maschile : band->femminile;
    return ActivityCell{band->fromAge, toAge, factors[static_cast<int>(level)],
                        factors[0] == factors[1] && factors[1] == factors[2]};
}

std::optional<double> activityFactor(Sex sex, double ageYears, ActivityLevel level)
{
    const std::optional<ActivityCell> cell = activityCellOf(sex, ageYears, level);
    return cell ? std::optional<double>(cell->factor) : std::nullopt;
}

EnergyAssessment assessEnergy(Sex sex, double ageYears, double weightKg, ActivityLevel level,
                              const Separators &separators)
{
    EnergyAssessment result;
    result.basalMetabolismKcal = basalMetabolismKcal(sex, ageYears, weightKg);
    result.activityFactor = activityFactor(sex, ageYears, level);
    result.dailyEnergyKcal =
        result.activityFactor ? roundedToCents(*result.activityFactor * result.basalMetabolismKcal)
                              : 0.0;
    result.basalMetabolismText = signedNumberText(result.basalMetabolismKcal) + kcalPerDay;
    result.activityFactorText =
        result.activityFactor ? localNumberText(*result.activityFactor, separators) : "";
    result.dailyEnergyText = signedNumberText(result.dailyEnergyKcal) + kcalPerDay;
    return result;
}

} // namespace assessment
