#include "form1_plan.h"

#include "ui/common/system_colours.h"

using namespace plan;

namespace {

const QColor blue{0, 0, 192};

const PlanFont forteSmall{"Forte", 6.75};
const PlanFont forte{"Forte", 8.25};
const PlanFont copperplate31ab{"Copperplate31ab", 8.25};
const PlanFont copperplateLight{"Copperplate Gothic Light", 9.75, 600};
const PlanFont copperplateBold{"Copperplate Gothic Bold", 9.75, 700};
const PlanFont gramFigure{"MS Sans Serif", 8.25, 700};

const QString fatsText = QStringLiteral(
    "LIPIDI: Sono gli acidi grassi (saturi che non devono superare il 10% dell'energia totale, "
    "gli acidi grassi essenziali, la quota max di Colesterolo (che per un adulto non devono "
    "superare i 300 mg al giorno)).");

const QString proteinsText = QStringLiteral(
    "PROTIDI: Sono le proteine che nel soggetto adulto si stabiliscono con il valore di circa "
    "1 gr di proteine per Kg di peso corporeo al giorno.");

const QString carbohydratesText =
    QStringLiteral("GLUCIDI: Sono gli zuccheri (semplici : circa il 10-12% delle calorie totali "
                   "giornal. e complessi per la quota restante.") +
    QString(59, ' ') + stars(60) + QString(3, ' ') + stars(60);

const QString invitationText = QStringLiteral(
    "Anche se fa bilancia ti dice che non sei affatto grassa/o, quando ti guardi allo specchio "
    "non ti piaci. Conosci quali dovrebbero essere le tue misure ideali e poi confrontale con le "
    "tue misure reali. ------ >>>");

const QString legalNotice = QStringLiteral(
    "© 2026 Nutrivo developers. Software libero sotto la GNU GPL, versione 3 o successiva, "
    "SENZA ALCUNA GARANZIA. Le cifre sono stime e non sostituiscono il parere di un medico o "
    "di un dietista.");

const QString creditLine = QStringLiteral("Nutrivo - Versione 1.0 del 2002");

} // namespace

// clang-format off
QList<PlanRow> form1Plan()
{
    using namespace SystemColour;
    return {
        // name, kind, container, {left, top, width, height}, caption, text colour, background, font, flags, length
        {"Frame1", Frame, "", {120, 120, 4840, 3285}, "Dati personali del soggetto ..."},
        {"Label1", Label, "Frame1", {120, 310, 1560, 255}, "Cognome e nome --->"},
        {"Text1", TextBox, "Frame1", {1680, 240, 2295, 285}, "", navy, scrollBar, plain, 0, 25},
        {"Label2", Label, "Frame1", {120, 615, 720, 255}, "Sesso --->"},
        {"Frame5", Frame, "Frame1", {840, 480, 2415, 375}, ""},
        {"Option1", Option, "Frame5", {120, 120, 1000, 255}, "Maschile"},
        {"Option2", Option, "Frame5", {1200, 120, 1100, 255}, "Femminile"},
        {"Label3", Label, "Frame1", {120, 955, 840, 255}, "Altezza --->"},
        {"Text3", TextBox, "Frame1", {960, 960, 495, 285}, "", navy, scrollBar, plain, 0, 4},
        {"Label8", Label, "Frame1", {1440, 1040, 600, 255}, " metri"},
        {"Label11", Label, "Frame1", {120, 1200, 4575, 135}, dashes(225)},
        {"Label13", Label, "Frame1", {120, 1320, 4575, 135}, dashes(102)},
        {"Label14", Label, "Frame1", {120, 1440, 4575, 135}, dashes(102)},
        {"Label4", Label, "Frame1", {120, 1680, 1080, 255}, "Peso reale --->"},
        {"Text2", TextBox, "Frame1", {1200, 1600, 495, 285}, "", navy, scrollBar, plain, 0, 5},
        {"Label7", Label, "Frame1", {1680, 1680, 480, 255}, " Kg"},
        {"Label30", Label, "Frame1", {2280, 1680, 600, 255}, "Età --->"},
        {"Text4", TextBox, "Frame1", {2880, 1640, 255, 285}, "", navy, activeBorder, plain, 0, 2},
        {"Label32", Label, "Frame1", {3150, 1680, 480, 255}, "anni"},
        {"Label5", Label, "Frame1", {120, 2040, 1200, 255}, "Attività fisica --->"},
        {"Frame3", Frame, "Frame1", {1320, 1920, 3255, 375}, ""},
        {"Option3", Option, "Frame3", {120, 120, 940, 255}, "Leggera"},
        {"Option4", Option, "Frame3", {1080, 120, 1040, 255}, "Moderata"},
        {"Option5", Option, "Frame3", {2160, 120, 1000, 255}, "Pesante"},
        {"Label6", Label, "Frame1", {120, 2400, 1800, 255}, "Costituzione corporea --->"},
        {"Frame4", Frame, "Frame1", {1920, 2280, 2895, 375}, ""},
        {"Option6", Option, "Frame4", {120, 120, 820, 195}, "Magra"},
        {"Option7", Option, "Frame4", {960, 120, 940, 255}, "Normale"},
        {"Option8", Option, "Frame4", {1920, 120, 900, 255}, "Grassa"},
        {"Label10", Label, "Frame1", {120, 2760, 2655, 280}, creditLine, navy, none, forteSmall},
        {"Command1", Button, "Frame1", {2880, 2760, 1695, 255}, "SVILUPPA ...", none, none, copperplateLight},
        {"Label9", Label, "Frame1", {120, 3080, 4575, 135}, stars(77)},
        {"Command5", Button, "Frame1", {3000, 3000, 1695, 255}, "NUOVO ...", none, none, copperplateBold},

        {"Frame2", Frame, "", {120, 3480, 2775, 3585}, "Dati sviluppati: ", navy, none, plain, Hidden},
        {"Label15", Label, "Frame2", {120, 240, 1095, 495}, "Peso teorico...", black},
        {"Label16", Label, "Frame2", {1440, 240, 1095, 255}, "", navy, inactiveBorder},
        {"Label17", Label, "Frame2", {120, 480, 1920, 255}, "Indice di massa corporea"},
        {"Label18", Label, "Frame2", {2040, 480, 615, 255}, "", navy},
        {"Label19", Label, "Frame2", {120, 720, 960, 255}, "Il soggetto è in "},
        {"Label20", Label, "Frame2", {1080, 720, 1335, 255}, "Label20", darkRed},
        {"Label21", Label, "Frame2", {120, 960, 2535, 135}, stars(43)},
        {"Label83", Label, "Frame2", {120, 960, 2535, 240}, "", darkRed, none, plain, Hidden},
        {"Label22", Label, "Frame2", {120, 1200, 960, 255}, "Peso reale:"},
        {"Label24", Label, "Frame2", {1080, 1200, 1095, 255}, "Label24", navy, none, plain, AlignRight},
        {"Label23", Label, "Frame2", {120, 1440, 1080, 375}, "Peso ideale:"},
        {"Label25", Label, "Frame2", {1200, 1440, 975, 255}, "Label25", red, none, plain, AlignRight},
        {"Label28", Label, "Frame2", {120, 1680, 2535, 135}, stars(42)},
        {"Label29", Label, "Frame2", {120, 1920, 2055, 255}, "MB (Metabolismo Basale) |"},
        {"Label31", Label, "Frame2", {120, 2160, 1935, 255}, "f", navy},
        {"Label26", Label, "Frame2", {120, 2400, 2040, 255}, "Livello di attività fisica (LAF)"},
        {"Label27", Label, "Frame2", {2160, 2400, 495, 255}, "Label27", navy},
        {"Label33", Label, "Frame2", {120, 2640, 2535, 255}, "Fabbisogno energetico giornaliero"},
        {"Label34", Label, "Frame2", {120, 2880, 2295, 255}, "Label34", navy},
        {"Label35", Label, "Frame2", {120, 3100, 2535, 135}, stars(42)},
        {"Label50", Label, "Frame2", {120, 3240, 720, 255}, "Peso del "},
        {"Label51", Label, "Frame2", {840, 3240, 975, 255}, "Label51", navy},
        {"Label52", Label, "Frame2", {1920, 3240, 240, 255}, "h. "},
        {"Label53", Label, "Frame2", {2160, 3240, 495, 255}, "Label53", navy},
        {"Label74", Label, "Frame2", {120, 3360, 2535, 135}, dashes(70)},

        {"Frame6", Frame, "", {5040, 2760, 4095, 1700}, "Formulazione di una Equilora ", none, none, plain, Hidden},
        {"Label42", Label, "Frame6", {120, 240, 615, 255}, "Protidi = ", red},
        {"Label43", Label, "Frame6", {840, 240, 615, 255}, "Label43"},
        {"Label44", Label, "Frame6", {1480, 240, 855, 375}, "x 10/100 = "},
        {"Label45", Label, "Frame6", {2400, 240, 615, 255}, "Label45", navy},
        {"Label46", Label, "Frame6", {3000, 240, 375, 255}, "Kcal", navy},
        {"Label47", Label, "Frame6", {120, 480, 615, 255}, "Label47"},
        {"Label48", Label, "Frame6", {720, 480, 375, 255}, ": 4 ="},
        {"Label49", Label, "Frame6", {1080, 480, 2655, 255}, "Label49", red, none, gramFigure},
        {"Label57", Label, "Frame6", {120, 720, 615, 255}, "Lipidi =", red, activeBorder},
        {"Label58", Label, "Frame6", {720, 720, 615, 255}, "Label58"},
        {"Label59", Label, "Frame6", {1320, 720, 855, 255}, " x 25/100 ="},
        {"Label60", Label, "Frame6", {2280, 720, 615, 255}, "Label60", navy},
        {"Label61", Label, "Frame6", {2880, 720, 495, 255}, "Kcal", navy},
        {"Label62", Label, "Frame6", {120, 960, 615, 255}, "Label62"},
        {"Label63", Label, "Frame6", {720, 960, 375, 255}, ": 9 ="},
        {"Label64", Label, "Frame6", {1080, 960, 2175, 255}, "Label64", red, none, gramFigure},
        {"Label65", Label, "Frame6", {120, 1200, 615, 255}, "Glucidi = ", red},
        {"Label66", Label, "Frame6", {840, 1200, 615, 255}, "Label66"},
        {"Label67", Label, "Frame6", {1440, 1200, 855, 255}, " x 65/100 ="},
        {"Label68", Label, "Frame6", {2400, 1200, 735, 255}, "Label68", navy},
        {"Label69", Label, "Frame6", {3120, 1200, 495, 255}, "Kcal", navy},
        {"Label70", Label, "Frame6", {120, 1440, 735, 255}, "Label70"},
        {"Label71", Label, "Frame6", {840, 1440, 315, 255}, ": 4 ="},
        {"Label72", Label, "Frame6", {1200, 1440, 2295, 225}, "Label72", red, none, gramFigure},

        {"Frame7", Frame, "", {6240, 4560, 2655, 1000}, "Circonferenze ", none, none, plain, Hidden},
        {"Label76", Label, "Frame7", {120, 240, 1680, 255}, "Fianchi ideali ...", darkRed},
        {"Label77", Label, "Frame7", {1800, 240, 735, 255}, "Label77", navy, none, plain, AlignRight},
        {"Label78", Label, "Frame7", {120, 480, 1680, 255}, "Vita ideale ...", darkRed},
        {"Label79", Label, "Frame7", {1800, 480, 735, 255}, "Label79", navy, none, plain, AlignRight},
        {"Label80", Label, "Frame7", {120, 720, 1680, 255}, "Cosce ideali ...", darkRed},
        {"Label81", Label, "Frame7", {1800, 720, 735, 255}, "Label81", navy, none, plain, AlignRight},

        {"Label37", Label, "", {5040, 240, 3615, 1575}, fatsText, none, none, plain, Hidden | WordWrap},
        {"Label38", Label, "", {5040, 1005, 3615, 135}, stars(63), blue, inactiveBorder, plain, Hidden},
        {"Label39", Label, "", {5040, 1200, 3735, 1815}, proteinsText, black, none, plain, Hidden | WordWrap},
        {"Label40", Label, "", {5040, 1800, 3615, 135}, stars(63), blue, none, plain, Hidden},
        {"Label41", Label, "", {5040, 1920, 3735, 975}, carbohydratesText, none, none, plain, Hidden | WordWrap},
        {"Label82", Label, "", {3000, 4560, 3165, 1035}, invitationText, navy, none, plain, Hidden | WordWrap | FitHeight},

        {"Picture1", Picture, "", {3000, 5880, 1455, 1160}, ""},
        {"Command2", Button, "Picture1", {0, 0, 1402, 375}, "Stampa sviluppo"},
        {"Command3", Button, "Picture1", {0, 360, 1402, 375}, "Informazioni"},
        {"Command4", Button, "Picture1", {0, 720, 1402, 375}, "Chiudi sessione"},

        {"Label75", Label, "", {4560, 5760, 4575, 975}, legalNotice, none, none, forte, WordWrap},
        {"cmdSalva", Button, "", {4560, 6780, 1740, 315}, "Salva nell'archivio"},
        {"cmdCalcolo", Button, "", {6360, 6780, 1620, 315}, "Come si calcola..."},
        {"cmdArchivio", Button, "", {8040, 6780, 1035, 315}, "Archivio..."},
        {"Label73", Label, "", {2880, 30, 4215, 135}, stars(68), red},
        {"Label54", Label, "", {3000, 3600, 1935, 135}, stars(86), white, none, copperplate31ab},
        {"Label55", Label, "", {3000, 3960, 1935, 135}, stars(26), darkRed, none, copperplate31ab},
        {"Label56", Label, "", {3000, 4320, 1935, 135}, stars(32), white, none, copperplate31ab},
    };
}
// clang-format on
