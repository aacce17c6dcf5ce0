#pragma once

// The user's separators, handed from Qt's locale to the engine, and a figure
// written with them.

#include "assessment/numbers.h"

#include <QLocale>
#include <QString>

inline assessment::Separators separatorsOf(const QLocale &locale)
{
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

// "1.703,68": two decimals, the locale's decimal and grouping separators.
inline QString standardText(double value, const QLocale &locale)
{
    return QString::fromStdString(assessment::standardFormat(value, separatorsOf(locale)));
}
