#include "developed.h"

namespace assessment {
namespace {

constexpr double maximumHeightMetres = 2.3;

const Message incomplete{
    "Attenzione!", "Bisogna inserire tutti i valori richiesti e selezionare tutte le opzioni"};
const Message notNumeric{"Errore", "I valori inseriti nelle caselle di testo non sono validi: "
                                   "Ripetere l'operazione!"};

// "Il valore inserito nella casella relativa all'altezza non è attendibile. ..."
Message implausible(const std::string &box)
{
    return {"Attenzione", "Il valore inserito nella casella relativa " + box +
                              " non è attendibile. Ripetere l'operazione!"};
}

DevelopedData stopAt(DevelopedData data, Stop stop, const Message &message)
{
    data.stop = stop;
    data.message = message;
    return data;
}

} // namespace

DevelopedData develop(const SubjectData &input, const Separators &separators)
{
    DevelopedData data;
    // A numeric height and age with a weight that is not a number is incomplete too.
    if (input.weightText.empty() || input.heightText.empty() || input.ageText.empty() ||
        !input.sex || !input.activityLevel || !input.constitution ||
        (isNumeric(input.ageText) && isNumeric(input.heightText) && !isNumeric(input.weightText)))
        return stopAt(data, Stop::Incomplete, incomplete);

    SubjectData subject = input;
    subject.heightText = withDecimalPoint(subject.heightText);
    subject.weightText = withDecimalPoint(subject.weightText);
    const bool heightPositive = isNumeric(input.heightText) && subject.heightMetres() > 0;
    const bool allNumeric =
        isNumeric(input.heightText) && isNumeric(input.weightText) && isNumeric(input.ageText);
    if (allNumeric && !heightPositive)
        return stopAt(data, Stop::HeightNotPositive, implausible("all'altezza"));
    if (heightPositive)
        data.circumferences = idealCircumferences(subject.heightMetres());
    if (!allNumeric)
        return stopAt(data, Stop::NotNumeric, notNumeric);

    // Negations, so that a value that is not a number fails them too.
    if (!(subject.heightMetres() <= maximumHeightMetres))
        return stopAt(data, Stop::HeightTooTall, implausible("all'altezza"));
    if (!(subject.weightKg() > 0))
        return stopAt(data, Stop::WeightNotPositive, implausible("al peso"));
    if (!(subject.ageYears() >= 0))
        return stopAt(data, Stop::AgeNegative, implausible("all'età"));

    data.weight = assessWeight(*subject.sex, subject.ageYears(), subject.heightMetres(),
                               subject.weightKg(), subject.weightText, separators);
    data.energy = assessEnergy(*subject.sex, subject.ageYears(), subject.weightKg(),
                               *subject.activityLevel, separators);
    // The split starts from the requirement as written.
    data.split = splitMacronutrients(readNumber(data.energy.dailyEnergyText), separators);
    return data;
}

} // namespace assessment
