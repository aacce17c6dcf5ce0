#include "shown_figures.h"

#include <cmath>

namespace assessment {

ShownFigures shownFigures(const DevelopedData &data)
{
    ShownFigures figures;
    figures.idealWeightKg = data.weight.idealWeightKg;
    figures.bodyMassIndex = roundedToCents(data.weight.bodyMassIndex);
    figures.weightClass = data.weight.weightClassText;
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

using Figure = double ShownFigures::*;

// In the order the window shows them.
const std::pair<const char *, Figure> numericFigures[] = {
    {"Fianchi ideali", &ShownFigures::hipsCm},
    {"Vita ideale", &ShownFigures::waistCm},
    {"Cosce ideali", &ShownFigures::thighsCm},
    {"Peso ideale", &ShownFigures::idealWeightKg},
    {"Indice di massa corporea", &ShownFigures::bodyMassIndex},
    {"Metabolismo basale", &ShownFigures::basalMetabolismKcal},
    {"Fabbisogno energetico giornaliero", &ShownFigures::dailyEnergyKcal},
    {"Protidi (Kcal)", &ShownFigures::proteinsKcal},
    {"Protidi (g/giorno)", &ShownFigures::proteinsGrams},
    {"Lipidi (Kcal)", &ShownFigures::fatsKcal},
    {"Lipidi (g/giorno)", &ShownFigures::fatsGrams},
    {"Glucidi (Kcal)", &ShownFigures::carbohydratesKcal},
    {"Glucidi (g/giorno)", &ShownFigures::carbohydratesGrams},
};

bool sameToTheCent(double a, double b)
{
    return std::fabs(a - b) < 0.005;
}

} // namespace

std::vector<FigureChange> changedFigures(const ShownFigures &before, const ShownFigures &now,
                                         const Separators &separators)
{
    const auto text = [&](std::optional<double> value) {
        return value ? localNumberText(*value, separators) : std::string();
    };
    std::vector<FigureChange> changes;
    for (const auto &[caption, figure] : numericFigures) {
        if (!sameToTheCent(before.*figure, now.*figure))
            changes.push_back({caption, text(before.*figure), text(now.*figure)});
        if (figure == &ShownFigures::bodyMassIndex && before.weightClass != now.weightClass)
            changes.push_back({"Classe di peso", before.weightClass, now.weightClass});
        if (figure == &ShownFigures::basalMetabolismKcal) {
            const auto &a = before.activityFactor, &b = now.activityFactor;
            if (a.has_value() != b.has_value() || (a && !sameToTheCent(*a, *b)))
                changes.push_back({"Livello di attività fisica", text(a), text(b)});
        }
    }
    return changes;
}

} // namespace assessment
