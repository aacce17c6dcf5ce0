#pragma once

// The user's separators, handed from Qt's locale to the engine.

#include "assessment/numbers.h"

#include <QLocale>

inline assessment::Separators separatorsOf(const QLocale &locale)
{
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}
