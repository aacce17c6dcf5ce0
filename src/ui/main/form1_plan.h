#pragma once

// The main window's plan: every control with its caption, place, colour and font.

#include "ui/common/control_plan.h"

QList<PlanRow> form1Plan();
