#pragma once

// The windows name their faces as designed; where a face is missing on this
// system, a close substitute from Debian's font packages stands in.

#include <QFont>

void registerFontSubstitutes();

// A font by its design face and size in points, sized in pixels (at 96 dpi)
// so that text keeps its proportion to the windows' pixel geometry.
QFont designFont(const QString &face, double points, int weight = QFont::Normal);
