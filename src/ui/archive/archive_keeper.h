#pragma once

// Keeps a development in the archive, asking over the window that wants it
// whether a subject of the same name is the same person.

#include "archive/archive_session.h"

#include <QObject>
#include <functional>
#include <optional>

class QWidget;

class ArchiveKeeper : public QObject
{
    Q_OBJECT

public:
    explicit ArchiveKeeper(ArchiveSession &archive) : m_archive(archive) {}

    // Opens the file where there is one, saying so once when it cannot be used
    // (unless forSaving, whose own message says it then).
    ArchiveState openArchive(QWidget *over, bool forSaving = false);
    // Another practice's server in use from now on, and remembered, once it
    // answers; otherwise it says why and the archive in use stays as it was.
    bool chooseServer(QWidget *over, const ServerAddress &address);
    // The personal file from now on, remembered.
    void choosePersonal();
    // A server that did not answer opened again, without a word and without
    // waiting; then is called once it is tried (unless context has gone).
    void reopenUnreachable(QObject *context, const std::function<void()> &then);
    void keep(QWidget *over, const QString &name, const KeptAssessment &assessment);

signals:
    void changed();

private:
    // The server with the password the user gives, asked once; none when
    // the user cancels.
    static std::unique_ptr<Archive> withPassword(QWidget *over, const ServerAddress &address);
    // The subject the assessment goes to: an existing one, 0 for a new one, or
    // none when the user cancels; asked: the namesakes the user was shown.
    std::optional<qint64> chooseSubject(QWidget *over, const QString &name,
                                        const KeptAssessment &assessment, QList<qint64> &asked);

    ArchiveSession &m_archive;
    bool m_opened = false;
    // The practice's archive was not prepared: saves went to the personal one.
    bool m_personalInstead = false;
};
