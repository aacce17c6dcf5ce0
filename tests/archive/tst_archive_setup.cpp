#include "archive_fixture.h"
#include "postgres_server.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <unistd.h>

// The README's setup of a practice's server, run as an administrator would:
// its block, with the lines it asks to set filled in for a server the suite
// starts, the passwords typed on a terminal when asked; then a dietitian
// saves and reads over TLS with the certificate checked, and is refused once
// out of the group.
class TestArchiveSetup : public QObject
{
    Q_OBJECT

private slots:
    void readmeSetupAsWritten();
};

namespace {

const QString ownerPassword = QStringLiteral("Titolare 2026");
const QString dietitianPassword = QStringLiteral("Rossi e basta");

// A block the README marks as run by this suite.
QString readmeBlock(const QString &marked)
{
    QFile readme(QStringLiteral(README));
    if (!readme.open(QIODevice::ReadOnly))
        return QString();
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype mark = text.indexOf(marked);
    const qsizetype start = text.indexOf(QStringLiteral("```sh\n"), mark);
    const qsizetype end = text.indexOf(QStringLiteral("\n```"), start);
    return mark < 0 || start < 0 || end < 0 ? QString() : text.mid(start + 6, end - start - 6);
}

// The lines the README asks the administrator to set, set for this server.
QString setFor(QString block, const QMap<QString, QString> &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QRegularExpression line(QStringLiteral("^%1=.*$").arg(it.key()),
                                      QRegularExpression::MultilineOption);
        block.replace(line, QStringLiteral("%1=%2").arg(it.key(), it.value()));
    }
    return block;
}

} // namespace

void TestArchiveSetup::readmeSetupAsWritten()
{
    // Debian's rules for TCP: a password over the network, the socket for the
    // administrator (trust here stands in for peer).
    PostgresServer server;
    if (!server.isRunning())
        QSKIP(qPrintable(server.whyNot()));
    QFile rules(server.dataFolder() + "/pg_hba.conf");
    QVERIFY(rules.open(QIODevice::WriteOnly | QIODevice::Truncate));
    rules.write("local all all trust\n"
                "host all all 127.0.0.1/32 scram-sha-256\n"
                "host all all ::1/128 scram-sha-256\n");
    rules.close();
    QVERIFY(server.exec("postgres", "SELECT pg_reload_conf()"));

    const QString block = readmeBlock("tst_archive_setup.cpp -->");
    QVERIFY2(block.contains("--prepare-server"), "the README's block was not found");
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("bin"));
    // A copy: the build may stand where the server's user cannot enter (/root).
    QVERIFY(QFile::copy(NUTRIVO_BINARY, work.filePath("bin/nutrivo")));
    QFile script(work.filePath("setup.sh"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(setFor(block, {{"CONF", server.dataFolder()},
                                {"SERVER", "localhost"},
                                {"NETWORK", "127.0.0.1/32"},
                                {"PORT", QString::number(server.port())},
                                // Listening on the loopback already: the settings read again.
                                {"RESTART", "'pg_ctl reload -D " + server.dataFolder() + "'"}})
                     .toUtf8());
    script.close();

    // As the server's own user, as the README says.
    const bool root = ::geteuid() == 0;
    if (root)
        QProcess::execute("chown", {"-R", "postgres", work.path()});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", work.filePath("bin") + ":" + PostgresServer::programs() + ":" +
                                   environment.value("PATH"));
    environment.insert("PGHOST", server.socketFolder());
    environment.insert("PGPORT", QString::number(server.port()));
    // The postgres user's own: its role, and a database of its name.
    environment.insert("PGUSER", PostgresServer::superuser());
    environment.insert("PGDATABASE", "postgres");
    environment.insert("PGPASSFILE", work.filePath("no-pgpass"));
    environment.insert("LC_ALL", "C.UTF-8");
    environment.insert("HOME", work.path());
    const auto start = [&](QProcess &run, const QString &script) {
        if (root)
            QProcess::execute("chown", {"postgres", script});
        run.setProcessEnvironment(environment);
        run.setWorkingDirectory(work.path());
        const QString command = QStringLiteral("sh -e ") + script;
        if (root)
            run.start("runuser", {"-u", "postgres", "--", "script", "-qec", command, "/dev/null"});
        else
            run.start("script", {"-qec", command, "/dev/null"});
        return run.waitForStarted();
    };
    QProcess run;
    QVERIFY(start(run, script.fileName()));

    // Each question answered once it stands on the terminal.
    const QList<std::pair<QString, QString>> questions = {
        {"Enter password for new role:", ownerPassword},
        {"Enter it again:", ownerPassword},
        {"Password di nutrivo_titolare", ownerPassword},
        {"Enter password for new role:", dietitianPassword},
        {"Enter it again:", dietitianPassword}};
    QString shown;
    qsizetype from = 0;
    for (const auto &[question, answer] : questions) {
        qsizetype at = -1;
        while ((at = shown.indexOf(question, from)) < 0 && run.waitForReadyRead(30000))
            shown += QString::fromUtf8(run.readAll());
        if (at < 0) {
            run.waitForFinished(1000);
            shown += QString::fromUtf8(run.readAll());
        }
        // The end of what the terminal showed, short enough to be printed whole.
        QVERIFY2(at >= 0, qPrintable(shown.right(400)));
        from = at + question.size();
        QTest::qWait(100);
        run.write(answer.toUtf8() + '\n');
    }
    QVERIFY(run.waitForFinished(60000));
    shown += QString::fromUtf8(run.readAll());
    QVERIFY2(run.exitCode() == 0, qPrintable(shown));
    QVERIFY2(!shown.contains(ownerPassword) && !shown.contains(dietitianPassword),
             qPrintable(shown));
    QVERIFY2(shown.contains("tabelle create"), qPrintable(shown));

    // A dietitian's workstation: TLS, the certificate checked against the CA's file.
    ServerAddress practice{"localhost", server.port(), "nutrivo", "rossi",
                           work.filePath("nutrivo-ca.crt")};
    Archive dietitian(practice, dietitianPassword);
    QCOMPARE(dietitian.open(), ArchiveState::Ready);
    QCOMPARE(dietitian.keep(0, "Rossi Mario", developedAssessment()).outcome, WriteOutcome::Done);
    QCOMPARE(dietitian.subjects().size(), 1);

    // The log read and pruned as the README says: the save, by its role, and
    // nothing of it pruned.
    QFile logScript(work.filePath("log.sh"));
    QVERIFY(logScript.open(QIODevice::WriteOnly));
    logScript.write(readmeBlock("tst_archive_setup.cpp, the log -->").toUtf8());
    logScript.close();
    // No one at the terminal to page through it.
    environment.insert("PSQL_PAGER", "cat");
    QProcess log;
    QVERIFY(start(log, logScript.fileName()));
    QVERIFY(log.waitForFinished(60000));
    const QString logged = QString::fromUtf8(log.readAll());
    QVERIFY2(log.exitCode() == 0, qPrintable(logged));
    QVERIFY2(logged.contains(QRegularExpression("rossi +\\| [^|]+\\| salvataggio valutazione "
                                                "+\\| +1 \\| Rossi Mario")) &&
                 logged.contains("DELETE 0"),
             qPrintable(logged));

    // Removed as the README says: refused.
    QVERIFY(server.exec("nutrivo", "REVOKE nutrivo_dietisti FROM rossi"));
    Archive removed(practice, dietitianPassword);
    QCOMPARE(removed.open(), ArchiveState::Unreachable);
}

QTEST_MAIN(TestArchiveSetup)
#include "tst_archive_setup.moc"
