#pragma once

// A PostgreSQL server of the test's own: a cluster made by initdb in a
// temporary folder, listening on a socket there and on a free loopback port,
// stopped and removed with the object. Never the machine's own cluster.

#include "archive/server_address.h"
#include "archive/server_schema.h"

#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <csignal>
#include <unistd.h>

class PostgresServer
{
public:
    // Where Debian puts the server's programs; empty when postgresql is missing.
    static QString programs()
    {
        const QDir versions(QStringLiteral("/usr/lib/postgresql"));
        for (const QString &version :
             versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed)) {
            const QString bin = versions.filePath(version + QStringLiteral("/bin"));
            if (QFileInfo::exists(bin + QStringLiteral("/initdb")))
                return bin;
        }
        return QString();
    }

    // settings: further "name=value" for the server, TLS's say.
    explicit PostgresServer(const QStringList &settings = {})
        : m_folder(QDir::temp().filePath(QStringLiteral("nutrivo-pg-XXXXXX")))
    {
        m_bin = programs();
        if (m_bin.isEmpty() || !m_folder.isValid())
            return;
        m_port = freePort();
        // initdb refuses root: the cluster then belongs to the postgres user.
        if (::geteuid() == 0) {
            m_runAs = QStringLiteral("postgres");
            QProcess::execute(QStringLiteral("chown"), {m_runAs, m_folder.path()});
        }
        m_options = QStringLiteral("-k %1 -p %2 -c listen_addresses=127.0.0.1 -c fsync=on")
                        .arg(m_folder.path())
                        .arg(m_port);
        for (const QString &setting : settings)
            m_options += QStringLiteral(" -c ") + setting;
        m_started = run(QStringLiteral("initdb"), {"-D", dataFolder(), "-U", superuser(), "-A",
                                                   "trust", "-E", "UTF8", "--no-locale"}) &&
                    start();
    }

    ~PostgresServer()
    {
        if (m_started)
            stop();
    }

    // As a power cut would: no checkpoint, every session dropped; or "fast",
    // as an administrator's restart ends the sessions.
    bool stop(const QString &mode = QStringLiteral("immediate"))
    {
        return run(QStringLiteral("pg_ctl"), {"-D", dataFolder(), "-m", mode, "-w", "stop"});
    }
    // Again on the same port, after stop().
    bool start()
    {
        return run(QStringLiteral("pg_ctl"), {"-D", dataFolder(), "-w", "-l",
                                              m_folder.filePath("log"), "-o", m_options, "start"});
    }

    // As a network gone silent looks from a client: the server and its
    // sessions stopped, their sockets open and what is sent acknowledged.
    bool pause() { return signalAll(SIGSTOP); }
    bool resume() { return signalAll(SIGCONT); }

    bool isRunning() const { return m_started; }
    QString whyNot() const
    {
        return m_bin.isEmpty() ? QStringLiteral("postgresql is missing: apt-get install postgresql")
                               : QStringLiteral("the test server did not start");
    }

    static QString superuser() { return QStringLiteral("nutrivo_owner"); }
    QString socketFolder() const { return m_folder.path(); }
    int port() const { return m_port; }

    // Over the local socket, as user, to database.
    ServerAddress address(const QString &database, const QString &user = superuser()) const
    {
        return {m_folder.path(), m_port, database, user, QString()};
    }

    // The same as a postgresql:// URI, as --archive takes it.
    QString uri(const QString &database, const QString &user = superuser()) const
    {
        return QStringLiteral("postgresql://%1@localhost/%2?host=%3&port=%4")
            .arg(user, database, m_folder.path())
            .arg(m_port);
    }

    // A role that must give its password, as a practice's dietitians do;
    // every other role keeps connecting without one.
    bool addPasswordRole(const QString &role, const QString &password)
    {
        return exec(QStringLiteral("postgres"),
                    QStringLiteral("CREATE ROLE %1 LOGIN SUPERUSER PASSWORD '%2'")
                        .arg(role, password)) &&
               addRule(QStringLiteral("local all %1 scram-sha-256").arg(role)) &&
               addRule(QStringLiteral("host all %1 127.0.0.1/32 scram-sha-256").arg(role));
    }

    // A line of pg_hba.conf before the others, in force at once.
    bool addRule(const QString &line)
    {
        QFile rules(dataFolder() + QStringLiteral("/pg_hba.conf"));
        if (!rules.open(QIODevice::ReadWrite))
            return false;
        const QByteArray others = rules.readAll();
        rules.seek(0);
        rules.write(line.toUtf8() + '\n' + others);
        rules.close();
        return exec(QStringLiteral("postgres"), QStringLiteral("SELECT pg_reload_conf()"));
    }

    // One statement as the owner, in database; false with the error printed.
    bool exec(const QString &database, const QString &statement) const
    {
        const QString name = QStringLiteral("fixture");
        bool done = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            db.setHostName(m_folder.path());
            db.setPort(m_port);
            db.setDatabaseName(database);
            db.setUserName(superuser());
            if (db.open()) {
                QSqlQuery query(db);
                done = query.exec(statement);
                if (!done)
                    qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return done;
    }

    // A fresh empty database for one test.
    QString newDatabase()
    {
        const QString name = QStringLiteral("nutrivo_%1").arg(++m_databases);
        exec(QStringLiteral("postgres"), QStringLiteral("CREATE DATABASE %1").arg(name));
        return name;
    }

    // A fresh database with this version's tables, made as the owner.
    QString preparedDatabase()
    {
        const QString database = newDatabase();
        server_schema::prepareServer(address(database));
        return database;
    }

    // The cluster's folder: postgresql.conf, pg_hba.conf.
    QString dataFolder() const { return m_folder.filePath(QStringLiteral("data")); }

private:
    bool run(const QString &program, QStringList arguments) const
    {
        QString command = m_bin + '/' + program;
        if (!m_runAs.isEmpty()) {
            arguments.prepend(command);
            arguments.prepend(QStringLiteral("--"));
            arguments.prepend(m_runAs);
            arguments.prepend(QStringLiteral("-u"));
            command = QStringLiteral("runuser");
        }
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command, arguments);
        const bool done = process.waitForFinished(60000) && process.exitCode() == 0;
        if (!done)
            qWarning("%s failed: %s", qPrintable(program), process.readAll().constData());
        return done;
    }

    // The postmaster and its children.
    QList<pid_t> processes() const
    {
        QFile pidFile(dataFolder() + QStringLiteral("/postmaster.pid"));
        if (!pidFile.open(QIODevice::ReadOnly))
            return {};
        const pid_t postmaster = pidFile.readLine().trimmed().toInt();
        QList<pid_t> found{postmaster};
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString &entry : entries) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (entry.toInt() <= 0 || !stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ...": the name may hold spaces.
            const QByteArray line = stat.readAll();
            const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && fields.at(1).toInt() == postmaster)
                found << entry.toInt();
        }
        return found;
    }

    bool signalAll(int signal) const
    {
        const QList<pid_t> all = processes();
        bool done = !all.isEmpty();
        for (const pid_t pid : all)
            done = ::kill(pid, signal) == 0 && done;
        return done;
    }

    static int freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        return probe.serverPort();
    }

    QTemporaryDir m_folder;
    QString m_options;
    QString m_bin;
    QString m_runAs;
    int m_port = 0;
    int m_databases = 0;
    bool m_started = false;
};
