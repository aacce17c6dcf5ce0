#include "archive/server_schema.h"
#include "archive_fixture.h"
#include "form1_driver.h"
#include "message_catcher.h"
#include "postgres_server.h"
#include "ui/archive/archive_choice.h"
#include "ui/archive/archive_texts.h"
#include "ui/program.h"
#include "ui/trend/trend_view.h"

#include <QElapsedTimer>
#include <QInputDialog>
#include <QListView>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

// The main window and the archive window through the program's own wiring,
// with the archive on a PostgreSQL server the suite starts itself.
class TestFrmArchivioServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savedFoundRenamedAndDeleted();
    void unpreparedServerNamesThePreparation();
    void chosenInTheWindowAndRemembered();
    void personalArchiveTransferred();
    void refreshedByAnotherWorkstation();
    void refreshedAfterARestart_data();
    void refreshedAfterARestart();
    void namesakeMadeWhileTheQuestionWasOpen();
    void stoppedServerReportedAndSavedAgain();
    void cancelledSaveToldTruly_data();
    void cancelledSaveToldTruly();
    void olderProgramReadsANewerServer();
    void changedWhileTheDeleteWasAsked();
    void renameBesideColleagues();
    void outageNeverShownAsEmpty();
    void readAgainByItself();
    void refusalSaidInItalian();
    void exportNeverPartial();
    void roleWithoutTheLogNeitherReadsNorSaves();
    void passwordAskedOnceAtAStart();
    void failedChoiceKeepsTheArchiveInUse();

private:
    void startProgram(const QString &database, const QString &user = PostgresServer::superuser());
    // The program on a server as a role with a password, given when asked;
    // the password questions asked.
    int startWithPassword(const QString &database);
    frmArchivio *openArchiveWindow();
    // A prepared database with these subjects, saved there by another
    // workstation (m_other), and the program's archive window over it.
    frmArchivio *openOver(const QStringList &subjects);

    QTemporaryDir m_data;
    std::unique_ptr<PostgresServer> m_server;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<Form1Driver> m_driver;
    QString m_database;
    std::unique_ptr<Archive> m_other;
};

namespace {

// The window's readings answered, as far as the server's wait allows.
bool settled(const frmArchivio *window)
{
    QElapsedTimer clock;
    clock.start();
    while (window->awaitingArchive() && clock.elapsed() < 30000)
        QTest::qWait(5);
    return !window->awaitingArchive();
}

const QString passwordRole = QStringLiteral("dietista_bianchi");
const QString rolePassword = QStringLiteral("Pane e sale 1");

// Runs action giving the password when asked, counting the questions, and
// answering every message with its default button.
QList<ShownMessage> givingPassword(const std::function<void()> &action, int &asked,
                                   const std::function<void(QWidget *)> &otherDialog = {})
{
    QList<ShownMessage> shown;
    answeringDialogs(action, [&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
            QAbstractButton *press = box->defaultButton();
            press ? press->click() : box->accept();
        } else if (auto *question = qobject_cast<QInputDialog *>(modal)) {
            ++asked;
            QCOMPARE(question->textEchoMode(), QLineEdit::Password);
            question->setTextValue(rolePassword);
            question->accept();
        } else if (otherDialog) {
            otherDialog(modal);
        }
    });
    return shown;
}

} // namespace

void TestFrmArchivioServer::initTestCase()
{
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_data.filePath("configuration").toLocal8Bit());
    // No password from libpq's own file: the user is the only source.
    qputenv("PGPASSFILE", m_data.filePath("pgpass").toLocal8Bit());
    QLocale::setDefault(italianLocale());
    m_server = std::make_unique<PostgresServer>();
    if (!m_server->isRunning())
        QSKIP(qPrintable(m_server->whyNot()));
    QVERIFY(m_server->addPasswordRole(passwordRole, rolePassword));
}

void TestFrmArchivioServer::init()
{
    // Nothing of the driver's reaches standard error in normal use.
    QTest::failOnWarning(QRegularExpression("^(QSqlQuery|QSocketNotifier|QSqlDatabase)"));
}

void TestFrmArchivioServer::cleanup()
{
    m_driver.reset();
    m_program.reset();
    m_other.reset();
}

void TestFrmArchivioServer::startProgram(const QString &database, const QString &user)
{
    m_program = std::make_unique<Program>(m_server->uri(database, user));
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
}

frmArchivio *TestFrmArchivioServer::openOver(const QStringList &subjects)
{
    m_database = m_server->preparedDatabase();
    m_other = std::make_unique<Archive>(m_server->address(m_database));
    m_other->open();
    for (const QString &name : subjects)
        m_other->keep(0, name, developedAssessment());
    startProgram(m_database);
    return openArchiveWindow();
}

frmArchivio *TestFrmArchivioServer::openArchiveWindow()
{
    answeringMessages([this] { m_driver->press("cmdArchivio"); });
    frmArchivio *window = m_program->archiveWindow();
    return window && showActive(window) && settled(window) ? window : nullptr;
}

void TestFrmArchivioServer::savedFoundRenamedAndDeleted()
{
    const QString database = m_server->newDatabase();
    QCOMPARE(server_schema::prepareServer(m_server->address(database)).error, QString());
    startProgram(database);
    const QString where = "database " + database + " su questa macchina";

    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    auto shown = answeringMessages([this] { m_driver->press("cmdSalva"); });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text, "La valutazione di Rossi Mario è stata salvata nell'archivio dello "
                            "studio (" +
                                where + ").");
    // Nothing of the server archive goes to the personal file.
    QVERIFY(!QFileInfo::exists(Archive::defaultPath()));

    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    QCOMPARE(window->findChild<QLabel *>("lblStato")->text(),
             "1 soggetto. Archivio: dello studio, " + where);
    auto *list = window->findChild<QListView *>("lstSoggetti");
    QCOMPARE(list->model()->rowCount(), 1);
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    QCOMPARE(window->findChild<QTableView *>("tblValutazioni")->model()->rowCount(), 1);
    // Opened again from the server into the main window.
    m_driver->box("Text1")->setText("Altro Soggetto");
    m_driver->box("Text2")->setText("90");
    answeringMessages(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdApri"), Qt::LeftButton); });
    QCOMPARE(m_driver->box("Text1")->text(), QString("Rossi Mario"));
    QCOMPARE(m_driver->box("Text2")->text(), QString("70"));
    QVERIFY(m_driver->shown("Frame2"));

    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdRinomina"), Qt::LeftButton); },
        [](QWidget *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            input->setTextValue("Rossi Mario Luigi");
            input->accept();
        });
    Archive reader(m_server->address(database));
    reader.open();
    QCOMPARE(reader.subjects().value(0).name, QString("Rossi Mario Luigi"));

    // Another workstation renames the subject: this window's delete of what
    // it read is refused, and the list shows the archive as it is.
    QCOMPARE(reader.rename(reader.subjects().value(0), "Rossi Luigi"), WriteOutcome::Done);
    const auto removeSubject = [&] {
        return answeringMessages(
            [&] {
                QTest::mouseClick(window->findChild<QPushButton *>("cmdEliminaSoggetto"),
                                  Qt::LeftButton);
            },
            "Elimina");
    };
    shown = removeSubject();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].icon, QMessageBox::Warning);
    QCOMPARE(shown[1].text, "Nel frattempo un'altra postazione ha rinominato Rossi Mario Luigi "
                            "in Rossi Luigi: il soggetto non è stato eliminato.");
    QCOMPARE(reader.subjects().size(), 1);
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(list->currentIndex().data().toString().startsWith("Rossi Luigi ("));

    shown = removeSubject();
    QCOMPARE(shown.size(), 1);
    QVERIFY(reader.subjects().isEmpty());
    QCOMPARE(list->model()->rowCount(), 0);
}

// A server without this version's tables: the user is told to have it
// prepared, and works with the personal archive meanwhile.
void TestFrmArchivioServer::unpreparedServerNamesThePreparation()
{
    startProgram(m_server->newDatabase());
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    // The wait cursor while the server is asked, never over a message.
    bool waitingOverMessage = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) &&
            QGuiApplication::overrideCursor())
            waitingOverMessage = true;
    });
    watch.start(1);
    const auto shown = answeringMessages([&] { m_driver->press("cmdSalva"); });
    watch.stop();
    // Said once; meanwhile the save goes to the personal archive.
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0].icon, QMessageBox::Critical);
    QCOMPARE(shown[0].title, "Archivio dello studio");
    // The command on a line of its own, never broken at its hyphens.
    QVERIFY2(shown[0].text.contains("\nnutrivo --archive <indirizzo> --prepare-server\n") &&
                 shown[0].text.endsWith("\nIntanto Nutrivo usa l'archivio personale."),
             qPrintable(shown[0].text));
    QCOMPARE(shown[1].text,
             "La valutazione di Rossi Mario è stata salvata nell'archivio personale.");
    Archive personal(Archive::defaultPath());
    QCOMPARE(personal.open(), ArchiveState::Ready);
    QCOMPARE(personal.subjects().size(), 1);
    QFile::remove(Archive::defaultPath());
    QVERIFY(!waitingOverMessage);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(m_driver->shown("Frame2"));
}

// "Archivio dello studio..." switches the window to the server and remembers
// it, without a password, for the next start; "Archivio personale" goes back.
void TestFrmArchivioServer::chosenInTheWindowAndRemembered()
{
    const QString database = m_server->newDatabase();
    QCOMPARE(server_schema::prepareServer(m_server->address(database)).error, QString());
    {
        Archive archive(m_server->address(database));
        archive.open();
        archive.keep(0, "Verdi Anna", developedAssessment());
    }
    m_program = std::make_unique<Program>();
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *status = window->findChild<QLabel *>("lblStato");
    QVERIFY2(status->text().startsWith("L'archivio è vuoto"), qPrintable(status->text()));
    QVERIFY(!QFileInfo::exists(archiveChoicePath())); // nothing written before a choice

    // A host elsewhere without a certificate is refused before connecting.
    const auto fill = [](const QString &host, int port, const QString &database) {
        return [=](QWidget *dialog) {
            // Every Alt+letter of the dialog reaches its field.
            for (const QLabel *label : dialog->findChildren<QLabel *>()) {
                if (label->text().contains('&'))
                    QVERIFY2(label->buddy(), qPrintable(label->text()));
            }
            dialog->findChild<QLineEdit *>("txtServer")->setText(host);
            dialog->findChild<QSpinBox *>("txtPorta")->setValue(port);
            dialog->findChild<QLineEdit *>("txtDatabase")->setText(database);
            dialog->findChild<QLineEdit *>("txtUtente")->setText(PostgresServer::superuser());
            qobject_cast<QDialog *>(dialog)->accept();
        };
    };
    QList<ShownMessage> shown;
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdStudio"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
                box->accept();
            } else {
                fill("studio.example", 5432, "nutrivo")(dialog);
            }
        });
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains("certificato"), qPrintable(shown[0].text));
    QVERIFY(status->text().startsWith("L'archivio è vuoto"));

    // What was typed is there again, though it failed.
    QString offered;
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdStudio"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            offered = dialog->findChild<QLineEdit *>("txtServer")->text();
            fill(m_server->socketFolder(), m_server->port(), database)(dialog);
        });
    QCOMPARE(offered, QString("studio.example"));
    QCOMPARE(status->text(),
             "1 soggetto. Archivio: dello studio, database " + database + " su questa macchina");
    QCOMPARE(QFileInfo(archiveChoicePath()).permissions() & 0x0777,
             QFileDevice::ReadUser | QFileDevice::WriteUser);
    QCOMPARE(rememberedServer().value_or(ServerAddress{}).database, database);

    // The next start opens the practice's archive.
    cleanup();
    m_program = std::make_unique<Program>();
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
    window = openArchiveWindow();
    QVERIFY(window);
    QCOMPARE(window->findChild<QListView *>("lstSoggetti")->model()->rowCount(), 1);

    QTest::mouseClick(window->findChild<QPushButton *>("cmdPersonale"), Qt::LeftButton);
    QVERIFY(window->findChild<QLabel *>("lblStato")->text().startsWith("L'archivio è vuoto"));
    QVERIFY(!QFileInfo::exists(archiveChoicePath()));
    // Back on the personal file, the server is offered as it was typed.
    QStringList fields;
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdStudio"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            for (const char *name : {"txtServer", "txtDatabase", "txtUtente"})
                fields << dialog->findChild<QLineEdit *>(name)->text();
            fields << QString::number(dialog->findChild<QSpinBox *>("txtPorta")->value());
            qobject_cast<QDialog *>(dialog)->reject();
        });
    QCOMPARE(fields, QStringList({m_server->socketFolder(), database, PostgresServer::superuser(),
                                  QString::number(m_server->port())}));
}

// The personal archive into the server: the namesakes asked about, a cancel
// that leaves the server as it was, then the whole file moved.
void TestFrmArchivioServer::personalArchiveTransferred()
{
    const QString database = m_server->preparedDatabase();
    {
        Archive server(m_server->address(database));
        server.open();
        server.keep(0, "Rossi Mario", developedAssessment());
        KeptAssessment woman = developedAssessment("1,60", "55");
        woman.sex = assessment::Sex::Femminile;
        server.keep(0, "Bianchi Anna", woman);
        Archive personal(Archive::defaultPath());
        personal.open();
        const qint64 rossi = personal.keep(0, "Rossi Mario", developedAssessment()).subjectId;
        personal.keep(rossi, "", developedAssessment("1,70", "72"));
        personal.keep(0, "Bianchi Anna", woman);
        personal.keep(0, "D'Amico \"Totò\"", developedAssessment());
    }
    const QByteArray personalBefore = checksum(Archive::defaultPath());
    startProgram(database);
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *transfer = window->findChild<QPushButton *>("cmdTrasferisci");
    QVERIFY(transfer->isEnabled());
    auto *status = window->findChild<QLabel *>("lblStato");
    const QString where = "Archivio: dello studio, database " + database + " su questa macchina";
    QCOMPARE(status->text(), "2 soggetti. " + where);

    // Each namesake's question is answered by what it says of them.
    const auto transferred = [&](bool cancelAtQuestion) {
        QList<ShownMessage> shown;
        answeringDialogs(
            [&] { QTest::mouseClick(transfer, Qt::LeftButton); },
            [&](QWidget *dialog) {
                auto *box = qobject_cast<QMessageBox *>(dialog);
                if (!box)
                    return;
                shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
                QString press;
                if (box->text().startsWith("Trasferire"))
                    press = "Trasferisci";
                else if (cancelAtQuestion && box->text().startsWith("Dall'archivio"))
                    press = "Annulla";
                else if (box->text().startsWith("Dall'archivio personale: \"Rossi"))
                    press = "Stessa persona";
                else if (box->text().startsWith("Dall'archivio"))
                    press = "Persona diversa";
                QAbstractButton *chosen = box->button(QMessageBox::Ok);
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text() == press)
                        chosen = button;
                }
                if (chosen)
                    chosen->click();
                else
                    qWarning("unanswered: %s", qPrintable(box->text()));
            });
        return shown;
    };
    QList<ShownMessage> shown = transferred(true);
    QCOMPARE(shown.size(), 3);
    QCOMPARE(shown[0].text, "Trasferire 3 soggetti e 4 valutazioni dall'archivio personale "
                            "all'archivio dello studio (database " +
                                database +
                                " su questa macchina)? L'archivio personale resterà "
                                "com'è.");
    QCOMPARE(shown[2].text,
             "Trasferimento annullato: l'archivio dello studio non è stato modificato.");
    QCOMPARE(status->text(), "2 soggetti. " + where);

    shown = transferred(false);
    QCOMPARE(shown.size(), 4);
    QCOMPARE(shown[0].title, "Trasferisci nell'archivio dello studio");
    const QString rossi = shown[1].text.contains("Rossi") ? shown[1].text : shown[2].text;
    QVERIFY2(rossi.startsWith("Dall'archivio personale: \"Rossi Mario\", valutato l'ultima "
                              "volta il 08/12/26 11:15, ultimo peso 72,00 kg, 2 valutazioni dal "
                              "08/12/26.\nNell'archivio dello studio c'è già \"Rossi Mario\", "
                              "valutato l'ultima volta il 08/12/26 11:15, ultimo peso 70,00 kg"),
             qPrintable(rossi));
    QCOMPARE(shown[3].icon, QMessageBox::Information);
    QCOMPARE(shown[3].text, "Trasferimento completato: 3 soggetti (1 unito a un soggetto già "
                            "presente) e 4 valutazioni; conteggi e somme di controllo "
                            "corrispondono. L'archivio personale non è stato modificato.");
    QCOMPARE(status->text(), "4 soggetti. " + where);
    Archive reader(m_server->address(database));
    reader.open();
    QMap<QString, int> assessments;
    for (const KeptSubject &subject : reader.subjects())
        assessments[subject.name] += subject.assessments;
    QCOMPARE(assessments, (QMap<QString, int>{
                              {"Rossi Mario", 3}, {"Bianchi Anna", 2}, {"D'Amico \"Totò\"", 1}}));
    QCOMPARE(reader.subjects().size(), 4);
    cleanup();
    QCOMPARE(checksum(Archive::defaultPath()), personalBefore);
    QFile::remove(Archive::defaultPath());
}

// Another workstation's saves and deletes reach the open window within a
// second, the search and the selection kept.
void TestFrmArchivioServer::refreshedByAnotherWorkstation()
{
    const QString database = m_server->preparedDatabase();
    Archive other(m_server->address(database));
    other.open();
    const qint64 mario = other.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    const qint64 paolo = other.keep(0, "Rossi Paolo", developedAssessment()).subjectId;
    other.keep(0, "Bianchi Anna", developedAssessment());
    startProgram(database);
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *search = window->findChild<QLineEdit *>("txtCerca");
    auto *list = window->findChild<QListView *>("lstSoggetti");
    auto *status = window->findChild<QLabel *>("lblStato");
    QTest::keyClicks(search, "rossi");
    QCOMPARE(list->model()->rowCount(), 2);
    list->setCurrentIndex(list->model()->index(1, 0));
    QVERIFY(settled(window));
    QVERIFY(list->currentIndex().data().toString().startsWith("Rossi Paolo"));

    QElapsedTimer clock;
    clock.start();
    other.keep(mario, "", developedAssessment("1,70", "69"));
    other.keep(0, "Rossi Anna", developedAssessment());
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 3, 1000);
    qInfo("another workstation's save shown after %lld ms", clock.elapsed());
    QCOMPARE(search->text(), QString("rossi"));
    QVERIFY(list->currentIndex().data().toString().startsWith("Rossi Paolo"));
    QVERIFY2(status->text().startsWith("Trovati 3 soggetti su 4."), qPrintable(status->text()));

    QCOMPARE(other.removeSubject(seenSubject(other, paolo)), WriteOutcome::Done);
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 2, 1000);
    QVERIFY2(status->text().startsWith("Il soggetto selezionato è stato eliminato da un'altra "
                                       "postazione. Trovati 2 soggetti su 3."),
             qPrintable(status->text()));
}

void TestFrmArchivioServer::refreshedAfterARestart_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("fast") << "fast";
    QTest::newRow("immediate") << "immediate";
}

// The server restarted while the window stood idle: the window notices by
// itself, listens again on a new session, and shows the next change made
// elsewhere, and those made while it was away.
void TestFrmArchivioServer::refreshedAfterARestart()
{
    QFETCH(QString, mode);
    frmArchivio *window = openOver({"Rossi Mario"});
    QVERIFY(window);
    const QString database = m_database;
    auto *list = window->findChild<QListView *>("lstSoggetti");
    auto *status = window->findChild<QLabel *>("lblStato");
    QCOMPARE(list->model()->rowCount(), 1);

    QVERIFY(m_server->stop(mode));
    QTest::qWait(200);
    QVERIFY(m_server->start());
    QTest::qWait(200);
    QElapsedTimer clock;
    clock.start();
    Archive after(m_server->address(database));
    QCOMPARE(after.open(), ArchiveState::Ready);
    after.keep(0, "Bianchi Anna", developedAssessment());
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 2, 5000);
    qInfo("a save after a restart shown in %lld ms", clock.elapsed());
    QVERIFY2(status->text().startsWith("2 soggetti."), qPrintable(status->text()));
    clock.restart();
    after.keep(0, "Verdi Luca", developedAssessment());
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 3, 2000);
}

// The user says "Persona diversa" while another workstation makes a subject
// of the same name: the question comes again, with both namesakes.
void TestFrmArchivioServer::namesakeMadeWhileTheQuestionWasOpen()
{
    const QString database = m_server->preparedDatabase();
    Archive other(m_server->address(database));
    other.open();
    other.keep(0, "Rossi Mario", developedAssessment());
    startProgram(database);
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    QList<ShownMessage> shown;
    answeringDialogs([this] { m_driver->press("cmdSalva"); },
                     [&](QWidget *dialog) {
                         auto *box = qobject_cast<QMessageBox *>(dialog);
                         shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
                         if (shown.size() == 1)
                             other.keep(0, "ROSSI MARIO", developedAssessment("1,70", "90"));
                         QAbstractButton *press = box->button(QMessageBox::Ok);
                         for (QAbstractButton *button : box->buttons()) {
                             if (button->text() == "Persona diversa")
                                 press = button;
                         }
                         press->click();
                     });
    QCOMPARE(shown.size(), 3);
    QVERIFY2(shown[0].text.startsWith("Nell'archivio c'è già \"Rossi Mario\""),
             qPrintable(shown[0].text));
    QVERIFY2(shown[1].text.startsWith("Nell'archivio ci sono già 2 soggetti \""),
             qPrintable(shown[1].text));
    QVERIFY(shown[2].text.startsWith("La valutazione di Rossi Mario è stata salvata"));
    QCOMPARE(other.subjects().size(), 3);
}

// The server stopped with its sockets open, as a network gone silent: each
// save says so within the server's wait, the development stays on screen,
// and once the server runs again the same save goes through.
void TestFrmArchivioServer::stoppedServerReportedAndSavedAgain()
{
    const QString database = m_server->preparedDatabase();
    startProgram(database);
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    QCOMPARE(answeringMessages([this] { m_driver->press("cmdSalva"); }).size(), 1);

    QVERIFY(m_server->pause());
    const auto resume = qScopeGuard([this] { m_server->resume(); });
    const auto saveTimed = [this](qint64 &waited) {
        QElapsedTimer clock;
        clock.start();
        const auto shown = answeringMessages([this] { m_driver->press("cmdSalva"); });
        waited = clock.elapsed();
        return shown;
    };
    qint64 waited = 0;
    auto shown = saveTimed(waited);
    qInfo("a stopped server reported after %lld ms", waited);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, QMessageBox::Critical);
    QVERIFY2(shown[0].text.startsWith("Il server dell'archivio non risponde"),
             qPrintable(shown[0].text));
    QVERIFY2(waited < (serverWaitSeconds + 5) * 1000, qPrintable(QString::number(waited)));
    // Still away: a new session is tried, within its own wait, and refused.
    shown = saveTimed(waited);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.startsWith("Non è possibile raggiungere l'archivio dello studio") &&
                 shown[0].text.endsWith("La valutazione non è stata salvata."),
             qPrintable(shown[0].text));
    QVERIFY2(waited < (serverWaitSeconds + 5) * 1000, qPrintable(QString::number(waited)));
    QVERIFY(m_driver->shown("Frame2"));
    QCOMPARE(m_driver->box("Text1")->text(), QString("Rossi Mario"));

    QVERIFY(m_server->resume());
    shown = answeringMessages([this] { m_driver->press("cmdSalva"); }, "Stessa persona");
    QCOMPARE(shown.size(), 2);
    QVERIFY2(shown[1].text.startsWith("La valutazione di Rossi Mario è stata salvata"),
             qPrintable(shown[1].text));
    Archive reader(m_server->address(database));
    reader.open();
    QCOMPARE(reader.subjects().value(0).assessments, 2);
}

void TestFrmArchivioServer::cancelledSaveToldTruly_data()
{
    QTest::addColumn<bool>("commitSent");
    QTest::addColumn<QString>("told");
    QTest::newRow("server stopped") << false << "Il server dell'archivio non risponde";
    QTest::newRow("commit sent") << true << "Il server dell'archivio non ha confermato";
}

// A save the server keeps waiting: the windows go on painting, a small window
// says the server is slow and offers "Annulla", and what the user is told
// after it is what is known: not saved, or perhaps saved once the commit had
// gone.
void TestFrmArchivioServer::cancelledSaveToldTruly()
{
    QFETCH(bool, commitSent);
    QFETCH(QString, told);
    const QString database = m_server->preparedDatabase();
    startProgram(database);
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    QCOMPARE(answeringMessages([this] { m_driver->press("cmdSalva"); }).size(), 1);
    const auto resume = qScopeGuard([this] { m_server->resume(); });
    if (commitSent) {
        // The commit itself waits on the server.
        QVERIFY(m_server->exec(database, "CREATE FUNCTION slow_commit() RETURNS trigger "
                                         "LANGUAGE plpgsql AS $$ BEGIN PERFORM pg_sleep(3); "
                                         "RETURN NULL; END $$"));
        QVERIFY(m_server->exec(database, "CREATE CONSTRAINT TRIGGER slow_commit AFTER INSERT ON "
                                         "assessments DEFERRABLE INITIALLY DEFERRED FOR EACH ROW "
                                         "EXECUTE FUNCTION slow_commit()"));
    } else {
        QVERIFY(m_server->pause());
    }

    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    QString waitTitle;
    QElapsedTimer sinceCancel;
    QTimer cancel;
    connect(&cancel, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != "frmAttesa" || !waitTitle.isEmpty())
            return;
        waitTitle = modal->windowTitle();
        QVERIFY(modal->findChild<QLabel *>()->text().contains("lento a rispondere"));
        auto *button = modal->findChild<QPushButton *>();
        QCOMPARE(button->text(), QString("Annulla"));
        tick.stop();
        sinceCancel.start();
        button->click();
    });
    cancel.start(20);
    sinceTick.start();
    tick.start(10);
    const QList<ShownMessage> shown =
        answeringMessages([this] { m_driver->press("cmdSalva"); }, "Stessa persona");
    QCOMPARE(waitTitle, QString("Salva nell'archivio"));
    QVERIFY2(longest < 250, qPrintable(QString::number(longest)));
    // The same person asked about first, once the server answers.
    QCOMPARE(shown.size(), commitSent ? 2 : 1);
    QVERIFY2(shown.last().text.startsWith(told), qPrintable(shown.last().text));
    QVERIFY2(sinceCancel.elapsed() < 3000, qPrintable(QString::number(sinceCancel.elapsed())));
    QVERIFY(m_driver->shown("Frame2"));
}

// The server's schema taken past this program's: the save says so once and
// keeps nothing, and the window reads the archive and changes nothing.
void TestFrmArchivioServer::olderProgramReadsANewerServer()
{
    const QString database = m_server->preparedDatabase();
    Archive other(m_server->address(database));
    other.open();
    other.keep(0, "Bianchi Anna", developedAssessment());
    QVERIFY(m_server->exec(database, QString("UPDATE nutrivo_schema SET version = %1")
                                         .arg(server_schema::currentVersion() + 1)));
    startProgram(database);
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    const auto shown = answeringMessages([this] { m_driver->press("cmdSalva"); });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    QVERIFY2(shown[0].text.contains("preparato per una versione più recente di Nutrivo") &&
                 shown[0].text.endsWith("\nLa valutazione non è stata salvata."),
             qPrintable(shown[0].text));
    QVERIFY(m_driver->shown("Frame2"));

    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    QVERIFY2(window->findChild<QLabel *>("lblStato")->text().endsWith(", in sola consultazione"),
             qPrintable(window->findChild<QLabel *>("lblStato")->text()));
    auto *list = window->findChild<QListView *>("lstSoggetti");
    QCOMPARE(list->model()->rowCount(), 1);
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    QVERIFY(window->findChild<QPushButton *>("cmdApri")->isEnabled());
    for (const char *change : {"cmdRinomina", "cmdEliminaSoggetto", "cmdElimina", "cmdTrasferisci"})
        QVERIFY2(!window->findChild<QPushButton *>(change)->isEnabled(), change);
    QCOMPARE(other.subjects().size(), 1);
    QCOMPARE(other.subjects().value(0).assessments, 1);
}

// Another workstation saves for the subject while "Elimina" is asked, and the
// window reads the archive again under the question: the delete is of the
// subject as the user saw it, and refused.
void TestFrmArchivioServer::changedWhileTheDeleteWasAsked()
{
    const QString database = m_server->preparedDatabase();
    Archive other(m_server->address(database));
    other.open();
    const qint64 mario = other.keep(0, "Rossi Mario", developedAssessment()).subjectId;
    other.keep(0, "Bianchi Anna", developedAssessment());
    startProgram(database);
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *list = window->findChild<QListView *>("lstSoggetti");
    auto *status = window->findChild<QLabel *>("lblStato");
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        if (list->model()->index(row, 0).data().toString().startsWith("Rossi Mario"))
            list->setCurrentIndex(list->model()->index(row, 0));
    }
    QVERIFY(settled(window));
    QList<ShownMessage> shown;
    answeringDialogs(
        [&] {
            QTest::mouseClick(window->findChild<QPushButton *>("cmdEliminaSoggetto"),
                              Qt::LeftButton);
        },
        [&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
            QAbstractButton *press = box->button(QMessageBox::Ok);
            if (shown.size() == 1) {
                status->setText(QString());
                other.keep(mario, "", developedAssessment("1,70", "69"));
                QTRY_VERIFY_WITH_TIMEOUT(!status->text().isEmpty(), 2000);
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text() == "Elimina")
                        press = button;
                }
            }
            press->click();
        });
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].text, "Nel frattempo un'altra postazione ha aggiunto una valutazione di "
                            "Rossi Mario: il soggetto non è stato eliminato.");
    QCOMPARE(seenSubject(other, mario).assessments, 2);
    QCOMPARE(other.subjects().size(), 2);
}

QTEST_MAIN(TestFrmArchivioServer)
#include "tst_frmarchivio_server.moc"

// A colleague's new visit does not stand in a rename's way; a colleague's
// rename does, and the name typed is offered again over theirs.
void TestFrmArchivioServer::renameBesideColleagues()
{
    frmArchivio *window = openOver({"Rossi Mario"});
    QVERIFY(window);
    Archive &other = *m_other;
    const qint64 mario = other.subjects().value(0).id;
    auto *list = window->findChild<QListView *>("lstSoggetti");
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    other.keep(mario, "", developedAssessment("1,70", "69"));
    other.rename(seenSubject(other, mario), "Rossi Mario Luigi");
    // Typed "Rossi Marco" over the name as read, then given again.
    QStringList offered;
    QList<ShownMessage> shown;
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdRinomina"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
                box->accept();
                return;
            }
            auto *input = qobject_cast<QInputDialog *>(dialog);
            offered << input->textValue();
            if (offered.size() == 1)
                input->setTextValue("Rossi Marco");
            input->accept();
        });
    QCOMPARE(offered, QStringList({"Rossi Mario", "Rossi Marco"}));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, QMessageBox::Warning);
    QCOMPARE(shown[0].text, "Nel frattempo un'altra postazione ha rinominato Rossi Mario in Rossi "
                            "Mario Luigi: il nome non è stato cambiato.");
    QCOMPARE(seenSubject(other, mario).name, QString("Rossi Marco"));

    // A visit added meanwhile: renamed at once.
    other.keep(mario, "", developedAssessment("1,70", "68"));
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdRinomina"), Qt::LeftButton); },
        [](QWidget *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(input);
            input->setTextValue("Rossi Marco Aldo");
            input->accept();
        });
    QCOMPARE(seenSubject(other, mario).name, QString("Rossi Marco Aldo"));
    QCOMPARE(seenSubject(other, mario).assessments, 3);
}

// A reading the stopped server never answers: the list read before stays,
// said to be not current, the visits are "not read", never "none"; "Riprova"
// (Alt+R) reads again once the server is back.
void TestFrmArchivioServer::outageNeverShownAsEmpty()
{
    frmArchivio *window = openOver({"Bianchi Anna", "Rossi Mario"});
    QVERIFY(window);
    auto *list = window->findChild<QListView *>("lstSoggetti");
    auto *table = window->findChild<QTableView *>("tblValutazioni");
    auto *status = window->findChild<QLabel *>("lblStato");
    auto *retry = window->findChild<QPushButton *>("cmdRiprova");
    auto *trend = window->findChild<TrendView *>("vistaAndamento");
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    QCOMPARE(table->model()->rowCount(), 1);

    QVERIFY(m_server->pause());
    auto resume = qScopeGuard([this] { m_server->resume(); });
    // While the server keeps the reading waiting the window paints and says why.
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer tick;
    connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    tick.start(10);
    list->setCurrentIndex(list->model()->index(1, 0));
    QCOMPARE(table->model()->rowCount(), 0);
    QCOMPARE(trend->accessibleDescription(), QString("Lettura delle valutazioni..."));
    QTRY_COMPARE_WITH_TIMEOUT(status->text(),
                              QString("Il server dello studio è lento a rispondere: lettura in "
                                      "corso..."),
                              2000);
    QVERIFY(window->awaitingArchive());
    QVERIFY(settled(window));
    tick.stop();
    QVERIFY2(longest < 250, qPrintable(QString::number(longest)));
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(table->model()->rowCount(), 0);
    QCOMPARE(trend->accessibleDescription(),
             QString("Valutazioni non lette: l'archivio non ha risposto"));
    QVERIFY2(status->text().startsWith("L'archivio non ha risposto: l'elenco è quello letto alle "),
             qPrintable(status->text()));
    QVERIFY(retry && retry->isVisible());
    QVERIFY(status->geometry().right() < retry->geometry().left());

    QVERIFY(m_server->resume());
    resume.dismiss();
    // A shortcut's click comes after the button is seen pressed.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(table->model()->rowCount(), 1);
    QVERIFY2(status->text().startsWith("2 soggetti."), qPrintable(status->text()));
    QVERIFY(!retry->isVisible());
    QVERIFY(list->currentIndex().data().toString().startsWith("Rossi Mario"));
}

// A reading that failed is tried again by itself: once the server is back,
// the window catches up without the user, what changed meanwhile included.
void TestFrmArchivioServer::readAgainByItself()
{
    frmArchivio *window = openOver({"Rossi Mario"});
    QVERIFY(window);
    auto *list = window->findChild<QListView *>("lstSoggetti");
    auto *table = window->findChild<QTableView *>("tblValutazioni");
    auto *retry = window->findChild<QPushButton *>("cmdRiprova");
    QVERIFY(m_server->pause());
    auto resume = qScopeGuard([this] { m_server->resume(); });
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    QVERIFY(retry->isVisible());
    QVERIFY(m_server->resume());
    resume.dismiss();
    // Nobody listens on a session given up: only the window's own retry reads it.
    QCOMPARE(m_other->keep(0, "Bianchi Anna", developedAssessment()).outcome, WriteOutcome::Done);
    QTRY_COMPARE_WITH_TIMEOUT(list->model()->rowCount(), 2, 40000);
    QTRY_VERIFY(!retry->isVisible());
    QCOMPARE(table->model()->rowCount(), 1);
}

// A CA named for a server that takes no encrypted sessions: the message says
// what happened and what to do, libpq's English goes under "Dettagli".
void TestFrmArchivioServer::refusalSaidInItalian()
{
    startProgram(m_server->preparedDatabase());
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    const QString authority = m_data.filePath("ca.crt");
    QList<ShownMessage> shown;
    QString details;
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdStudio"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
                details = box->detailedText();
                box->accept();
                return;
            }
            dialog->findChild<QLineEdit *>("txtServer")->setText("localhost");
            dialog->findChild<QLineEdit *>("txtCertificato")->setText(authority);
            qobject_cast<QDialog *>(dialog)->accept();
        });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].icon, QMessageBox::Critical);
    QCOMPARE(shown[0].text.section('\n', 1, 1),
             "Il server non accetta collegamenti cifrati: chi lo amministra deve attivarli.");
    QVERIFY2(details.contains("does not support SSL"), qPrintable(details));
    QVERIFY2(!details.contains("sslmode") && !shown[0].text.contains("sslmode"),
             qPrintable(details));
    QVERIFY(window->findChild<QLabel *>("lblStato")->text().contains("dello studio"));

    // Nothing answers at a start: the status line says so in the two lines
    // it has, the window at its smallest.
    cleanup();
    m_program = std::make_unique<Program>("postgresql://nutrivo_owner@127.0.0.1:1/nutrivo");
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
    window = openArchiveWindow();
    QVERIFY(window);
    window->resize(window->minimumSize());
    const auto *status = window->findChild<QLabel *>("lblStato");
    QCOMPARE(status->text(), "Archivio dello studio non raggiungibile (database nutrivo su "
                             "127.0.0.1:1): il server non risponde. Controllare che sia acceso e "
                             "raggiungibile da questa postazione, poi riprovare.");
    QVERIFY(status->heightForWidth(status->width()) <= status->height());
}

// A role the log does not take: the subject's visits stay unshown and a save
// is refused, said so; nothing reaches the archive.
void TestFrmArchivioServer::roleWithoutTheLogNeitherReadsNorSaves()
{
    m_database = m_server->preparedDatabase();
    m_other = std::make_unique<Archive>(m_server->address(m_database));
    m_other->open();
    m_other->keep(0, "Bianchi Carla", developedAssessment());
    const QString role = "senza_registro_" + m_database;
    for (const QString &statement :
         {QString("CREATE ROLE %1 LOGIN IN ROLE %2").arg(role, server_schema::dietitiansRole),
          QString("REVOKE INSERT ON access_log FROM %1").arg(server_schema::dietitiansRole)})
        QVERIFY(m_server->exec(m_database, statement));
    startProgram(m_database, role);
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *list = window->findChild<QListView *>("lstSoggetti");
    QCOMPARE(list->model()->rowCount(), 1);
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    QCOMPARE(window->findChild<QTableView *>("tblValutazioni")->model()->rowCount(), 0);
    QCOMPARE(window->findChild<QLabel *>("lblStato")->text(), unloggedText());
    QVERIFY(!window->findChild<QPushButton *>("cmdRiprova")->isVisible());

    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    const auto shown = answeringMessages([this] { m_driver->press("cmdSalva"); });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Salva nell'archivio"));
    QCOMPARE(shown[0].text, unloggedText());
    QCOMPARE(shown[0].icon, QMessageBox::Critical);
    QCOMPARE(m_other->subjects().size(), 1);
}

// The server stops while the user answers the export's question: no file,
// and never "nothing to export".
void TestFrmArchivioServer::exportNeverPartial()
{
    frmArchivio *window = openOver({"Rossi Mario"});
    QVERIFY(window);
    auto *list = window->findChild<QListView *>("lstSoggetti");
    list->setCurrentIndex(list->model()->index(0, 0));
    QVERIFY(settled(window));
    auto resume = qScopeGuard([this] { m_server->resume(); });
    QList<ShownMessage> shown;
    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdEsporta"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            QVERIFY2(box, "no file is asked for");
            shown << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
            if (shown.size() > 1) {
                box->accept();
                return;
            }
            QVERIFY(m_server->pause());
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == "Tutto l'archivio")
                    button->click();
            }
        });
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[1].icon, QMessageBox::Warning);
    QCOMPARE(shown[1].text, "L'archivio non ha risposto durante la lettura: il file non è stato "
                            "scritto. Riprovare più tardi.");
}

int TestFrmArchivioServer::startWithPassword(const QString &database)
{
    startProgram(database, passwordRole);
    int asked = 0;
    const QList<ShownMessage> shown =
        givingPassword([this] { m_driver->press("cmdArchivio"); }, asked);
    for (const ShownMessage &message : shown)
        qWarning("%s", qPrintable(message.text));
    return shown.isEmpty() ? asked : -1;
}

// --archive names a role whose password libpq does not hold: asked once, at
// the first use, then kept for the run.
void TestFrmArchivioServer::passwordAskedOnceAtAStart()
{
    const QString database = m_server->preparedDatabase();
    QCOMPARE(startWithPassword(database), 1);
    frmArchivio *window = m_program->archiveWindow();
    QVERIFY(window && showActive(window) && settled(window));
    QVERIFY2(window->findChild<QLabel *>("lblStato")->text().contains("dello studio"),
             qPrintable(window->findChild<QLabel *>("lblStato")->text()));

    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    int askedAgain = 0;
    const QList<ShownMessage> shown =
        givingPassword([this] { m_driver->press("cmdSalva"); }, askedAgain);
    QCOMPARE(askedAgain, 0);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains("salvata nell'archivio dello studio"),
             qPrintable(shown[0].text));
    Archive check(m_server->address(database));
    QCOMPARE(check.open(), ArchiveState::Ready);
    QCOMPARE(check.subjects().size(), 1);
}

// Another server that fails (a database without tables) leaves the archive
// in use as it was, its password with it: the next save goes there.
void TestFrmArchivioServer::failedChoiceKeepsTheArchiveInUse()
{
    const QString database = m_server->preparedDatabase();
    QCOMPARE(startWithPassword(database), 1);
    frmArchivio *window = m_program->archiveWindow();
    QVERIFY(window && showActive(window) && settled(window));
    const QString unprepared = m_server->newDatabase();
    int asked = 0;
    QList<ShownMessage> shown = givingPassword(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdStudio"), Qt::LeftButton); },
        asked,
        [&](QWidget *dialog) {
            dialog->findChild<QLineEdit *>("txtDatabase")->setText(unprepared);
            qobject_cast<QDialog *>(dialog)->accept();
        });
    QCOMPARE(asked, 1);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.endsWith("L'archivio in uso non è cambiato."),
             qPrintable(shown[0].text));
    QVERIFY(!rememberedServer());

    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    shown = givingPassword([this] { m_driver->press("cmdSalva"); }, asked);
    QCOMPARE(asked, 1);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains("salvata nell'archivio dello studio"),
             qPrintable(shown[0].text));
    Archive check(m_server->address(database));
    QCOMPARE(check.open(), ArchiveState::Ready);
    QCOMPARE(check.subjects().size(), 1);
}
