#include "developed.h"

namespace assessment {
namespace {

constexpr double maximumHeightMetres = 2.3;

const Message incomplete{
    "Attenzione!", "Bisogna inserire tutti i valori richiesti e selezionare tutte le opzioni"};
const Message notNumeric{"Errore", "I valori inseriti nelle caselle di testo non sono validi: "
                                   "Ripetere l'operazione!"};
const Message implausibleHeight{"Attenzione",
                                "Il valore inserito nella casella relativa all'altezza non è "
                                "attendibile. Ripetere l'operazione!"};
const Message implausibleWeight{"Attenzione",
                                "Il valore inserito nella casella relativa al peso non è "
                                "attendibile. Ripetere l'operazione!"};
const Message implausibleAge{"Attenzione",
                             "Il valore inserito nella casella relativa all'età non è "
                             "attendibile. Ripetere l'operazione!"};

// Every box filled and every group chosen; a numeric height and age with a
// non-numeric weight also counts as incomplete.
bool isComplete(const SubjectData &subject)
{
    if (subject.weightText.empty() || subject.heightText.empty() || subject.ageText.empty())
        return false;
    if (!subject.sex || !subject.activityLevel || !subject.constitution)
        return false;
    return !(isNumeric(subject.ageText) && isNumeric(subject.heightText) &&
             !isNumeric(subject.weightText));
}

bool allNumeric(const SubjectData &subject)
{
    return isNumeric(subject.weightText) && isNumeric(subject.heightText) &&
           isNumeric(subject.ageText);
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
    if (!isComplete(input))
        return stopAt(data, Stop::Incomplete, incomplete);

    SubjectData subject = input;
    subject.heightText = withDecimalPoint(subject.heightText);
    subject.weightText = withDecimalPoint(subject.weightText);
    const bool heightPositive = isNumeric(input.heightText) && subject.heightMetres() > 0;
    const bool numeric = allNumeric(input);
    if (numeric && !heightPositive)
        return stopAt(data, Stop::HeightNotPositive, implausibleHeight);
    if (heightPositive)
        data.circumferences = idealCircumferences(subject.heightMetres());
    if (!numeric)
        return stopAt(data, Stop::NotNumeric, notNumeric);

    // Negations, so that a value that is not a number fails them too.
    if (!(subject.heightMetres() <= maximumHeightMetres))
        return stopAt(data, Stop::HeightTooTall, implausibleHeight);
    if (!(subject.weightKg() > 0))
        return stopAt(data, Stop::WeightNotPositive, implausibleWeight);
    if (!(subject.ageYears() >= 0))
        return stopAt(data, Stop::AgeNegative, implausibleAge);

    data.weight = assessWeight(*subject.sex, subject.heightMetres(), subject.weightKg(),
                               subject.weightText, separators);
    data.energy = assessEnergy(*subject.sex, subject.ageYears(), subject.weightKg(),
                               *subject.activityLevel, separators);
    // The split starts from the requirement as written.
    data.split = splitMacronutrients(readNumber(data.energy.dailyEnergyText), separators);
    return data;
}

} // namespace assessment
