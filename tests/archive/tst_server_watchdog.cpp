#include "archive/server_watchdog.h"
#include "postgres_server.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace std::chrono_literals;

// The watch over a server's statements, with short limits, against a server
// the suite starts: pg_sleep stands for a server that does not answer.
class TestServerWatchdog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void unansweredStatementEnded_data();
    void unansweredStatementEnded();
    void answeredStatementLeftAlone();
    void fileNotWatched();

private:
    QSqlDatabase connect();

    std::unique_ptr<PostgresServer> m_server;
    QString m_database;
};

void TestServerWatchdog::initTestCase()
{
    m_server = std::make_unique<PostgresServer>();
    if (!m_server->isRunning())
        QSKIP(qPrintable(m_server->whyNot()));
    m_database = m_server->newDatabase();
}

void TestServerWatchdog::cleanup()
{
    QSqlDatabase::database("watched", false).close();
    QSqlDatabase::removeDatabase("watched");
}

QSqlDatabase TestServerWatchdog::connect()
{
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "watched");
    db.setHostName(m_server->socketFolder());
    db.setPort(m_server->port());
    db.setDatabaseName(m_database);
    db.setUserName(PostgresServer::superuser());
    db.open();
    return db;
}

void TestServerWatchdog::unansweredStatementEnded_data()
{
    QTest::addColumn<int>("longerWatchMs");
    QTest::newRow("alone") << 0;
    // The thread already waits for a later deadline: the earlier one still counts.
    QTest::newRow("after a longer watch") << 60000;
}

void TestServerWatchdog::unansweredStatementEnded()
{
    QFETCH(int, longerWatchMs);
    QSqlDatabase db = connect();
    QVERIFY(db.isOpen());
    std::optional<server_watchdog::Watch> longer;
    if (longerWatchMs > 0)
        longer.emplace(db, std::chrono::milliseconds(longerWatchMs));
    QElapsedTimer clock;
    clock.start();
    bool fired = false;
    {
        const server_watchdog::Watch watch(db, 300ms);
        QSqlQuery query(db);
        QVERIFY(!query.exec("SELECT pg_sleep(20)"));
        fired = watch.fired();
    }
    const qint64 waited = clock.elapsed();
    QVERIFY(fired);
    QVERIFY2(waited >= 250 && waited < 3000, qPrintable(QString::number(waited)));
    // Ended as the server ending it would: the connection is no longer open.
    QVERIFY(!db.isOpen());
    QVERIFY(longer == std::nullopt || !longer->fired());
}

void TestServerWatchdog::answeredStatementLeftAlone()
{
    QSqlDatabase db = connect();
    {
        server_watchdog::Watch watch(db, 400ms);
        QSqlQuery query(db);
        for (int batch = 0; batch < 4; ++batch) {
            QVERIFY(query.exec("SELECT pg_sleep(0.2)"));
            watch.restart();
        }
        QVERIFY(!watch.fired());
    }
    QTest::qWait(600);
    QSqlQuery query(db);
    QVERIFY2(query.exec("SELECT 1") && query.next(), qPrintable(query.lastError().text()));
}

void TestServerWatchdog::fileNotWatched()
{
    QTemporaryDir folder;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "watched");
    db.setDatabaseName(folder.filePath("a.sqlite"));
    QVERIFY(db.open());
    const server_watchdog::Watch watch(db, 1ms);
    QTest::qWait(50);
    QVERIFY(!watch.fired());
    QSqlQuery query(db);
    QVERIFY(query.exec("SELECT 1"));
}

QTEST_GUILESS_MAIN(TestServerWatchdog)
#include "tst_server_watchdog.moc"
