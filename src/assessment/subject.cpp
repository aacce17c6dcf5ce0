#include "subject.h"

#include "numbers.h"

namespace assessment {
namespace {

const char *const sexCaptions[] = {"Maschile", "Femminile"};
const char *const levelCaptions[] = {"Leggera", "Moderata", "Pesante"};
const char *const buildCaptions[] = {"Magra", "Normale", "Grassa"};

} // namespace

const char *captionOf(Sex sex)
{
    return sexCaptions[static_cast<int>(sex)];
}

const char *captionOf(ActivityLevel level)
{
    return levelCaptions[static_cast<int>(level)];
}

const char *captionOf(Constitution build)
{
    return buildCaptions[static_cast<int>(build)];
}

double SubjectData::heightMetres() const
{
    return readNumber(heightText);
}

double SubjectData::weightKg() const
{
    return readNumber(weightText);
}

double SubjectData::ageYears() const
{
    return readNumber(ageText);
}

} // namespace assessment
