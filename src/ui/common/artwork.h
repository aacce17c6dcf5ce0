#pragma once

// The program's own pictures, kept as resources under :/artwork.

#include <QIcon>

// "nutrivo", "report" or "information", with its 16, 32 and 48 pixel images.
QIcon artworkIcon(const QString &name);
