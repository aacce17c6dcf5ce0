#pragma once

// Another workstation, on a connection and a thread of its own: it runs
// statements that hold the archive (a transaction begun, a lock, a save not
// yet committed), watches the mode of a file for a second meanwhile and commits.
// The test's own thread goes on as soon as it holds.

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <atomic>
#include <functional>
#include <sys/stat.h>
#include <thread>

class HoldingSession
{
public:
    // connection: names the driver and the database of a new QSqlDatabase.
    HoldingSession(const std::function<QSqlDatabase(const QString &name)> &connection,
                   const QStringList &holding, const QString &watched)
        : m_thread([=] { run(connection, holding, watched); })
    {
        while (!m_started)
            QThread::msleep(5);
    }
    ~HoldingSession() { finish(); }

    bool held() const { return m_held; }
    // Waits for the commit; the modes the watched file had whenever it was seen.
    QSet<uint> finish()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_modes;
    }

private:
    void run(const std::function<QSqlDatabase(const QString &)> &connection,
             const QStringList &holding, const QString &watched)
    {
        const QString name = QStringLiteral("holding");
        {
            QSqlDatabase db = connection(name);
            QSqlQuery query(db);
            bool held = db.open();
            for (const QString &statement : holding)
                held = held && query.exec(statement);
            m_held = held;
            m_started = true;
            QElapsedTimer clock;
            clock.start();
            while (held && clock.elapsed() < 1000) {
                struct stat status;
                if (::stat(QFile::encodeName(watched).constData(), &status) == 0)
                    m_modes.insert(status.st_mode & 0777);
                QThread::msleep(2);
            }
            query.exec(QStringLiteral("COMMIT"));
            query = QSqlQuery();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    std::atomic<bool> m_started = false;
    std::atomic<bool> m_held = false;
    QSet<uint> m_modes;
    std::thread m_thread;
};
