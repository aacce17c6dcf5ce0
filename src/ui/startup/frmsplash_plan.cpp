#include "frmsplash_plan.h"

using namespace plan;

namespace {

const QColor paleCyan{192, 255, 255};
const QColor cream{255, 255, 192};
const QColor blue{0, 0, 255};

const PlanFont title{"Rage Italic", 33.75, 700};
const PlanFont slogan{"Rage Italic", 12};
const PlanFont smallScript{"Rage Italic", 6.75};
const PlanFont capitals{"Copperplate Gothic Bold", 14.25, 700};
const PlanFont smallCapitals{"Copperplate Gothic Bold", 12, 700};
const PlanFont brush{"Forte", 8.25, 700};
const PlanFont tinyBrush{"Forte", 6};

} // namespace

// Each row lies in front of the rows above it.
// clang-format off
QList<PlanRow> frmSplashPlan()
{
    return {
        // name, kind, container, {left, top, width, height}, caption, text colour, background, font, flags
        {"Frame1", Picture, "", {0, 0, 7605, 4605}, ""},
        {"Image1", Image, "Frame1", {0, 0, 7605, 4575}, ":/artwork/splash-background.png", none, none, plain, Stretch},
        {"lblCompanyProduct", Label, "Frame1", {2280, 360, 5250, 840}, "Nutrivo", white, none, title, FitText},
        {"lblWarning", Label, "Frame1", {4200, 240, 3135, 255}, "Programma per uso personale", white, none, brush, AlignRight},
        {"lblProductName", Label, "Frame1", {3720, 960, 1845, 270}, "Versione 1.10", white, red, smallCapitals, FitText},
        {"lblVersion", Label, "Frame1", {4200, 2760, 3225, 315}, "Peso e dieta", white, none, capitals, FitText},
        {"lblCopyright", Label, "Frame1", {3840, 3480, 3735, 255}, "© 2026 Nutrivo", paleCyan, none, brush},
        {"imgLogo", Image, "Frame1", {120, 120, 2160, 3465}, ":/artwork/logo.png", none, none, plain, Stretch},
        {"Shape1", Shape, "Frame1", {120, 120, 2175, 3495}, ""},
        {"Label1", Label, "Frame1", {4800, 4200, 2775, 255}, QStringLiteral("The software of new millenium !"), paleCyan, none, slogan},
        {"Label2", Label, "Frame1", {120, 3720, 6495, 975}, "Le cifre sono stime da tabelle di riferimento e non sostituiscono il parere di un medico o di un dietista.", cream, none, smallScript, WordWrap},
        {"lblPlatform", Label, "Frame1", {4560, 2520, 2790, 315}, "Valutazione", white, none, capitals, AlignRight | FitText},
        {"Shape2", Shape, "Frame1", {3960, 1440, 3248, 975}, "", red},
        {"Label3", Label, "Frame1", {3960, 1440, 3255, 945}, "Nutrivo è fornito così com'è, senza garanzie. Non invia alcun dato e salva solo su richiesta.", paleCyan, none, tinyBrush, WordWrap | FitHeight},
        {"Shape3", Shape, "Frame1", {2640, 2400, 1200, 975}, "", blue, none, plain, Ellipse},
        {"Line1", Line, "Frame1", lineTwips(2400, 2280, 3120, 3000), "", blue},
        {"Line2", Line, "Frame1", lineTwips(2400, 2280, 3240, 2760), "", blue},
        {"Line3", Line, "Frame1", lineTwips(3960, 2280, 3240, 2760), "", blue},
        {"Line4", Line, "Frame1", lineTwips(3960, 2280, 3360, 3000), "", blue},
        {"Line5", Line, "Frame1", lineTwips(3240, 2880, 3120, 3120), "", cream},
        {"Line6", Line, "Frame1", lineTwips(3240, 2880, 3360, 3120), "", cream},
        {"Line7", Line, "Frame1", lineTwips(3120, 3120, 3360, 3120), "", cream},
    };
}
// clang-format on
