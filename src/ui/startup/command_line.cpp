#include "command_line.h"

#include "archive/server_schema.h"
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

// The tables made on an empty database, or an older schema taken to this
// version, as the database's owner; what was done on standard output.
int prepareServer(const QString &uri)
{
    const auto address = serverAddressFromUri(uri);
    if (!address) {
        print(stderr, QString("nutrivo: --prepare-server vuole un indirizzo postgresql:// con il "
                              "database, come postgresql://utente@server/nutrivo\n"));
        return 2;
    }
    const server_schema::Prepared prepared = server_schema::prepareServer(*address);
    const QString where = describe(*address);
    if (!prepared.error.isEmpty()) {
        print(stderr,
              QString("nutrivo: %1 non preparato: %2\n").arg(where, prepared.error.trimmed()));
        return 1;
    }
    if (prepared.after > server_schema::currentVersion()) {
        print(stderr, QString("nutrivo: %1 ha la versione %2 delle tabelle, più recente di "
                              "questo Nutrivo (%3): lasciato com'era.\n")
                          .arg(where)
                          .arg(prepared.after)
                          .arg(server_schema::currentVersion()));
        return 1;
    }
    print(stdout, prepared.before == prepared.after
                      ? QString("%1: le tabelle sono già alla versione %2, nulla da fare.\n")
                            .arg(where)
                            .arg(prepared.after)
                  : prepared.before == 0
                      ? QString("%1: tabelle create, versione %2.\n").arg(where).arg(prepared.after)
                      : QString("%1: tabelle portate dalla versione %2 alla %3.\n")
                            .arg(where)
                            .arg(prepared.before)
                            .arg(prepared.after));
    return 0;
}

CommandLine answerCommandLine(int argc, char *argv[])
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
    const QCommandLineOption archive(
        "archive",
        "Uses this archive for this run: a file, or a PostgreSQL server as "
        "postgresql://user@host:port/database?sslrootcert=ca.crt (libpq's form).",
        "file or URI");
    const QCommandLineOption prepare(
        "prepare-server",
        "With --archive URI: creates the tables on an empty database, or takes older ones to "
        "this version, as the database's owner, then exits.");
    parser.addOptions({help, version, archive, prepare});
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
        return {2, QString()};
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QString("nutrivo: unexpected argument '%1'\nTry 'nutrivo --help' for "
                              "more information.\n")
                          .arg(parser.positionalArguments().constFirst()));
        return {2, QString()};
    }
    if (parser.isSet(help)) {
        print(stdout, parser.helpText() +
                          "\nExample: nutrivo --archive "
                          "'postgresql://dietista@studio.example/nutrivo?sslrootcert=/etc/ssl/"
                          "studio-ca.crt'\n");
        return {0, QString()};
    }
    if (parser.isSet(version)) {
        print(stdout, QString("Nutrivo %1\n").arg(NUTRIVO_VERSION));
        return {0, QString()};
    }
    if (parser.isSet(prepare))
        return {prepareServer(parser.value(archive)), QString()};
    return {std::nullopt, parser.value(archive)};
}
