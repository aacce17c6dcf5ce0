#pragma once

// The information window's plan, from the background to the front.

#include "ui/common/control_plan.h"

QList<PlanRow> frmLoginPlan();
