#include "archive/server_schema.h"
#include "archive_fixture.h"
#include "form1_driver.h"
#include "message_catcher.h"
#include "postgres_server.h"
#include "ui/archive/archive_choice.h"
#include "ui/program.h"

#include <QInputDialog>
#include <QListView>
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

private:
    QString uriOf(const QString &database) const
    {
        return QString("postgresql://%1@localhost/%2?host=%3&port=%4")
            .arg(PostgresServer::superuser(), database, m_server->socketFolder())
            .arg(m_server->port());
    }
    void startProgram(const QString &database);
    frmArchivio *openArchiveWindow();

    QTemporaryDir m_data;
    std::unique_ptr<PostgresServer> m_server;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<Form1Driver> m_driver;
};

void TestFrmArchivioServer::initTestCase()
{
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_data.filePath("configuration").toLocal8Bit());
    QLocale::setDefault(italianLocale());
    m_server = std::make_unique<PostgresServer>();
    if (!m_server->isRunning())
        QSKIP(qPrintable(m_server->whyNot()));
}

void TestFrmArchivioServer::init() {}

void TestFrmArchivioServer::cleanup()
{
    m_driver.reset();
    m_program.reset();
}

void TestFrmArchivioServer::startProgram(const QString &database)
{
    m_program = std::make_unique<Program>(uriOf(database));
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
}

frmArchivio *TestFrmArchivioServer::openArchiveWindow()
{
    answeringMessages([this] { m_driver->press("cmdArchivio"); });
    frmArchivio *window = m_program->archiveWindow();
    return window && showActive(window) ? window : nullptr;
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
    QCOMPARE(window->findChild<QTableView *>("tblValutazioni")->model()->rowCount(), 1);

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

    shown = answeringMessages(
        [&] {
            QTest::mouseClick(window->findChild<QPushButton *>("cmdEliminaSoggetto"),
                              Qt::LeftButton);
        },
        "Elimina");
    QVERIFY(reader.subjects().isEmpty());
    QCOMPARE(list->model()->rowCount(), 0);
}

void TestFrmArchivioServer::unpreparedServerNamesThePreparation()
{
    startProgram(m_server->newDatabase());
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    const auto shown = answeringMessages([this] { m_driver->press("cmdSalva"); });
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.last().icon, QMessageBox::Critical);
    QVERIFY2(shown.last().text.contains("--prepare-server") &&
                 shown.last().text.endsWith("La valutazione non è stata salvata."),
             qPrintable(shown.last().text));
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

    answeringDialogs(
        [&] { QTest::mouseClick(window->findChild<QPushButton *>("cmdStudio"), Qt::LeftButton); },
        fill(m_server->socketFolder(), m_server->port(), database));
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
}

QTEST_MAIN(TestFrmArchivioServer)
#include "tst_frmarchivio_server.moc"
