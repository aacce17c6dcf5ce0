#include "form2_plan.h"

using namespace plan;

namespace {

const PlanFont bold{"MS Sans Serif", 8.25, 700};

QString topBorder()
{
    QString border = dashes(94);
    while (border.size() < 167)
        border += border.size() % 2 ? '-' : ' ';
    return border;
}

QString sideBorder()
{
    return QString("|   ").repeated(37);
}

const QString credit = QStringLiteral("Nutrivo\n"
                                      "Valutazione personale del peso e della dieta\n"
                                      "Versione 1.0");

} // namespace

// Value labels are dark blue and right-aligned unless the row says otherwise.
// clang-format off
QList<PlanRow> form2Plan()
{
    return {
        // name, kind, container, {left, top, width, height}, caption, text colour, background, font, flags
        {"Label3", Label, "", {120, 45, 4245, 255}, topBorder()},
        {"Label2_0", Label, "", {120, 120, 135, 7575}, sideBorder(), none, none, plain, WordWrap},
        {"Label2_1", Label, "", {4320, 120, 135, 7335}, sideBorder(), none, none, plain, WordWrap},
        {"Label1", Label, "", {360, 240, 3735, 975}, credit, none, none, plain, WordWrap},
        {"Label4", Label, "", {120, 1080, 4245, 135}, dashes(94)},
        {"Label5", Label, "", {240, 1240, 1095, 255}, "Sviluppo del", darkBlue, none, bold},
        {"Label6", Label, "", {1360, 1245, 1095, 255}, "label6", none, none, bold},
        {"Label7", Label, "", {3200, 1240, 160, 255}, "h.", darkBlue, none, bold},
        {"Label8", Label, "", {3360, 1245, 855, 255}, "Label8", none, none, bold},
        {"Label9", Label, "", {120, 1400, 4245, 135}, dashes(93)},
        {"Label10", Label, "", {240, 1560, 4005, 255}, "Dati formiti dal soggetto:", maroon},
        {"Label11", Label, "", {240, 1800, 2040, 255}, "Cognome e nome ..............."},
        {"Label12", Label, "", {2280, 1800, 1935, 255}, "Label12", darkBlue, none, plain, AlignRight},
        {"Label13", Label, "", {240, 2040, 1920, 255}, "Sesso ..............."},
        {"Label14", Label, "", {2160, 2040, 2055, 255}, "Label14", darkBlue, none, plain, AlignRight},
        {"Label15", Label, "", {240, 2280, 1920, 255}, "Attività fisica ..............."},
        {"Label16", Label, "", {2160, 2280, 2055, 255}, "Label16", darkBlue, none, plain, AlignRight},
        {"Label17", Label, "", {240, 2520, 2400, 255}, "Costituzione corporea ..............."},
        {"Label18", Label, "", {2640, 2520, 1575, 255}, "Label18", darkBlue, none, plain, AlignRight},
        {"Label19", Label, "", {240, 2760, 3360, 255}, "Età ..............."},
        {"Label20", Label, "", {3600, 2760, 615, 255}, "Label20", darkBlue, none, plain, AlignRight},
        {"Label38", Label, "", {240, 3000, 3120, 255}, "Altezza ..............."},
        {"Label39", Label, "", {3360, 3000, 855, 255}, "Label39", darkBlue, none, plain, AlignRight},
        {"Label21", Label, "", {120, 3120, 4245, 135}, dashes(94)},
        {"Label22", Label, "", {240, 3360, 2880, 255}, "Peso reale ..............."},
        {"Label23", Label, "", {3120, 3360, 1095, 255}, "Label23", darkBlue, none, plain, AlignRight},
        {"Label24", Label, "", {240, 3600, 2760, 255}, "Peso ideale ..............."},
        {"Label25", Label, "", {3000, 3600, 1215, 255}, "Label25", darkBlue, none, plain, AlignRight},
        {"Label26", Label, "", {240, 3840, 1920, 255}, "Il soggetto è ..............."},
        {"Label27", Label, "", {2160, 3840, 2055, 255}, "Label27", maroon, none, plain, AlignRight},
        {"Label55", Label, "", {240, 4080, 4005, 255}, "", maroon, none, plain, AlignRight},
        {"Label28", Label, "", {120, 4220, 4245, 135}, dashes(94)},
        {"Label35", Label, "", {240, 4400, 4005, 255}, "Dati tecnici di elaborazione sviluppo circonferenze ideali ideale", maroon},
        {"Label31", Label, "", {240, 4680, 2280, 255}, "Sviluppo fianchi ideali ..............."},
        {"Label32", Label, "", {2520, 4680, 1695, 255}, "Label32", darkBlue, none, plain, AlignRight},
        {"Label29", Label, "", {240, 4920, 3000, 255}, "Sviluppo vita ideale ..............."},
        {"Label30", Label, "", {3240, 4920, 975, 255}, "Label30", darkBlue, none, plain, AlignRight},
        {"Label51", Label, "", {240, 5160, 2280, 255}, "Sviluppo cosce ideali ..............."},
        {"Label52", Label, "", {2520, 5160, 1695, 255}, "Label52", darkBlue, none, plain, AlignRight},
        {"Label33", Label, "", {240, 5400, 2160, 255}, "Fabbisogno energetico giorn. .....", darkBlue},
        {"Label34", Label, "", {2400, 5400, 1815, 255}, "Label34", darkRed, none, plain, AlignRight},
        {"Label36", Label, "", {120, 5580, 4245, 135}, dashes(94)},
        {"Label37", Label, "", {240, 5760, 4005, 255}, "Risultati di formulazione della Equilora", maroon},
        {"Label40", Label, "", {240, 6075, 1440, 255}, "PROTIDI ..............."},
        {"Label41", Label, "", {1680, 6075, 1575, 255}, "Label41", darkBlue, none, plain, AlignRight},
        {"Label43", Label, "", {3360, 6075, 855, 255}, "Label43", maroon, none, plain, AlignRight},
        {"Label42", Label, "", {240, 6315, 1440, 255}, "LIPIDI ..............."},
        {"Label45", Label, "", {1680, 6315, 1575, 255}, "Label45", darkBlue, none, plain, AlignRight},
        {"Label46", Label, "", {3360, 6315, 855, 255}, "Label46", maroon, none, plain, AlignRight},
        {"Label44", Label, "", {240, 6540, 1440, 255}, "GLUCIDI ..............."},
        {"Label47", Label, "", {1680, 6540, 1575, 255}, "Label47", darkBlue, none, plain, AlignRight},
        {"Label48", Label, "", {3360, 6540, 855, 255}, "Label48", maroon, none, plain, AlignRight},
        {"Label53", Label, "", {0, 6765, 4485, 135}, "   " + stars(70), navy},
        {"Label54", Label, "", {220, 6960, 4005, 255}, "Riepilogo stampato da Nutrivo", darkRed},
        {"Label50", Label, "", {120, 7140, 4245, 135}, dashes(94)},
        {"Label49", Label, "", {130, 7210, 4245, 135}, dashes(94)},
        {"Command1", Button, "", {2500, 7380, 1935, 255}, "Conferma stampa ..."},
    };
}
// clang-format on
