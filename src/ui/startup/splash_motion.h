#pragma once

// Where the splash window stands, tick after tick: pure arithmetic in twips,
// single precision for the horizontal position as the window keeps it.

struct SplashMotion
{
    float left = 0; // twips, fractions carried from tick to tick
    float top = 0;  // twips, whole after the first placement
    int tickCount = 0;
    int intervalMs = 100;
    bool handedOver = false;
};

// Centred on a screen of the given size, before the first tick.
SplashMotion splashStart(float screenWidth, float screenHeight, float width, float height);

// One tick of the animation timer.
SplashMotion splashTick(SplashMotion motion, float width, float height);
