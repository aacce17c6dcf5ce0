#pragma once

#include "ui/common/control_plan.h"

QList<PlanRow> frmRegistroPlan();
