#include "frmarchivio_plan.h"

using namespace plan;

// clang-format off
QList<PlanRow> frmArchivioPlan()
{
    return {
        // name, kind, container, {left, top, width, height}, caption, text colour, background, font, flags, length
        {"lblCerca", Label, "", {120, 165, 1560, 255}, "Cerca soggetto --->"},
        {"txtCerca", TextBox, "", {1680, 120, 2400, 285}, "", navy, none, plain, 0, 25},
        {"lstSoggetti", List, "", {120, 480, 3960, 4560}, ""},
        {"lblValutazioni", Label, "", {4200, 165, 5880, 255}, "Valutazioni del soggetto (la più recente in alto)"},
        {"tblValutazioni", Table, "", {4200, 480, 5880, 4560}, ""},
        {"cmdRinomina", Button, "", {120, 5160, 1920, 375}, "Rinomina soggetto..."},
        {"cmdEliminaSoggetto", Button, "", {2160, 5160, 1920, 375}, "Elimina soggetto"},
        {"cmdApri", Button, "", {4200, 5160, 2820, 375}, "Apri valutazione"},
        {"cmdElimina", Button, "", {7260, 5160, 2820, 375}, "Elimina valutazione"},
        {"cmdCopia", Button, "", {120, 5640, 1920, 375}, "Salva una copia..."},
        {"cmdRipristina", Button, "", {2160, 5640, 1920, 375}, "Ripristina da una copia..."},
        {"cmdStudio", Button, "", {4200, 5640, 2820, 375}, "Archivio dello studio..."},
        {"cmdPersonale", Button, "", {7260, 5640, 2820, 375}, "Archivio personale"},
        {"lblAndamento", Label, "", {10200, 165, 4680, 255}, "Andamento del soggetto"},
        {"picAndamento", Picture, "", {10200, 480, 4680, 4560}, ""},
        {"cmdStampaAndamento", Button, "", {10200, 5160, 1480, 375}, "Stampa andamento"},
        {"cmdRegistro", Button, "", {11800, 5160, 1480, 375}, "Registro accessi..."},
        {"cmdEsporta", Button, "", {13400, 5160, 1480, 375}, "Esporta CSV..."},
        {"cmdTrasferisci", Button, "", {10200, 5640, 3360, 375}, "Trasferisci nell'archivio dello studio..."},
        {"cmdChiudi", Button, "", {13680, 5640, 1200, 375}, "Chiudi"},
        {"lblStato", Label, "", {120, 6120, 14760, 420}, "", navy, none, plain, WordWrap},
        // Shown, beside a narrower status line, when the archive could not be read.
        {"cmdRiprova", Button, "", {13680, 6120, 1200, 375}, "&Riprova"},
    };
}
// clang-format on
