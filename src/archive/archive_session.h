#pragma once

// The archive as the windows use it. A personal file answers in a moment and
// stays on the windows' thread; a practice's server may take seconds, or
// never answer, so its archive lives on a thread of its own: its session is
// made there and every statement sent from there. The windows send work and
// hear back through their event loop, and meanwhile keep painting.

#include "archive.h"

#include <QObject>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

class ArchiveSession : public QObject
{
    Q_OBJECT

public:
    // A server's archive comes unopened, or opened through send(): its
    // session belongs to the thread that opened it.
    explicit ArchiveSession(std::unique_ptr<Archive> archive);
    ~ArchiveSession() override;

    // As of the archive's last answer: the windows never read the archive
    // itself while its thread may be changing it.
    ArchiveState state() const { return m_state; }
    const QString &connectionError() const { return m_connectionError; }
    const QString &migrationCopy() const { return m_migrationCopy; }
    const std::optional<ServerAddress> &server() const { return m_archive->server(); }
    const QString &filePath() const { return m_archive->filePath(); }
    QString whereText() const { return m_archive->whereText(); }

    // From now on this archive, as it is (unopened, or opened through
    // send()). Answers still due from the one before are dropped.
    void use(std::unique_ptr<Archive> archive);
    // An archive tried aside and not taken, ended where it lived.
    void dispose(std::unique_ptr<Archive> archive);

    // Work with the archive in use, where it lives; then, on this thread,
    // then with its result, unless context has gone or another archive came
    // meanwhile. A file's runs at once.
    template <typename Work, typename Then>
    void request(QObject *context, Work work, Then then);

    // Work with archive (in use or tried aside) where it lives; done is
    // called on this thread once it has run. A file's runs at once, and done
    // with it.
    void send(Archive &archive, std::function<void()> work, std::function<void()> done);
    // The same with the archive in use.
    void send(std::function<void(Archive &)> work, std::function<void()> done);
    // Whether archive's work runs on the session's thread.
    static bool onItsThread(const Archive &archive);
    bool onItsThread() const { return onItsThread(*m_archive); }
    // Ends the server statements under way, as if the server had not
    // answered: the work fails as unanswered, a commit already sent as
    // unconfirmed.
    void cancelWaiting();

signals:
    // Another workstation changed the archive, or its session came back
    // after the server ended it: worth reading again.
    void changedElsewhere();

private:
    struct Facts
    {
        ArchiveState state = ArchiveState::Absent;
        QString connectionError;
        QString migrationCopy;
    };
    static Facts factsOf(const Archive &archive);
    void apply(const Facts &facts);
    void runThere(std::function<void()> work);

    QThread m_thread;
    QObject *m_worker; // lives on m_thread: the work is queued to it
    std::unique_ptr<Archive> m_archive;
    quint64 m_generation = 0;
    ArchiveState m_state = ArchiveState::Absent;
    QString m_connectionError;
    QString m_migrationCopy;
};

template <typename Work, typename Then>
void ArchiveSession::request(QObject *context, Work work, Then then)
{
    using Result = decltype(work(std::declval<Archive &>()));
    auto result = std::make_shared<std::optional<Result>>();
    const QPointer<QObject> guard(context);
    const quint64 generation = m_generation;
    Archive &archive = *m_archive;
    send(
        archive, [&archive, result, work] { *result = work(archive); },
        [this, generation, guard, result, then] {
            if (guard && generation == m_generation)
                then(std::move(**result));
        });
}
