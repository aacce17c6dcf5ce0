#include "archive_session.h"

#include "server_watchdog.h"

#include <QEventLoop>

ArchiveSession::ArchiveSession(std::unique_ptr<Archive> archive) : m_worker(new QObject)
{
    m_thread.setObjectName(QStringLiteral("archivio dello studio"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    use(std::move(archive));
}

ArchiveSession::~ArchiveSession()
{
    ++m_generation;
    // A statement the server leaves unanswered does not hold the program's end.
    server_watchdog::endEveryWatch();
    dispose(std::move(m_archive));
    runThere([] { QThread::currentThread()->quit(); });
    m_thread.wait();
    delete m_worker;
}

bool ArchiveSession::onItsThread(const Archive &archive)
{
    return archive.server().has_value();
}

void ArchiveSession::runThere(std::function<void()> work)
{
    QMetaObject::invokeMethod(m_worker, std::move(work), Qt::QueuedConnection);
}

ArchiveSession::Facts ArchiveSession::factsOf(const Archive &archive)
{
    return {archive.state(), archive.connectionError(), archive.migrationCopy()};
}

void ArchiveSession::apply(const Facts &facts)
{
    m_state = facts.state;
    m_connectionError = facts.connectionError;
    m_migrationCopy = facts.migrationCopy;
}

void ArchiveSession::use(std::unique_ptr<Archive> archive)
{
    ++m_generation;
    if (m_archive) {
        // Whatever the one left behind still waits for is not waited for.
        if (onItsThread(*m_archive))
            cancelWaiting();
        dispose(std::move(m_archive));
    }
    m_archive = std::move(archive);
    Archive &inUse = *m_archive;
    const quint64 generation = m_generation;
    // Heard on the archive's thread, told on this one.
    const auto listen = [this, &inUse, generation] {
        inUse.whenChangedElsewhere([this, generation] {
            QMetaObject::invokeMethod(
                this,
                [this, generation] {
                    if (generation == m_generation)
                        emit changedElsewhere();
                },
                Qt::QueuedConnection);
        });
    };
    // Its state as it is now, read where it lives, before anything is shown of it.
    bool done = false;
    QEventLoop loop;
    send(inUse, listen, [&] {
        done = true;
        loop.quit();
    });
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void ArchiveSession::dispose(std::unique_ptr<Archive> archive)
{
    if (!archive)
        return;
    if (!onItsThread(*archive))
        return;
    Archive *ending = archive.release();
    runThere([ending] { delete ending; });
}

void ArchiveSession::send(Archive &archive, std::function<void()> work, std::function<void()> done)
{
    const quint64 generation = m_generation;
    const bool inUse = &archive == m_archive.get();
    if (!onItsThread(archive)) {
        work();
        if (inUse)
            apply(factsOf(archive));
        done();
        return;
    }
    runThere([this, &archive, work = std::move(work), done = std::move(done), generation, inUse] {
        work();
        const Facts facts = factsOf(archive);
        QMetaObject::invokeMethod(
            this,
            [this, facts, done, generation, inUse] {
                if (inUse && generation == m_generation)
                    apply(facts);
                done();
            },
            Qt::QueuedConnection);
    });
}

void ArchiveSession::send(std::function<void(Archive &)> work, std::function<void()> done)
{
    Archive &archive = *m_archive;
    send(
        archive, [&archive, work = std::move(work)] { work(archive); }, std::move(done));
}

void ArchiveSession::cancelWaiting()
{
    server_watchdog::endEveryWatch();
}
