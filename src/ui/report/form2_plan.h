#pragma once

// The report window's plan: one page of static captions and value labels.

#include "ui/common/control_plan.h"

QList<PlanRow> form2Plan();
