// libFuzzer target over the engine's development, the one the window runs:
// any text up to the boxes' lengths, any choice of options and separators.
// Nothing may crash, a stop always comes with its message, no figure may be
// infinite or not a number, and every caption must read back as its figure.

#include "assessment/developed.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace assessment;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void requireFigure(double value)
{
    require(std::isfinite(value));
}

const Separators separatorChoices[] = {
    {",", "."}, {".", ","}, {",", "\u202f"}, {".", "'"}, {",", ""},
};

// Cuts the input into the four boxes, each no longer than the box allows.
std::string nextBox(const std::uint8_t *&data, std::size_t &size, std::size_t limit)
{
    std::string text;
    while (size > 0 && *data != '\n' && text.size() < limit) {
        text += char(*data++);
        --size;
    }
    while (size > 0 && *data != '\n') {
        ++data;
        --size;
    }
    if (size > 0) {
        ++data;
        --size;
    }
    return text;
}

void requireSignedText(const std::string &text, double value)
{
    require(!text.empty());
    require(readNumber(text) == toSignificant15(value));
}

void requireStandardText(const std::string &text, double value, const Separators &separators)
{
    require(readStandardFormat(text, separators) == roundedToCents(value));
}

void checkCircumferences(const IdealCircumferences &c)
{
    for (double figure : {c.heightCm, c.hipsCm, c.waistCm, c.thighsCm})
        requireFigure(figure);
    requireSignedText(c.hipsText, c.hipsCm);
    requireSignedText(c.thighsText, c.thighsCm);
}

void checkResults(const DevelopedData &data, const Separators &separators)
{
    const WeightAssessment &w = data.weight;
    requireFigure(w.bodyMassIndex);
    if (w.idealWeightKg) {
        requireFigure(*w.idealWeightKg);
        requireSignedText(w.idealWeightText, *w.idealWeightKg);
    }
    if (w.growth) {
        requireFigure(w.growth->z);
        requireFigure(w.growth->centile);
    }
    requireStandardText(w.bodyMassIndexText, w.bodyMassIndex, separators);

    const EnergyAssessment &e = data.energy;
    requireFigure(e.basalMetabolismKcal);
    requireFigure(e.dailyEnergyKcal);
    requireSignedText(e.basalMetabolismText, e.basalMetabolismKcal);
    requireSignedText(e.dailyEnergyText, e.dailyEnergyKcal);
    require(readNumber(e.dailyEnergyText) == e.dailyEnergyKcal);

    for (const NutrientShare *share :
         {&data.split.protidi, &data.split.lipidi, &data.split.glucidi}) {
        requireFigure(share->kcal);
        requireFigure(share->grams);
        requireStandardText(share->kcalText, share->kcal, separators);
        requireSignedText(share->gramsText, share->grams);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t choices = *data++;
    --size;

    SubjectData subject;
    subject.heightText = nextBox(data, size, 4);
    subject.weightText = nextBox(data, size, 5);
    subject.ageText = nextBox(data, size, 2);
    subject.name = nextBox(data, size, 25);
    if (choices & 0x01)
        subject.sex = choices & 0x02 ? Sex::Femminile : Sex::Maschile;
    if (choices & 0x04)
        subject.activityLevel = ActivityLevel((choices >> 3) % 3);
    subject.constitution = Constitution::Normale;
    const Separators &separators = separatorChoices[(choices >> 5) % 5];

    // Whatever is typed, the conversions hold.
    for (const std::string *text : {&subject.heightText, &subject.weightText, &subject.ageText}) {
        if (isNumeric(*text))
            requireFigure(readNumber(withDecimalPoint(*text)));
    }

    const DevelopedData developed = develop(subject, separators);
    require(developed.message.text.empty() == (developed.stop == Stop::Completed));
    if (developed.circumferences)
        checkCircumferences(*developed.circumferences);
    if (developed.stop == Stop::Completed) {
        require(developed.circumferences.has_value());
        checkResults(developed, separators);
    }
    return 0;
}
