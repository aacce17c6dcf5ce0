#include "server_watchdog.h"

#include "server_address.h"
#include "server_session.h"

#include <QSqlDriver>
#include <QVariant>
#include <condition_variable>
#include <map>
#include <mutex>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>

namespace server_watchdog {

namespace {

using Clock = std::chrono::steady_clock;

struct Watched
{
    int socket = -1;
    // The socket as it was watched: libpq may close it and the number be
    // given to another before the watch ends.
    dev_t device = 0;
    ino_t inode = 0;
    Clock::time_point deadline;
    std::shared_ptr<std::atomic<bool>> fired;
};

bool sameSocket(const Watched &watched)
{
    struct stat now = {};
    return ::fstat(watched.socket, &now) == 0 && S_ISSOCK(now.st_mode) &&
           now.st_dev == watched.device && now.st_ino == watched.inode;
}

class Watchdog
{
public:
    static Watchdog &instance()
    {
        static Watchdog watchdog;
        return watchdog;
    }

    quint64 watch(Watched watched)
    {
        const std::lock_guard lock(m_mutex);
        // Every watch has the same limit: the thread is woken only when it
        // waits for none, not at each statement.
        if (watched.deadline < m_wakeAt)
            m_wake.notify_one();
        m_watched.emplace(++m_last, std::move(watched));
        return m_last;
    }

    void extend(quint64 id, Clock::time_point deadline)
    {
        const std::lock_guard lock(m_mutex);
        const auto found = m_watched.find(id);
        if (found != m_watched.end())
            found->second.deadline = deadline;
    }

    void endAll()
    {
        const std::lock_guard lock(m_mutex);
        for (auto &[id, watched] : m_watched)
            watched.deadline = Clock::time_point::min();
        m_wake.notify_one();
    }

    void forget(quint64 id)
    {
        const std::lock_guard lock(m_mutex);
        m_watched.erase(id);
    }

private:
    Watchdog() : m_thread([this] { run(); }) {}
    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }

    void run()
    {
        std::unique_lock lock(m_mutex);
        while (!m_stopping) {
            const Clock::time_point now = Clock::now();
            Clock::time_point next = Clock::time_point::max();
            for (auto it = m_watched.begin(); it != m_watched.end();) {
                if (it->second.deadline > now) {
                    next = std::min(next, it->second.deadline);
                    ++it;
                    continue;
                }
                // Told before it is shut: the shutdown wakes the statement at
                // once. Shut, not closed: the number stays libpq's, whose read
                // now ends as if the server had hung up.
                if (sameSocket(it->second)) {
                    *it->second.fired = true;
                    ::shutdown(it->second.socket, SHUT_RDWR);
                }
                it = m_watched.erase(it);
            }
            m_wakeAt = next;
            if (next == Clock::time_point::max())
                m_wake.wait(lock);
            else
                m_wake.wait_until(lock, next);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::map<quint64, Watched> m_watched;
    quint64 m_last = 0;
    Clock::time_point m_wakeAt = Clock::time_point::max();
    bool m_stopping = false;
    std::thread m_thread; // last: it starts once the rest is there
};

} // namespace

std::chrono::milliseconds Watch::defaultLimit()
{
    return std::chrono::seconds(serverWaitSeconds);
}

Watch::Watch(const QSqlDatabase &db, std::chrono::milliseconds limit) : m_limit(limit)
{
    Watched watched;
    watched.socket = server_session::socketOf(db);
    struct stat socket = {};
    if (watched.socket < 0 || ::fstat(watched.socket, &socket) != 0)
        return;
    watched.device = socket.st_dev;
    watched.inode = socket.st_ino;
    watched.deadline = Clock::now() + limit;
    m_fired = std::make_shared<std::atomic<bool>>(false);
    watched.fired = m_fired;
    m_id = Watchdog::instance().watch(std::move(watched));
}

Watch::~Watch()
{
    if (m_id != 0)
        Watchdog::instance().forget(m_id);
}

void Watch::restart()
{
    if (m_id != 0)
        Watchdog::instance().extend(m_id, Clock::now() + m_limit);
}

void endEveryWatch()
{
    Watchdog::instance().endAll();
}

} // namespace server_watchdog
