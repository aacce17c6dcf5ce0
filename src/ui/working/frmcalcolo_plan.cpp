#include "frmcalcolo_plan.h"

using namespace plan;

// clang-format off
QList<PlanRow> frmCalcoloPlan()
{
    return {
        // name, kind, container, {left, top, width, height}, caption
        {"txtCalcolo", Document, "", {120, 120, 8760, 8160}, ""},
        {"cmdStampa", Button, "", {120, 8400, 2160, 375}, "Stampa"},
        {"cmdPdf", Button, "", {2400, 8400, 2160, 375}, "Salva come PDF..."},
        {"cmdChiudi", Button, "", {6720, 8400, 2160, 375}, "Chiudi"},
    };
}
// clang-format on
