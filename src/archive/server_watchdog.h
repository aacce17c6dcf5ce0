#pragma once

// A statement that a server leaves unanswered (the server stopped, a network
// gone silent without closing) holds the thread that sent it: Qt's driver has
// no time limit of its own, and keepalives are answered by the server's
// machine even when the server is stopped. A Watch gives the statements sent
// under it serverWaitSeconds; past that, a thread of its own shuts the
// session's socket, and the statement fails as one whose session ended.

#include <QSqlDatabase>
#include <atomic>
#include <chrono>
#include <memory>

namespace server_watchdog {

class Watch
{
public:
    // Watches db's session when it is a server's; a file's needs none.
    explicit Watch(const QSqlDatabase &db, std::chrono::milliseconds limit = defaultLimit());
    ~Watch();
    Watch(const Watch &) = delete;
    Watch &operator=(const Watch &) = delete;

    // The whole limit again, from now: a long transfer's next batch.
    void restart();
    // Whether the limit passed and the session was shut.
    bool fired() const { return m_fired && *m_fired; }

    static std::chrono::milliseconds defaultLimit();

private:
    quint64 m_id = 0;
    std::chrono::milliseconds m_limit;
    std::shared_ptr<std::atomic<bool>> m_fired;
};

// Every watched session shut now, as if its limit had passed: the user gave
// up waiting.
void endEveryWatch();

} // namespace server_watchdog
