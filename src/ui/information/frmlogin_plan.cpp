#include "frmlogin_plan.h"

#include "ui/common/system_colours.h"

#include <QSysInfo>

using namespace plan;

namespace {

const QColor blue{0, 0, 255};
const QColor silver{192, 192, 192};
const QColor darkTeal{0, 64, 64};
const QColor grey{128, 128, 128};

const PlanFont letter{"Copperplate Gothic Bold", 26.25, 700};

// The system the program runs on, as it knows it: "Per sistemi Linux a 64 bit".
QString platformLine()
{
    static const QHash<QString, QString> systems = {
        {"linux", "Linux"}, {"winnt", "Windows"}, {"darwin", "macOS"}, {"freebsd", "FreeBSD"}};
    const QString kernel = QSysInfo::kernelType();
    return QStringLiteral("Per sistemi %1 a %2 bit")
        .arg(systems.value(kernel, kernel), QString::number(QSysInfo::WordSize));
}

} // namespace

// Each row lies in front of the rows above it. The caption-less labels are
// boxes of the window's own colour.
// clang-format off
QList<PlanRow> frmLoginPlan()
{
    const QColor window = SystemColour::buttonFace;
    return {
        // name, kind, container, {left, top, width, height}, caption, text colour, background, font, flags, length, line width
        {"imgCorner", Image, "", {0, 0, 180, 180}, ":/artwork/corner.png"},
        {"Label15", Label, "", {120, 0, 5055, 135}, "", none, window},
        {"Label16", Label, "", {0, 0, 135, 4815}, "", none, window},
        {"Label20", Label, "", {120, 3240, 5025, 105}, "", none, window},
        {"Label12", Label, "", {3960, 120, 1215, 975}, "", none, window},
        {"Label13", Label, "", {4560, 1080, 615, 255}, "", none, window},
        {"Label11", Label, "", {4320, 1920, 855, 375}, "", none, window},
        {"Label5", Label, "", {1410, 2460, 3615, 255}, "", none, window},
        {"Label7", Label, "", {1440, 2640, 3600, 90}, "", none, window},
        {"Label25", Label, "", {1320, 2133, 3015, 203}, "", none, window},

        {"Picture1", Image, "", {120, 120, 1095, 3135}, ":/artwork/information.png"},
        {"Label1", Label, "", {1320, 240, 2535, 255}, "Versione 1.10 del 2002"},
        {"Label2", Label, "", {1320, 480, 3255, 255}, platformLine()},
        {"Label14", Label, "", {1320, 720, 2775, 255}, stars(30)},
        {"Label27", Label, "", {1320, 840, 2775, 135}, stars(36)},
        {"Label28", Label, "", {1320, 960, 2775, 135}, stars(43)},
        {"Label3", Label, "", {1320, 1080, 3375, 255}, "© 2026 Nutrivo", SystemColour::highlight},
        {"Label10", Label, "", {1320, 1320, 3015, 615}, "Valuta peso e dieta con stime da tabelle di riferimento: non sostituisce il parere di un medico.", none, none, plain, WordWrap},
        {"Label4", Label, "", {1320, 1920, 2895, 255}, "Programma per uso personale", blue, silver},
        {"Label29", Label, "", {1320, 2205, 3615, 135}, stars(72), darkTeal},
        {"Label26", Label, "", {1440, 2522, 3495, 255}, "New software for new ideas ..."},
        {"Label6", Label, "", {1440, 2760, 3495, 255}, "Nutrivo, scritto in C++ con Qt"},
        {"Line1", Line, "", lineTwips(1320, 2400, 4200, 2400), "", black, none, plain, 0, 0, 2},
        {"Line2", Line, "", lineTwips(4200, 2400, 5040, 2400), "", black, none, plain, 0, 0, 2},
        {"Line3", Line, "", lineTwips(5040, 2400, 5040, 2760), "", black, none, plain, 0, 0, 2},
        {"Line4", Line, "", lineTwips(5040, 2760, 5040, 3120), "", black, none, plain, 0, 0, 2},
        {"Line5", Line, "", lineTwips(5040, 3120, 3000, 3120), "", black, none, plain, 0, 0, 2},
        {"Line6", Line, "", lineTwips(3000, 3120, 1320, 3120), "", black, none, plain, 0, 0, 2},
        {"Line7", Line, "", lineTwips(1320, 3120, 1320, 2400), "", black, none, plain, 0, 0, 2},
        {"Line9", Line, "", lineTwips(4200, 2400, 4560, 2400), "", black},
        {"Line10", Line, "", lineTwips(4560, 2400, 4920, 2400), "", black},
        {"Line11", Line, "", lineTwips(5040, 2400, 5040, 2760), "", black},
        {"Line12", Line, "", lineTwips(5040, 2760, 5040, 3120), "", black},
        {"Line8", Line, "", lineTwips(120, 3360, 5040, 3360), "", grey, none, plain, 0, 0, 2},
        {"Label8", Label, "", {120, 3480, 3735, 255}, "Il programma è fornito così com'è, senza garanzie."},
        {"Label9", Label, "", {120, 3675, 3615, 975}, "Non invia alcun dato.\nSalva nell'archivio, stampa o salva il riepilogo in PDF solo su richiesta.", none, none, plain, WordWrap},
        {"cmdOK", Button, "", {3720, 3480, 1305, 390}, "OK ®"},

        {"Label21", Label, "", {4080, 120, 450, 495}, "N", black, {255, 255, 192}, letter, Hidden},
        {"Label22", Label, "", {4200, 600, 450, 495}, "e", black, {255, 255, 128}, letter, Hidden},
        {"Label23", Label, "", {4320, 1080, 435, 495}, "w", black, {255, 255, 0}, letter, Hidden},
        {"Label24", Label, "", {4440, 1560, 450, 495}, "0", black, {192, 192, 0}, letter, Hidden},
    };
}
// clang-format on
