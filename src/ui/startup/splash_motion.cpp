#include "splash_motion.h"

#include <cmath>
#include <cstdint>

namespace {

// The last tick that moves the window; the one after it hands over.
constexpr int lastMovingTick = 25;
constexpr int fastFromTick = 21;
constexpr int fastIntervalMs = 1;

// Whole twips, halves to the even neighbour.
float roundedHalfEven(float value)
{
    return std::nearbyint(value);
}

} // namespace

SplashMotion splashStart(float screenWidth, float screenHeight, float width, float height)
{
    SplashMotion motion;
    motion.left = (screenWidth - width) / 2;
    motion.top = roundedHalfEven((screenHeight - height) / 2);
    return motion;
}

SplashMotion splashTick(SplashMotion motion, float width, float height)
{
    ++motion.tickCount;
    const auto stepUp = static_cast<std::int16_t>(roundedHalfEven(height / 50));
    const float stepRight = width / 50;
    if (motion.tickCount <= lastMovingTick) {
        motion.top -= stepUp;
        motion.left += stepRight / 2;
    } else {
        motion.handedOver = true;
    }
    if (motion.tickCount >= fastFromTick) {
        motion.intervalMs = fastIntervalMs;
        motion.left += 5 * stepRight;
    }
    return motion;
}
