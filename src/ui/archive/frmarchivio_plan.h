#pragma once

// The archive window's controls, as data.

#include "ui/common/control_plan.h"

QList<PlanRow> frmArchivioPlan();
