// The splash window's path over the screen, in twips, tick by tick.

#include "ui/startup/splash_motion.h"

#include <QtTest>

class TestSplashMotion : public QObject
{
    Q_OBJECT

private slots:
    void path_data();
    void path();
    void timeline_data();
    void timeline();
};

namespace {

constexpr float width = 7605;
constexpr float height = 4515;

SplashMotion after(int ticks, float screenWidth, float screenHeight)
{
    SplashMotion motion = splashStart(screenWidth, screenHeight, width, height);
    for (int tick = 0; tick < ticks; ++tick)
        motion = splashTick(motion, width, height);
    return motion;
}

} // namespace

// clang-format off
void TestSplashMotion::path_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<float>("screenWidth");
    QTest::addColumn<float>("screenHeight");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");

    // 1024 x 768 pixels at 15 twips to the pixel.
    QTest::newRow("centred, half to even") << 0 << 15360.f << 11520.f << 3877.5f << 3502.f;
    QTest::newRow("first tick") << 1 << 15360.f << 11520.f << 3953.55f << 3412.f;
    QTest::newRow("end of the drift") << 20 << 15360.f << 11520.f << 5398.5f << 1702.f;
    QTest::newRow("first fast tick") << 21 << 15360.f << 11520.f << 6235.05f << 1612.f;
    QTest::newRow("end of the slide") << 25 << 15360.f << 11520.f << 9581.25f << 1252.f;
    QTest::newRow("hand-over keeps the top") << 26 << 15360.f << 11520.f << 10341.75f << 1252.f;
    // A screen smaller than the window places it partly off the screen.
    QTest::newRow("small screen") << 0 << 6000.f << 3000.f << -802.5f << -758.f;
}
// clang-format on

void TestSplashMotion::path()
{
    QFETCH(int, ticks);
    QFETCH(float, screenWidth);
    QFETCH(float, screenHeight);
    QFETCH(float, left);
    QFETCH(float, top);
    const SplashMotion motion = after(ticks, screenWidth, screenHeight);
    QCOMPARE(motion.left, left);
    QCOMPARE(motion.top, top);
    QCOMPARE(motion.tickCount, ticks);
}

void TestSplashMotion::timeline_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("loaded") << 0 << 100 << false;
    QTest::newRow("tick 20") << 20 << 100 << false;
    QTest::newRow("tick 21") << 21 << 1 << false;
    QTest::newRow("tick 25") << 25 << 1 << false;
    QTest::newRow("tick 26") << 26 << 1 << true;
}

void TestSplashMotion::timeline()
{
    QFETCH(int, ticks);
    QFETCH(int, interval);
    QFETCH(bool, handedOver);
    const SplashMotion motion = after(ticks, 15360, 11520);
    QCOMPARE(motion.intervalMs, interval);
    QCOMPARE(motion.handedOver, handedOver);
}

QTEST_APPLESS_MAIN(TestSplashMotion)
#include "tst_splash_motion.moc"
