#include "frmregistro_plan.h"

using namespace plan;

// clang-format off
QList<PlanRow> frmRegistroPlan()
{
    return {
        // name, kind, container, {left, top, width, height}, caption
        {"lblSoggetto", Label, "", {120, 165, 8760, 255}, ""},
        {"tblRegistro", Table, "", {120, 480, 8760, 5520}, ""},
        {"cmdStampa", Button, "", {120, 6120, 2160, 375}, "Stampa"},
        {"cmdPdf", Button, "", {2400, 6120, 2160, 375}, "Salva come PDF..."},
        {"cmdChiudi", Button, "", {6720, 6120, 2160, 375}, "Chiudi"},
    };
}
// clang-format on
