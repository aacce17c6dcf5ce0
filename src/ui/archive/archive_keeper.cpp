#include "archive_keeper.h"

#include "archive/server_failure.h"
#include "archive_choice.h"
#include "archive_texts.h"
#include "archive_wait.h"
#include "namesake_question.h"
#include "server_dialog.h"
#include "ui/common/messages.h"

#include <QLocale>

namespace {

const QString saveTitle = QStringLiteral("Salva nell'archivio");

} // namespace

ArchiveState ArchiveKeeper::openArchive(QWidget *over, bool forSaving)
{
    // A server that was away, or stopped answering, is asked again; that it
    // still is not there was said already.
    const bool away = m_archive.server() && m_archive.state() == ArchiveState::Unreachable;
    if (m_opened && m_archive.state() != ArchiveState::Absent && !away)
        return m_archive.state();
    const bool told = m_opened && away;
    m_opened = true;
    const QString title = m_archive.server() ? QStringLiteral("Archivio dello studio")
                                             : QStringLiteral("Archivio valutazioni");
    ArchiveState state =
        waitFor(over, title, m_archive, [](Archive &archive) { return archive.open(); });
    if (state == ArchiveState::Unreachable && m_archive.server() &&
        wantsPassword(m_archive.connectionError())) {
        std::unique_ptr<Archive> given = withPassword(over, *m_archive.server());
        if (given) {
            state = waitFor(over, title, m_archive, *given,
                            [](Archive &archive) { return archive.open(); });
            m_archive.use(std::move(given));
        }
    }
    ArchiveNotice notice = stateNotice(m_archive);
    // A server not yet taken to this version waits for its administrator;
    // meanwhile the work goes on in the personal archive.
    if (m_archive.server() && state == ArchiveState::NotPrepared) {
        notice.text += QStringLiteral("\nIntanto Nutrivo usa l'archivio personale.");
        m_archive.use(std::make_unique<Archive>(Archive::defaultPath()));
        m_personalInstead = true;
        state = waitFor(over, title, m_archive, [](Archive &archive) { return archive.open(); });
    }
    const bool saveRefused = state != ArchiveState::Ready && state != ArchiveState::Absent;
    if (!notice.text.isEmpty() && !(told && state == ArchiveState::Unreachable) &&
        !(forSaving && saveRefused))
        showNotice(over, title, notice);
    return state;
}

// The password is kept for this run only, in memory.
std::unique_ptr<Archive> ArchiveKeeper::withPassword(QWidget *over, const ServerAddress &address)
{
    const auto given = ServerDialog::askPassword(over, address);
    return given ? std::make_unique<Archive>(address, *given) : nullptr;
}

bool ArchiveKeeper::chooseServer(QWidget *over, const ServerAddress &address)
{
    const QString title = QStringLiteral("Archivio dello studio");
    // Tried aside: a server that fails leaves the one in use, and its
    // password, untouched.
    auto tried = std::make_unique<Archive>(address);
    const auto open = [](Archive &archive) {
        archive.open();
        return std::pair(archive.state(), archive.connectionError());
    };
    auto [state, error] = waitFor(over, title, m_archive, *tried, open);
    if (state == ArchiveState::Unreachable && wantsPassword(error)) {
        if (std::unique_ptr<Archive> given = withPassword(over, address)) {
            m_archive.dispose(std::move(tried));
            tried = std::move(given);
            std::tie(state, error) = waitFor(over, title, m_archive, *tried, open);
        }
    }
    if (state != ArchiveState::Ready && state != ArchiveState::ReadOnlyNewer) {
        const ArchiveNotice notice = stateNotice(state, address, error);
        m_archive.dispose(std::move(tried));
        showNotice(over, title,
                   {notice.icon,
                    notice.text + QStringLiteral("\nL'archivio in uso non è cambiato."),
                    notice.details});
        return false;
    }
    m_archive.use(std::move(tried));
    m_opened = true;
    m_personalInstead = false;
    if (state != ArchiveState::Ready)
        showNotice(over, title, stateNotice(m_archive));
    rememberServer(address);
    return true;
}

void ArchiveKeeper::choosePersonal()
{
    rememberServer(std::nullopt);
    m_archive.use(std::make_unique<Archive>(Archive::defaultPath()));
    waitFor(nullptr, QString(), m_archive, [](Archive &archive) { return archive.open(); });
    m_opened = true;
    m_personalInstead = false;
}

void ArchiveKeeper::reopenUnreachable(QObject *context, const std::function<void()> &then)
{
    m_archive.request(
        context,
        [](Archive &archive) {
            if (archive.state() == ArchiveState::Unreachable)
                archive.open();
            return true;
        },
        [then](bool) { then(); });
}

std::optional<qint64> ArchiveKeeper::chooseSubject(QWidget *over, const QString &name,
                                                   const KeptAssessment &assessment,
                                                   QList<qint64> &asked)
{
    const QList<KeptSubject> namesakes = namesakesOf(
        waitFor(over, saveTitle, m_archive, [](Archive &archive) { return archive.subjects(); }),
        name, assessment.sex);
    asked.clear();
    for (const KeptSubject &subject : namesakes)
        asked << subject.id;
    return askSamePerson(over, {saveTitle, QString()}, namesakes);
}

void ArchiveKeeper::keep(QWidget *over, const QString &name, const KeptAssessment &assessment)
{
    const ArchiveState state = openArchive(over, true);
    if (state != ArchiveState::Ready && state != ArchiveState::Absent) {
        const ArchiveNotice notice = stateNotice(m_archive);
        showNotice(over, saveTitle,
                   {notice.icon,
                    notice.text + QStringLiteral("\nLa valutazione non è stata salvata."),
                    notice.details});
        return;
    }
    // A kept assessment opened again is already there.
    if (assessment.id != 0 &&
        waitFor(over, saveTitle, m_archive,
                [id = assessment.id](Archive &archive) { return archive.holdsAssessment(id); })) {
        showInformation(over, saveTitle,
                        QStringLiteral("La valutazione di %1 del %2 è già nell'archivio: non è "
                                       "stato salvato nulla di nuovo.")
                            .arg(name.simplified(),
                                 QLocale().toString(assessment.takenAt, QLocale::ShortFormat)));
        return;
    }
    Archive::Kept kept;
    // A namesake made meanwhile at another workstation is asked about, as
    // one made here would have been.
    do {
        QList<qint64> asked;
        const auto subjectId = chooseSubject(over, name, assessment, asked);
        // A server that stopped answering the reading is not asked to save.
        if (m_archive.state() == ArchiveState::Unreachable) {
            showNotice(over, saveTitle, failureNotice(WriteOutcome::Offline, QString()));
            return;
        }
        if (!subjectId)
            return;
        kept = waitFor(over, saveTitle, m_archive, [&](Archive &archive) {
            return archive.keep(*subjectId, name, assessment,
                                *subjectId == 0 ? std::optional(asked) : std::nullopt);
        });
    } while (kept.outcome == WriteOutcome::Namesake);
    if (kept.outcome == WriteOutcome::Stale) {
        emit changed();
        showWarning(over, saveTitle,
                    QStringLiteral("Nel frattempo %1 è stato eliminato dall'archivio da un'altra "
                                   "postazione: la valutazione non è stata salvata. Salvandola di "
                                   "nuovo si sceglie a chi attribuirla.")
                        .arg(name.simplified()));
        return;
    }
    if (kept.outcome != WriteOutcome::Done) {
        showNotice(over, saveTitle, failureNotice(kept.outcome, m_archive.filePath()));
        return;
    }
    emit changed();
    showInformation(
        over, saveTitle,
        m_archive.server() ? QStringLiteral("La valutazione di %1 è stata salvata nell'archivio "
                                            "dello studio (%2).")
                                 .arg(name.simplified(), m_archive.whereText())
        : m_personalInstead ? QStringLiteral("La valutazione di %1 è stata salvata nell'archivio "
                                             "personale.")
                                  .arg(name.simplified())
                            : QStringLiteral("La valutazione di %1 è stata salvata nell'archivio.")
                                  .arg(name.simplified()));
}
