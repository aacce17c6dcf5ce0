#pragma once

// What a screen reader says for the main window's controls: the boxes and
// groups by the caption beside them, each result by what it is and its value.

#include "ui/common/control_plan.h"

void nameInputsForScreenReaders(const Controls &controls);

// "Fabbisogno energetico giornaliero, 2621.05 Kcal/giorno"; empty for a label
// that is no result.
QString spokenResult(const QString &labelName, const QString &caption);
