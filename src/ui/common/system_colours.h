#pragma once

// The classic desktop's system colours that the windows were designed with.

#include <QColor>

namespace SystemColour {
inline const QColor buttonFace{240, 240, 240};
inline const QColor scrollBar{200, 200, 200};
inline const QColor activeBorder{180, 180, 180};
inline const QColor inactiveBorder{244, 247, 252};
inline const QColor highlight{0, 120, 215};
} // namespace SystemColour
