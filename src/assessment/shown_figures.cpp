#include "shown_figures.h"

namespace assessment {

ShownFigures shownFigures(const DevelopedData &data)
{
    ShownFigures figures;
    figures.idealWeightKg = data.weight.idealWeightKg;
    figures.bodyMassIndex = roundedToCents(data.weight.bodyMassIndex);
    figures.weightClass = data.weight.weightClassText;
    if (data.weight.growth) {
        figures.bmiZ = data.weight.growth->z;
        figures.bmiCentile = data.weight.growth->centile;
    }
    figures.basalMetabolismKcal = data.energy.basalMetabolismKcal;
    figures.activityFactor = data.energy.activityFactor;
    figures.dailyEnergyKcal = data.energy.dailyEnergyKcal;
    figures.proteinsKcal = roundedToCents(data.split.protidi.kcal);
    figures.proteinsGrams = data.split.protidi.grams;
    figures.fatsKcal = roundedToCents(data.split.lipidi.kcal);
    figures.fatsGrams = data.split.lipidi.grams;
    figures.carbohydratesKcal = roundedToCents(data.split.glucidi.kcal);
    figures.carbohydratesGrams = data.split.glucidi.grams;
    if (data.circumferences) {
        figures.hipsCm = data.circumferences->hipsCm;
        figures.waistCm = data.circumferences->waistCm;
        figures.thighsCm = data.circumferences->thighsCm;
    }
    return figures;
}

namespace {

using FigureText = std::string (*)(const ShownFigures &, const Separators &);

// A figure as the user reads it, to the cent: two figures are the same when
// they read the same.
template <double ShownFigures::*figure>
std::string numberText(const ShownFigures &figures, const Separators &separators)
{
    return localNumberText(roundedToCents(figures.*figure), separators);
}

std::string weightClassText(const ShownFigures &figures, const Separators &)
{
    return figures.weightClass;
}

// Empty without a value.
template <std::optional<double> ShownFigures::*figure>
std::string optionalText(const ShownFigures &figures, const Separators &separators)
{
    const auto &value = figures.*figure;
    return value ? localNumberText(roundedToCents(*value), separators) : std::string();
}

// In the order the window shows them.
const std::pair<const char *, FigureText> figureTexts[] = {
    {"Fianchi ideali", numberText<&ShownFigures::hipsCm>},
    {"Vita ideale", numberText<&ShownFigures::waistCm>},
    {"Cosce ideali", numberText<&ShownFigures::thighsCm>},
    {"Peso ideale", optionalText<&ShownFigures::idealWeightKg>},
    {"Indice di massa corporea", numberText<&ShownFigures::bodyMassIndex>},
    {"Classe di peso", weightClassText},
    {"Punteggio z IMC", optionalText<&ShownFigures::bmiZ>},
    {"Centile IMC", optionalText<&ShownFigures::bmiCentile>},
    {"Metabolismo basale", numberText<&ShownFigures::basalMetabolismKcal>},
    {"Livello di attività fisica", optionalText<&ShownFigures::activityFactor>},
    {"Fabbisogno energetico giornaliero", numberText<&ShownFigures::dailyEnergyKcal>},
    {"Protidi (Kcal)", numberText<&ShownFigures::proteinsKcal>},
    {"Protidi (g/giorno)", numberText<&ShownFigures::proteinsGrams>},
    {"Lipidi (Kcal)", numberText<&ShownFigures::fatsKcal>},
    {"Lipidi (g/giorno)", numberText<&ShownFigures::fatsGrams>},
    {"Glucidi (Kcal)", numberText<&ShownFigures::carbohydratesKcal>},
    {"Glucidi (g/giorno)", numberText<&ShownFigures::carbohydratesGrams>},
};

} // namespace

std::vector<FigureChange> changedFigures(const ShownFigures &before, const ShownFigures &now,
                                         const Separators &separators)
{
    std::vector<FigureChange> changes;
    for (const auto &[caption, text] : figureTexts) {
        std::string then = text(before, separators), today = text(now, separators);
        if (then != today)
            changes.push_back({caption, std::move(then), std::move(today)});
    }
    return changes;
}

} // namespace assessment
