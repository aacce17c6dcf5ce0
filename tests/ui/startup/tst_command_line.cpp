// The installed program's command line, run with no display at all: every
// answer must come before a window could be needed.

#include <QProcess>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void qtOptionsStartTheProgram();

private:
    static QProcessEnvironment withoutDisplay();
};

QProcessEnvironment TestCommandLine::withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    return environment;
}

void TestCommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << "Nutrivo " NUTRIVO_VERSION "\n"
                               << "";
    QTest::newRow("-v") << QStringList{"-v"} << 0 << "Nutrivo " NUTRIVO_VERSION "\n"
                        << "";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "--version"
                            << "";
    QTest::newRow("Qt option, then --help")
        << QStringList{"-style", "Fusion", "--help"} << 0 << "--help"
        << "";
    // Every option of Qt's goes through to Qt, and --help still answers.
    for (const char *name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "style", "stylesheet", "display", "geometry",
          "title", "name", "visual", "ncols", "cmap", "qmljsdebugger"})
        QTest::addRow("-%s value", name)
            << QStringList{QString("-") + name, "x", "--help"} << 0 << "--help"
            << "";
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        QTest::addRow("-%s", name) << QStringList{QString("-") + name, "--help"} << 0 << "--help"
                                   << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                    << "nutrivo: Unknown option 'bogus'.";
    QTest::newRow("argument") << QStringList{"report.pdf"} << 2 << ""
                              << "nutrivo: unexpected argument 'report.pdf'";
}

void TestCommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QProcess program;
    program.setProcessEnvironment(withoutDisplay());
    program.start(NUTRIVO_BINARY, arguments);
    QVERIFY(program.waitForFinished(10000));
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString complaint = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2(printed.contains(output) && (output.isEmpty() == printed.isEmpty()),
             qPrintable(printed));
    QVERIFY2(complaint.contains(error) && (error.isEmpty() == complaint.isEmpty()),
             qPrintable(complaint));
}

// Qt's own options still reach Qt: the program starts on the platform named.
void TestCommandLine::qtOptionsStartTheProgram()
{
    QProcess program;
    program.setProcessEnvironment(withoutDisplay());
    program.start(NUTRIVO_BINARY, {"-platform", "offscreen"});
    QVERIFY(program.waitForStarted());
    QVERIFY2(!program.waitForFinished(1500), program.readAllStandardError().constData());
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
