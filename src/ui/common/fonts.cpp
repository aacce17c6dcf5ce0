#include "fonts.h"

#include <QFontDatabase>

namespace {

struct Substitute
{
    const char *face;
    const char *substitute;
    double widthScale; // brings the substitute's text to the face's width
};

const Substitute substitutes[] = {
    // The bitmap face sets text about a tenth narrower than its outline twin.
    {"MS Sans Serif", "Liberation Sans", 10.0 / 11.0},
    {"Copperplate Gothic Bold", "Karmilla", 1.0},
    {"Copperplate Gothic Light", "Karmilla", 1.0},
    {"Copperplate31ab", "Karmilla", 1.0},
    {"Forte", "Kaushan Script", 1.0},
    {"Rage Italic", "Dancing Script", 1.0},
};

double widthScale(const QString &face)
{
    if (QFontDatabase::hasFamily(face))
        return 1.0;
    for (const Substitute &entry : substitutes) {
        if (face == QLatin1String(entry.face))
            return entry.widthScale;
    }
    return 1.0;
}

} // namespace

void registerFontSubstitutes()
{
    for (const Substitute &entry : substitutes)
        QFont::insertSubstitution(entry.face, entry.substitute);
}

QFont designFont(const QString &face, double points, int weight)
{
    QFont font(face);
    font.setPixelSize(qRound(points * 96 / 72 * widthScale(face)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}
