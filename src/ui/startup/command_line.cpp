#include "command_line.h"

#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

namespace {

// The options QGuiApplication and QApplication take for themselves, as their
// documentation lists them, with and without a value.
const char *const qtOptionsWithValue[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "qwindowicon",
    "qwindowtitle",
    "session",
    "style",
    "stylesheet",
    "display",
    "geometry",
    "title",
    "name",
    "visual",
    "ncols",
    "cmap",
    "qmljsdebugger",
};
const char *const qtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
}

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[])
{
    // Only for the parser's texts; the windows' application comes afterwards.
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("nutrivo");
    QCoreApplication::setApplicationVersion(NUTRIVO_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Nutrivo: weight and diet assessment, in Italian.\n"
                                     "Qt's own options, such as -platform and -style, are "
                                     "accepted too.");
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({"h", "help"}, "Displays this help and exits.");
    const QCommandLineOption version({"v", "version"}, "Displays the version and exits.");
    parser.addOptions({help, version});
    for (const char *name : qtOptionsWithValue) {
        QCommandLineOption option(name, QString(), "value");
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : qtFlags) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    if (!parser.parse(QCoreApplication::arguments())) {
        print(stderr, QString("nutrivo: %1\nTry 'nutrivo --help' for more information.\n")
                          .arg(parser.errorText()));
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QString("nutrivo: unexpected argument '%1'\nTry 'nutrivo --help' for "
                              "more information.\n")
                          .arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QString("Nutrivo %1\n").arg(NUTRIVO_VERSION));
        return 0;
    }
    return std::nullopt;
}
