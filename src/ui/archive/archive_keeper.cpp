#include "archive_keeper.h"

#include "archive_texts.h"
#include "ui/common/messages.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

namespace {

const QString saveTitle = QStringLiteral("Salva nell'archivio");

} // namespace

ArchiveState ArchiveKeeper::openArchive(QWidget *over)
{
    if (m_opened && m_archive.state() != ArchiveState::Absent)
        return m_archive.state();
    m_opened = true;
    const ArchiveState state = m_archive.open();
    const ArchiveNotice notice = stateNotice(state, m_archive.filePath());
    if (!notice.text.isEmpty())
        showNotice(over, QStringLiteral("Archivio valutazioni"), notice);
    return state;
}

std::optional<qint64> ArchiveKeeper::chooseSubject(QWidget *over, const QString &name,
                                                   const KeptAssessment &assessment)
{
    QList<KeptSubject> namesakes;
    for (const KeptSubject &subject : m_archive.subjects()) {
        if (sameName(subject.name, name) && subject.sex == assessment.sex)
            namesakes << subject;
    }
    std::sort(namesakes.begin(), namesakes.end(),
              [](const auto &a, const auto &b) { return a.lastAssessed > b.lastAssessed; });
    for (const KeptSubject &subject : std::as_const(namesakes)) {
        const QString last =
            subject.lastAssessed.isValid()
                ? QStringLiteral("valutato l'ultima volta il %1")
                      .arg(QLocale().toString(subject.lastAssessed, QLocale::ShortFormat))
                : QStringLiteral("senza valutazioni");
        QMessageBox box(QMessageBox::Question, saveTitle,
                        QStringLiteral("Nell'archivio c'è già \"%1\", %2. È la stessa persona?")
                            .arg(subject.name, last),
                        QMessageBox::NoButton, over);
        QPushButton *same = box.addButton(QStringLiteral("Stessa persona"), QMessageBox::YesRole);
        QPushButton *other = box.addButton(QStringLiteral("Persona diversa"), QMessageBox::NoRole);
        QPushButton *cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        box.setDefaultButton(cancel);
        box.exec();
        if (box.clickedButton() == same)
            return subject.id;
        if (box.clickedButton() != other)
            return std::nullopt;
    }
    return 0;
}

void ArchiveKeeper::keep(QWidget *over, const QString &name, const KeptAssessment &assessment)
{
    const ArchiveState state = openArchive(over);
    if (state != ArchiveState::Ready && state != ArchiveState::Absent) {
        const ArchiveNotice notice = stateNotice(state, m_archive.filePath());
        showNotice(
            over, saveTitle,
            {notice.icon, notice.text + QStringLiteral("\nLa valutazione non è stata salvata.")});
        return;
    }
    const auto subjectId = chooseSubject(over, name, assessment);
    if (!subjectId)
        return;
    const Archive::Kept kept = m_archive.keep(*subjectId, name, assessment);
    if (kept.outcome != WriteOutcome::Done) {
        showNotice(over, saveTitle, failureNotice(kept.outcome, m_archive.filePath()));
        return;
    }
    emit changed();
    showInformation(over, saveTitle,
                    QStringLiteral("La valutazione di %1 è stata salvata nell'archivio.")
                        .arg(name.simplified()));
}
