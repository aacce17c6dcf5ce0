#include "archive_texts.h"

#include "archive/server_failure.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString withoutArchive = QStringLiteral(
    "Nutrivo sviluppa e stampa anche senza archivio; si può ripristinare l'archivio da una copia.");

QString capitalised(QString sentence)
{
    if (!sentence.isEmpty())
        sentence[0] = sentence[0].toUpper();
    return sentence;
}

QString folderOf(const QString &filePath)
{
    return QDir::toNativeSeparators(QFileInfo(filePath).path());
}

} // namespace

ArchiveNotice stateNotice(ArchiveState state, const QString &filePath)
{
    const QString file = QDir::toNativeSeparators(filePath);
    switch (state) {
    case ArchiveState::ReadOnlyNewer:
        return {QMessageBox::Warning,
                QStringLiteral("L'archivio è stato scritto da una versione più recente di "
                               "Nutrivo: si può consultare, ma non modificare.")};
    case ArchiveState::Damaged:
        return {QMessageBox::Critical,
                QStringLiteral("Il file dell'archivio è danneggiato e non viene toccato:\n%1\n%2")
                    .arg(file, withoutArchive)};
    case ArchiveState::NotAnArchive:
        return {QMessageBox::Critical,
                QStringLiteral("Al posto dell'archivio c'è un file che non è un archivio di "
                               "Nutrivo, e non viene toccato:\n%1\n%2")
                    .arg(file, withoutArchive)};
    case ArchiveState::Unreachable:
        return {QMessageBox::Critical,
                QStringLiteral("Non è possibile aprire l'archivio:\n%1\nControllare i permessi "
                               "della cartella e lo spazio sul disco.")
                    .arg(file)};
    case ArchiveState::NotPrepared:
        return {QMessageBox::Critical,
                QStringLiteral("Il database dell'archivio dello studio non ha le tabelle di "
                               "questa versione di Nutrivo:\n%1\nChi amministra il server lo "
                               "prepari con il comando:\nnutrivo --archive <indirizzo> "
                               "--prepare-server")
                    .arg(filePath)};
    case ArchiveState::Absent:
    case ArchiveState::Ready:
        break;
    }
    return {QMessageBox::NoIcon, QString()};
}

ArchiveNotice stateNotice(ArchiveState state, const ServerAddress &server,
                          const QString &connectionError)
{
    if (state == ArchiveState::Unreachable)
        return {QMessageBox::Critical,
                QStringLiteral("Non è possibile raggiungere l'archivio dello studio (%1):\n%2\n"
                               "Nutrivo sviluppa e stampa anche senza archivio.")
                    .arg(describe(server), capitalised(serverFailureText(server, connectionError))),
                withoutWeakeningAdvice(connectionError)};
    if (state == ArchiveState::ReadOnlyNewer)
        return {QMessageBox::Warning,
                QStringLiteral("L'archivio dello studio (%1) è stato preparato per una versione "
                               "più recente di Nutrivo: da questa postazione si può consultare, "
                               "ma non modificare, finché non vi si installa la versione nuova.")
                    .arg(describe(server))};
    return stateNotice(state, describe(server));
}

ArchiveNotice stateNotice(const ArchiveSession &archive)
{
    return archive.server()
               ? stateNotice(archive.state(), *archive.server(), archive.connectionError())
               : stateNotice(archive.state(), archive.whereText());
}

QString stateLine(const ArchiveSession &archive)
{
    if (archive.server() && archive.state() == ArchiveState::Unreachable)
        return QStringLiteral("Archivio dello studio non raggiungibile (%1): %2")
            .arg(archive.whereText(),
                 serverFailureText(*archive.server(), archive.connectionError()));
    return stateNotice(archive).text;
}

QString serverFailureText(const ServerAddress &address, const QString &libpqText)
{
    switch (serverFailureOf(libpqText)) {
    case ServerFailure::NoPassword:
        return QStringLiteral("il server chiede la password di %1, che non è stata data.")
            .arg(address.user);
    case ServerFailure::WrongPassword:
        return QStringLiteral("il server non ha accettato la password di %1: controllarla e "
                              "riprovare.")
            .arg(address.user);
    case ServerFailure::UnknownRole:
        return QStringLiteral("il server non conosce l'utente %1: controllare il nome, o chiedere "
                              "a chi amministra il server di crearlo.")
            .arg(address.user);
    case ServerFailure::NoDatabase:
        return QStringLiteral("sul server non c'è il database %1: controllare il nome, o chiedere "
                              "a chi amministra il server di crearlo.")
            .arg(address.database);
    case ServerFailure::AnotherName:
        return QStringLiteral("il certificato del server è intestato a un altro nome: scrivere il "
                              "nome del server come compare nel certificato.");
    case ServerFailure::UnknownAuthority:
        return QStringLiteral("il certificato del server non è firmato dall'autorità (CA) scelta: "
                              "scegliere il file della CA dello studio.");
    case ServerFailure::NoAuthorityFile:
        return QStringLiteral("il file della CA non c'è (%1): sceglierne uno che esiste.")
            .arg(QDir::toNativeSeparators(address.caCertificate));
    case ServerFailure::NoTls:
        return QStringLiteral("il server non accetta collegamenti cifrati: chi lo amministra deve "
                              "attivarli.");
    case ServerFailure::NotAllowed:
        return QStringLiteral("il server non accetta l'utente %1 da questa postazione: chi lo "
                              "amministra deve permetterlo.")
            .arg(address.user);
    case ServerFailure::NotAnswering:
        return QStringLiteral("il server non risponde. Controllare che sia acceso e raggiungibile "
                              "da questa postazione, poi riprovare.");
    case ServerFailure::Other:
        break;
    }
    return QStringLiteral("il server ha rifiutato il collegamento (i dettagli dicono perché).");
}

QString unloggedText()
{
    return QStringLiteral(
        "Il registro accessi dell'archivio non accetta le registrazioni di questo "
        "utente: l'operazione non è stata eseguita, perché ogni accesso ai dati "
        "dei soggetti deve restare registrato. Rivolgersi al titolare "
        "dell'archivio.");
}

ArchiveNotice failureNotice(WriteOutcome outcome, const QString &filePath)
{
    switch (outcome) {
    case WriteOutcome::Busy:
        return {QMessageBox::Warning,
                QStringLiteral("L'archivio è occupato da un'altra copia di Nutrivo: l'operazione "
                               "non è stata eseguita. Riprovare tra poco.")};
    case WriteOutcome::DiskFull:
        return {QMessageBox::Critical,
                QStringLiteral("Il disco è pieno: l'operazione non è stata eseguita e l'archivio "
                               "è rimasto com'era.")};
    case WriteOutcome::Unwritable:
        return {QMessageBox::Critical,
                QStringLiteral("Non è possibile scrivere nella cartella dell'archivio:\n%1\n"
                               "L'operazione non è stata eseguita e l'archivio è rimasto com'era.")
                    .arg(folderOf(filePath))};
    case WriteOutcome::Offline:
        return {QMessageBox::Critical,
                QStringLiteral("Il server dell'archivio non risponde: l'operazione non è stata "
                               "eseguita e l'archivio è rimasto com'era. Riprovare quando il "
                               "server è di nuovo raggiungibile.")};
    case WriteOutcome::Unconfirmed:
        return {QMessageBox::Warning,
                QStringLiteral("Il server dell'archivio non ha confermato il salvataggio: la "
                               "valutazione potrebbe essere stata salvata oppure no. Quando il "
                               "server è di nuovo raggiungibile, controllare nell'archivio prima "
                               "di salvarla di nuovo.")};
    case WriteOutcome::Stale:
        return {QMessageBox::Warning,
                QStringLiteral("Nel frattempo il soggetto è stato modificato o eliminato da "
                               "un'altra postazione: l'operazione non è stata eseguita. L'elenco "
                               "mostra ora l'archivio com'è.")};
    case WriteOutcome::Unlogged:
        return {QMessageBox::Critical, unloggedText()};
    case WriteOutcome::Namesake:
    case WriteOutcome::Refused:
    case WriteOutcome::Done:
        break;
    }
    return {QMessageBox::NoIcon, QString()};
}

QString othersChange(const KeptSubject &seen, const std::optional<KeptSubject> &now)
{
    const QString who = QStringLiteral("un'altra postazione ha ");
    if (!now)
        return who + QStringLiteral("eliminato %1 dall'archivio").arg(seen.name);
    if (now->name != seen.name)
        return who + QStringLiteral("rinominato %1 in %2").arg(seen.name, now->name);
    if (now->assessments > seen.assessments)
        return who + QStringLiteral("aggiunto una valutazione di %1").arg(seen.name);
    if (now->assessments < seen.assessments)
        return who + QStringLiteral("eliminato una valutazione di %1").arg(seen.name);
    return who + QStringLiteral("modificato le valutazioni di %1").arg(seen.name);
}

void showNotice(QWidget *parent, const QString &title, const ArchiveNotice &notice)
{
    QMessageBox box(notice.icon, title, notice.text, QMessageBox::Ok, parent);
    box.setDetailedText(notice.details);
    box.exec();
}

QString visitsText(const KeptSubject &subject, const QLocale &locale)
{
    const QString first = locale.toString(subject.firstAssessed.date(), QLocale::ShortFormat);
    return subject.assessments == 1
               ? QStringLiteral("1 valutazione, il %1").arg(first)
               : QStringLiteral("%1 valutazioni dal %2").arg(subject.assessments).arg(first);
}
