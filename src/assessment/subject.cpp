#include "subject.h"

#include "numbers.h"

namespace assessment {

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
