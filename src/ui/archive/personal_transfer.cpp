#include "personal_transfer.h"

#include "archive_texts.h"
#include "archive_wait.h"
#include "namesake_question.h"
#include "ui/common/messages.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <atomic>

namespace {

const QString title = QStringLiteral("Trasferisci nell'archivio dello studio");
const QString unchanged = QStringLiteral("L'archivio dello studio non è stato modificato.");

QString subjectsText(int count)
{
    return count == 1 ? QStringLiteral("1 soggetto") : QStringLiteral("%1 soggetti").arg(count);
}

QString assessmentsText(int count)
{
    return count == 1 ? QStringLiteral("1 valutazione")
                      : QStringLiteral("%1 valutazioni").arg(count);
}

bool confirmed(QWidget *over, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, over);
    QPushButton *yes = box.addButton(QStringLiteral("Trasferisci"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == yes;
}

QString outcomeText(const Archive::Transfer &transfer)
{
    if (transfer.outcome == WriteOutcome::Done) {
        const int subjects = transfer.newSubjects + transfer.joinedSubjects;
        const QString joined = transfer.joinedSubjects == 0 ? QString()
                               : transfer.joinedSubjects == 1
                                   ? QStringLiteral(" (1 unito a un soggetto già presente)")
                                   : QStringLiteral(" (%1 uniti a soggetti già presenti)")
                                         .arg(transfer.joinedSubjects);
        return QStringLiteral("Trasferimento completato: %1%2 e %3; conteggi e somme di controllo "
                              "corrispondono. L'archivio personale non è stato modificato.")
            .arg(subjectsText(subjects), joined, assessmentsText(transfer.assessments));
    }
    if (transfer.cancelled)
        return QStringLiteral("Trasferimento annullato: l'archivio dello studio non è stato "
                              "modificato.");
    if (transfer.mismatched)
        return QStringLiteral("I dati riletti dall'archivio dello studio non corrispondono a "
                              "quelli dell'archivio personale: il trasferimento non è stato "
                              "completato.\n") +
               unchanged;
    const QString failure = failureNotice(transfer.outcome, QString()).text;
    return (failure.isEmpty() ? QStringLiteral("Il server ha rifiutato i dati dell'archivio "
                                               "personale: il trasferimento non è stato "
                                               "completato.")
                              : failure) +
           '\n' + unchanged;
}

// The transfer runs where the practice's archive lives, reading the
// personal file there too; the window follows its rows.
Archive::Transfer transferred(QWidget *over, ArchiveSession &practice, const QString &personalPath,
                              const QHash<qint64, qint64> &samePerson, int rows)
{
    QProgressDialog progress(QStringLiteral("Trasferimento nell'archivio dello studio..."),
                             QStringLiteral("Annulla"), 0, rows, over);
    progress.setWindowTitle(title);
    // Application-modal: nothing else may write to the archive meanwhile.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    // Stays until the transfer has stopped: only then is its outcome known.
    QObject::disconnect(&progress, &QProgressDialog::canceled, &progress, &QProgressDialog::cancel);
    std::atomic<bool> cancelled = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] {
        cancelled = true;
        progress.setLabelText(QStringLiteral("Annullamento del trasferimento..."));
    });
    std::atomic<int> done = 0;
    std::atomic<int> total = rows;
    QTimer follow;
    QObject::connect(&follow, &QTimer::timeout, &progress, [&] {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    follow.start(50);
    progress.show();
    std::optional<Archive::Transfer> transfer;
    QEventLoop loop;
    practice.send(
        [&](Archive &archive) {
            Archive personal(personalPath);
            personal.open();
            transfer = archive.takeIn(personal, samePerson, [&](int rowsDone, int rowsAll) {
                done = rowsDone;
                total = rowsAll;
                return !cancelled;
            });
        },
        [&] { loop.quit(); });
    if (!transfer)
        loop.exec();
    return *transfer;
}

} // namespace

bool transferPersonalArchive(QWidget *over, ArchiveSession &practice, const QString &personalPath)
{
    const QString empty =
        QStringLiteral("L'archivio personale è vuoto: non c'è nulla da trasferire.");
    const ArchiveState state = Archive::inspect(personalPath);
    if (state == ArchiveState::Absent) {
        showInformation(over, title, empty);
        return false;
    }
    Archive personal(personalPath);
    // Only what this version reads in full is moved.
    if (state != ArchiveState::Ready || personal.open() != ArchiveState::Ready) {
        const ArchiveNotice notice =
            stateNotice(state == ArchiveState::Ready ? personal.state() : state, personalPath);
        showNotice(over, title,
                   {notice.icon, notice.text + QStringLiteral("\nNon è stato trasferito nulla."),
                    notice.details});
        return false;
    }
    const QList<KeptSubject> subjects = personal.subjects();
    int assessments = 0;
    for (const KeptSubject &subject : subjects)
        assessments += subject.assessments;
    if (subjects.isEmpty()) {
        showInformation(over, title, empty);
        return false;
    }
    if (!confirmed(over, QStringLiteral("Trasferire %1 e %2 dall'archivio personale "
                                        "all'archivio dello studio (%3)? L'archivio personale "
                                        "resterà com'è.")
                             .arg(subjectsText(int(subjects.size())), assessmentsText(assessments),
                                  practice.whereText())))
        return false;

    // Namesakes are never joined unasked.
    QHash<qint64, qint64> samePerson;
    const QList<KeptSubject> there =
        waitFor(over, title, practice, [](Archive &archive) { return archive.subjects(); });
    for (const KeptSubject &subject : subjects) {
        const QList<KeptSubject> namesakes = namesakesOf(there, subject.name, subject.sex);
        if (namesakes.isEmpty())
            continue;
        const auto chosen = askSamePerson(over,
                                          {title,
                                           QStringLiteral("Dall'archivio personale: \"%1\", %2.\n")
                                               .arg(subject.name, subjectSummary(subject)),
                                           QStringLiteral("Nell'archivio dello studio")},
                                          namesakes);
        if (!chosen) {
            showInformation(over, title, outcomeText({WriteOutcome::Refused, true}));
            return false;
        }
        if (*chosen != 0)
            samePerson.insert(subject.id, *chosen);
    }

    const Archive::Transfer transfer =
        transferred(over, practice, personalPath, samePerson, int(subjects.size()) + assessments);
    const QString text = outcomeText(transfer);
    if (transfer.outcome == WriteOutcome::Done || transfer.cancelled)
        showInformation(over, title, text);
    else
        showCritical(over, title, text);
    return transfer.outcome == WriteOutcome::Done;
}
