#include "working.h"

#include <cmath>

namespace assessment {
namespace {

// The figure texts begin with a blank where the window aligns them.
std::string trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

const char *sexPlural(Sex sex)
{
    return sex == Sex::Maschile ? "Maschi" : "Femmine";
}

// "30-59 anni", "meno di 3 anni", "75 anni e oltre".
std::string ageBand(double fromAge, double toAge)
{
    const auto whole = [](double age) { return std::to_string(static_cast<int>(age)); };
    if (std::isinf(fromAge))
        return "meno di " + whole(toAge) + " anni";
    if (std::isinf(toAge))
        return whole(fromAge) + " anni e oltre";
    return whole(fromAge) + "-" + whole(toAge - 1) + " anni";
}

// The WHO's adult classes, the same for both sexes.
std::string whoClass(double index)
{
    return index < 18.5 ? "Sottopeso"
           : index < 25 ? "Normopeso"
           : index < 30 ? "Sovrappeso"
                        : "Obeso";
}

const char *const larn = "LARN - Livelli di Assunzione di Riferimento di Nutrienti ed energia per "
                         "la popolazione italiana, SINU (Società Italiana di Nutrizione Umana).";
const char *const faoWho = "FAO/OMS/ONU, Energy and protein requirements, Technical Report "
                           "Series 724, Ginevra 1985: le equazioni del metabolismo basale per "
                           "fascia d'età.";
const char *const whoClasses = "Organizzazione Mondiale della Sanità, Obesity: preventing and "
                               "managing the global epidemic, Technical Report Series 894, "
                               "Ginevra 2000: le classi dell'indice di massa corporea.";
const char *const who2006 = "OMS, WHO Child Growth Standards (2006): indice di massa corporea per "
                            "età da 0 a 5 anni; L, M e S dalle tabelle dell'OMS (pacchetto anthro, "
                            "GPL 3 o successiva).";
const char *const who2007 = "OMS, WHO Growth Reference 5-19 anni (2007): indice di massa corporea "
                            "per età; L, M e S dalle tabelle dell'OMS (pacchetto anthroplus, GPL 3 "
                            "o successiva).";
const char *const consensus = "SIEDP e SIP, consenso sull'obesità in età evolutiva (2018): curve "
                              "OMS 2006 da 2 a 5 anni e OMS 2007 da 5 a 18, limiti di classe in "
                              "punteggio z.";

const char *referenceSource(GrowthReference reference)
{
    return reference == GrowthReference::Who2006 ? who2006 : who2007;
}
const char *const lorentz = "Formula di Lorentz per il peso ideale.";
const char *const atwater = "Fattori di Atwater: 4 Kcal per grammo di protidi e di glucidi, 9 "
                            "Kcal per grammo di lipidi.";

class Writer
{
public:
    Writer(const SubjectData &subject, const DevelopedData &data, const Separators &separators)
        : m_subject(subject), m_data(data), m_separators(separators)
    {
    }

    Working working() const
    {
        Working working;
        working.steps = {idealWeight(),     bodyMassIndex(),  weightClass(),
                         basalMetabolism(), activityFactor(), dailyEnergy()};
        for (const Share &share : shares())
            working.steps.push_back(nutrient(share));
        working.steps.push_back(circumference("Fianchi ideali", m_data.circumferences->hipsText,
                                              "altezza in cm ÷ 2 + 6", " ÷ 2 + 6",
                                              [](double h) { return h / 2 + 6; }));
        working.steps.push_back(circumference("Vita ideale", m_data.circumferences->waistText,
                                              "altezza in cm ÷ 2 − 15", " ÷ 2 − 15",
                                              [](double h) { return h / 2 - 15; }));
        working.steps.push_back(circumference("Cosce ideali", m_data.circumferences->thighsText,
                                              "altezza in cm ÷ 3", " ÷ 3",
                                              [](double h) { return h / 3; }));
        working.references = {larn,    faoWho,    whoClasses, who2006,
                              who2007, consensus, lorentz,    atwater};
        return working;
    }

private:
    struct Share
    {
        const char *name;
        const NutrientShare &share;
        int percent;
        int kcalPerGram;
    };

    std::string number(double value) const { return localNumberText(value, m_separators); }
    std::string twoDecimals(double value) const { return standardFormat(value, m_separators); }
    double heightCm() const { return toSignificant15(height() * 100); }
    double height() const { return readNumber(withDecimalPoint(m_subject.heightText)); }
    double weight() const { return readNumber(withDecimalPoint(m_subject.weightText)); }
    double age() const { return m_subject.ageYears(); }
    std::string years() const { return number(age()) + (age() == 1 ? " anno" : " anni"); }
    Sex sex() const { return *m_subject.sex; }

    // "Femmine, 78 mesi (OMS 2007): L -0,7387, M 15,2641, S 0,0839"
    std::string growthRow(const GrowthPlacement &growth) const
    {
        const std::string age = growth.reference == GrowthReference::Who2006
                                    ? std::to_string(growth.tableAge) + " giorni"
                                    : std::to_string(growth.ageMonths) + " mesi";
        return std::string(sexPlural(sex())) + ", " + age + " (" +
               growthReferenceName(growth.reference) + "): L " + number(growth.lms.l) + ", M " +
               number(growth.lms.m) + ", S " + number(growth.lms.s);
    }

    std::string middleOfYearNote(const GrowthPlacement &growth) const
    {
        std::string note = "L'età è in anni interi: il programma usa la metà dell'anno, " +
                           number(std::floor(age())) +
                           " anni e 6 mesi = " + std::to_string(growth.ageMonths) + " mesi";
        if (growth.reference == GrowthReference::Who2006)
            note += " = " + std::to_string(growth.tableAge) + " giorni (la tabella è per giorno)";
        return note + ".";
    }

    const char *const belowTwoNote =
        "Sotto i 2 anni un'età in anni interi non colloca il bambino sulle curve di crescita, "
        "che in quei mesi cambiano in fretta: il programma non dà né classe né peso ideale. Il "
        "pediatra usa le curve OMS 2006 con l'età in mesi.";

    WorkingStep idealWeight() const
    {
        if (const auto &growth = m_data.weight.growth) {
            return {"Peso ideale",
                    trimmed(m_data.weight.idealWeightText),
                    "M × altezza in metri × altezza in metri, a due decimali: il peso a cui "
                    "l'indice sarebbe la mediana (M) della curva per sesso ed età",
                    growthRow(*growth) + "; " + number(growth->lms.m) + " × " + number(height()) +
                        " × " + number(height()) + " = " + number(*m_data.weight.idealWeightKg) +
                        " Kg",
                    referenceSource(growth->reference),
                    {"Per un soggetto in crescita la formula di Lorentz, pensata per l'adulto, "
                     "non vale.",
                     buildNote()}};
        }
        if (!m_data.weight.idealWeightKg)
            return {"Peso ideale",
                    m_data.weight.idealWeightText,
                    "nessuna sotto i 2 anni",
                    "nessun peso ideale a " + years(),
                    who2006,
                    {belowTwoNote}};
        const std::string divisor = sex() == Sex::Maschile ? "4" : "2";
        const std::string cm = number(heightCm());
        return {"Peso ideale",
                trimmed(m_data.weight.idealWeightText),
                "(altezza in cm − 100) − (altezza in cm − 150) ÷ " + divisor + " per " +
                    (sex() == Sex::Maschile ? "i maschi (÷ 2 per le femmine)"
                                            : "le femmine (÷ 4 per i maschi)"),
                "(" + cm + " − 100) − (" + cm + " − 150) ÷ " + divisor + " = " +
                    number(*m_data.weight.idealWeightKg) + " Kg",
                lorentz,
                {buildNote()}};
    }

    std::string buildNote() const
    {
        return std::string("La formula non tiene conto della costituzione corporea: con "
                           "costituzione ") +
               captionOf(*m_subject.constitution) +
               ", come con le altre, il peso ideale è lo stesso.";
    }

    WorkingStep bodyMassIndex() const
    {
        return {"Indice di massa corporea",
                m_data.weight.bodyMassIndexText,
                "peso in Kg ÷ (altezza in metri × altezza in metri), a due decimali",
                number(weight()) + " ÷ (" + number(height()) + " × " + number(height()) +
                    ") = " + m_data.weight.bodyMassIndexText,
                "Indice di Quetelet, adottato dall'Organizzazione Mondiale della Sanità.",
                {}};
    }

    WorkingStep growthClass(const GrowthPlacement &growth) const
    {
        const GrowthBounds bounds = growthBoundsOf(growth.reference);
        const auto z = [&](double value) { return zScoreText(value, m_separators); };
        std::string formula =
            "punteggio z = ((IMC ÷ M) elevato a L − 1) ÷ (L × S), con l'IMC non arrotondato; "
            "oltre ±3 misurato "
            "sull'ampiezza dell'ultima deviazione standard; centile = distribuzione normale "
            "in z. Limiti del consenso: sotto " +
            z(bounds.sottopesoBelow) + " Sottopeso, fino a " + z(bounds.normopesoUpTo) +
            " Normopeso, oltre " + z(bounds.normopesoUpTo) + " Sovrappeso, oltre " +
            z(bounds.sovrappesoUpTo) + " Obeso";
        if (bounds.riskAbove)
            formula += "; oltre " + z(*bounds.riskAbove) + " a rischio di sovrappeso";
        const Lms &lms = growth.lms;
        WorkingStep step{
            "Classe di peso",
            m_data.weight.weightClassText,
            formula,
            m_data.weight.bodyMassIndexText + " per " + growthRow(growth) + ": z = ((" +
                number(std::round(m_data.weight.bodyMassIndex * 1e4) / 1e4) + " ÷ " +
                number(lms.m) + ")^" + number(lms.l) + " − 1) ÷ (" + number(lms.l) + " × " +
                number(lms.s) + ") = " + z(growth.z) + ", " +
                centileText(growth.centile, m_separators) + ": " + m_data.weight.weightClassText,
            std::string(referenceSource(growth.reference)) + " " + consensus,
            {"Fino ai 17 anni la classe viene dalle curve di crescita dell'OMS per "
             "sesso ed età, non dai limiti dell'adulto.",
             middleOfYearNote(growth)}};
        if (growth.atRiskOfOverweight)
            step.notes.push_back("Tra i 2 e i 4 anni, oltre " + z(*bounds.riskAbove) +
                                 " e fino a " + z(bounds.normopesoUpTo) +
                                 ", il bambino è in Normopeso ma a rischio di sovrappeso.");
        if (std::abs(growth.z) > 3)
            step.notes.push_back("Oltre ±3 l'OMS misura la distanza con l'ampiezza dell'ultima "
                                 "deviazione standard, perché la coda della curva si allunga.");
        return step;
    }

    WorkingStep weightClass() const
    {
        if (m_data.weight.growth)
            return growthClass(*m_data.weight.growth);
        if (!m_data.weight.weightClass)
            return {"Classe di peso",
                    m_data.weight.weightClassText,
                    "nessuna classe sotto i 2 anni",
                    m_data.weight.bodyMassIndexText + " a " + years() + ": nessuna classe",
                    who2006,
                    {belowTwoNote}};
        const ClassBounds bounds = classBoundsOf(sex());
        const double index = m_data.weight.bodyMassIndex;
        const std::string lower = number(bounds.normopeso), middle = number(bounds.sovrappeso),
                          upper = number(bounds.obeso);
        const std::string &shown = m_data.weight.bodyMassIndexText;
        std::string where;
        switch (*m_data.weight.weightClass) {
        case WeightClass::Sottopeso:
            where = shown + " è sotto " + lower;
            break;
        case WeightClass::Normopeso:
            where = shown + " è tra " + lower + " e " + middle;
            break;
        case WeightClass::Sovrappeso:
            where = shown + " è tra " + middle + " e " + upper;
            break;
        case WeightClass::Obeso:
            where = shown + " è " + upper + " o più";
            break;
        }
        WorkingStep step{"Classe di peso",
                         m_data.weight.weightClassText,
                         std::string("limiti del programma per ") +
                             (sex() == Sex::Maschile ? "i maschi" : "le femmine") + ": sotto " +
                             lower + " Sottopeso, da " + lower + " Normopeso, da " + middle +
                             " Sovrappeso, da " + upper +
                             " Obeso. L'OMS usa per entrambi i sessi " + number(18.5) + ", 25 e 30",
                         where + ": " + m_data.weight.weightClassText +
                             "; con i limiti dell'OMS: " + whoClass(index),
                         whoClasses,
                         {}};
        return step;
    }

    WorkingStep basalMetabolism() const
    {
        const MetabolismEquation equation = metabolismEquationOf(sex(), age());
        const std::string intercept = equation.intercept < 0 ? " − " + number(-equation.intercept)
                                                             : " + " + number(equation.intercept);
        return {"Metabolismo basale",
                trimmed(m_data.energy.basalMetabolismText),
                "pendenza × peso in Kg + intercetta, dall'equazione per sesso e fascia d'età",
                std::string(sexPlural(sex())) + ", " + ageBand(equation.fromAge, equation.toAge) +
                    ": " + number(equation.slope) + " × " + number(weight()) + intercept + " = " +
                    number(m_data.energy.basalMetabolismKcal) + " Kcal/giorno",
                std::string(larn) + " " + faoWho,
                {}};
    }

    WorkingStep activityFactor() const
    {
        const std::optional<ActivityCell> cell =
            activityCellOf(sex(), age(), *m_subject.activityLevel);
        WorkingStep step{"Livello di attività fisica (LAF)",
                         m_data.energy.activityFactorText,
                         "dalla tabella dei livelli di attività fisica, per sesso, fascia d'età "
                         "e attività",
                         "",
                         larn,
                         {}};
        if (!cell) {
            step.calculation = "nessun valore nella tabella per " + number(age()) + " anni";
            step.notes.push_back(
                "Sotto i 10 anni la tabella non definisce un livello di attività fisica: il "
                "programma non mostra il fattore, e il fabbisogno e la sua ripartizione "
                "risultano 0.");
            return step;
        }
        step.calculation = std::string(sexPlural(sex())) + ", " +
                           ageBand(cell->fromAge, cell->toAge) + ", attività " +
                           captionOf(*m_subject.activityLevel) + ": " + number(cell->factor);
        if (cell->sameForEveryLevel)
            step.notes.push_back(
                "In questa fascia d'età la tabella dà lo stesso fattore per ogni attività.");
        return step;
    }

    WorkingStep dailyEnergy() const
    {
        const EnergyAssessment &energy = m_data.energy;
        return {"Fabbisogno energetico giornaliero",
                trimmed(energy.dailyEnergyText),
                "LAF × metabolismo basale, arrotondato ai centesimi",
                energy.activityFactor
                    ? number(*energy.activityFactor) + " × " + number(energy.basalMetabolismKcal) +
                          " = " + number(energy.dailyEnergyKcal) + " Kcal/giorno"
                    : "senza LAF: 0 Kcal/giorno",
                larn,
                {}};
    }

    std::vector<Share> shares() const
    {
        return {{"Protidi", m_data.split.protidi, 10, 4},
                {"Lipidi", m_data.split.lipidi, 25, 9},
                {"Glucidi", m_data.split.glucidi, 65, 4}};
    }

    WorkingStep nutrient(const Share &share) const
    {
        const std::string percent = std::to_string(share.percent);
        const std::string perGram = std::to_string(share.kcalPerGram);
        return {share.name,
                share.share.kcalText + " Kcal, " + trimmed(share.share.gramsText),
                percent + "% del fabbisogno; grammi = Kcal ÷ " + perGram + " Kcal per grammo",
                m_data.split.dailyEnergyText + " × " + percent + "/100 = " + share.share.kcalText +
                    " Kcal; " + share.share.kcalText + " ÷ " + perGram + " = " +
                    twoDecimals(share.share.grams) + " g",
                atwater,
                {"Le quote del 10, 25 e 65% sono quelle del programma; i LARN indicano per "
                 "l'adulto lipidi tra il 20 e il 35% e glucidi tra il 45 e il 60% "
                 "dell'energia."}};
    }

    template <typename Rule>
    WorkingStep circumference(const char *figure, const std::string &shown, const char *words,
                              const char *operation, Rule rule) const
    {
        const double exact = rule(heightCm());
        return {figure,
                trimmed(shown),
                std::string(words) + ", arrotondato al centimetro per difetto",
                number(heightCm()) + operation + " = " + number(roundedToCents(exact)) + " → " +
                    trimmed(shown),
                "Regola pratica del programma, senza una tabella di riferimento.",
                {}};
    }

    const SubjectData &m_subject;
    const DevelopedData &m_data;
    const Separators &m_separators;
};

} // namespace

Working workingOf(const SubjectData &subject, const DevelopedData &data,
                  const Separators &separators)
{
    return Writer(subject, data, separators).working();
}

} // namespace assessment
