#include "command_line.h"

#include "archive/server_failure.h"
#include "archive/server_schema.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <optional>
#include <string>
#include <termios.h>
#include <unistd.h>

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

namespace {

// The password typed on the terminal, never echoed; none without a terminal.
std::optional<QString> askedOnTerminal(const ServerAddress &address)
{
    if (!::isatty(STDIN_FILENO))
        return std::nullopt;
    const QString user = address.user.isEmpty() ? qEnvironmentVariable("USER") : address.user;
    print(stderr, QString("Password di %1 per il %2: ").arg(user, describe(address)));
    std::fflush(stderr);
    termios before = {};
    const bool quiet = ::tcgetattr(STDIN_FILENO, &before) == 0;
    if (quiet) {
        termios silent = before;
        silent.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string line;
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar())
        line += char(c);
    if (quiet)
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &before);
    print(stderr, QString("\n"));
    return QString::fromStdString(line);
}

} // namespace

// The tables made on an empty database, or an older schema taken to this
// version, as the database's owner, and the dietitians' group role given
// what they need; what was done on standard output.
int prepareServer(const QString &uri)
{
    QString password;
    const auto address = serverAddressFromUri(uri, &password);
    if (!address) {
        print(stderr, QString("nutrivo: --prepare-server vuole l'indirizzo del database, come "
                              "postgresql://utente@server/nutrivo\n"));
        return 2;
    }
    server_schema::Prepared prepared = server_schema::prepareServer(*address, password);
    if (wantsPassword(prepared.error)) {
        if (const auto typed = askedOnTerminal(*address))
            prepared = server_schema::prepareServer(*address, *typed);
    }
    const QString where = describe(*address);
    if (!prepared.owner.isEmpty()) {
        print(stderr, QString("nutrivo: %1 non preparato: il database appartiene a %2, e le "
                              "tabelle vanno create dal suo proprietario, non da %3. Riprovare "
                              "con l'utente %2 nell'indirizzo.\n")
                          .arg(where, prepared.owner, prepared.user));
        return 1;
    }
    if (!prepared.error.isEmpty()) {
        const bool away = serverFailureOf(prepared.error) == ServerFailure::NotAnswering;
        print(stderr, away ? QString("nutrivo: %1 non raggiungibile: il server non risponde. "
                                     "Controllare che sia acceso e raggiungibile da questa "
                                     "macchina, poi riprovare.\n")
                                 .arg(where)
                           : QString("nutrivo: %1 non preparato: %2\n")
                                 .arg(where, withoutWeakeningAdvice(prepared.error).trimmed()));
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
    const QString group = server_schema::dietitiansRole;
    if (!prepared.groupReady) {
        print(stderr,
              QString("nutrivo: il ruolo %1 non c'è e %2 non può crearlo. Come utente "
                      "postgres: createuser --no-login %1; poi di nuovo --prepare-server.\n")
                  .arg(group, address->user));
        return 1;
    }
    print(stdout, QString("Il ruolo %1 ha i permessi che servono ai dietisti. Per aggiungere un "
                          "dietista: createuser --pwprompt <nome>, poi psql %2 -c 'GRANT %1 TO "
                          "<nome>'.\n")
                      .arg(group, address->database));
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
