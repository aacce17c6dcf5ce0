#include "artwork.h"

QIcon artworkIcon(const QString &name)
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/artwork/icon-%1-%2.png").arg(name).arg(size));
    return icon;
}
