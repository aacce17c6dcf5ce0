#pragma once

// The two regional settings every figure is checked in.

#include "ui/common/regional.h"

#include <QLocale>

inline QLocale italianLocale()
{
    return QLocale(QLocale::Italian, QLocale::Italy);
}

inline QLocale englishLocale()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

inline assessment::Separators italian()
{
    return separatorsOf(italianLocale());
}

inline assessment::Separators english()
{
    return separatorsOf(englishLocale());
}
