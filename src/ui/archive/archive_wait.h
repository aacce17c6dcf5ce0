#pragma once

// Work with the practice's server waited for without holding the windows:
// they keep painting, input waits its turn, and after a moment a small
// window says the server is slow to answer and offers "Annulla", which ends
// the statement under way (a commit already sent then stays unconfirmed).
// A file's work runs at once.

#include "archive/archive_session.h"

#include <optional>

class QWidget;

// How long a server may take before the small window shows.
constexpr int slowAnswerMs = 300;

void waitForWork(QWidget *over, const QString &title, ArchiveSession &session, Archive *aside,
                 const std::function<void(Archive &)> &work);

// work(Archive &) on the archive in use, waited for; its result.
template <typename Work>
auto waitFor(QWidget *over, const QString &title, ArchiveSession &session, Work work)
{
    std::optional<decltype(work(std::declval<Archive &>()))> result;
    waitForWork(over, title, session, nullptr, [&](Archive &archive) { result = work(archive); });
    return std::move(*result);
}

// The same on an archive tried aside.
template <typename Work>
auto waitFor(QWidget *over, const QString &title, ArchiveSession &session, Archive &aside,
             Work work)
{
    std::optional<decltype(work(aside))> result;
    waitForWork(over, title, session, &aside, [&](Archive &archive) { result = work(archive); });
    return std::move(*result);
}
