#include "archive/server_schema.h"
#include "archive_fixture.h"
#include "form1_driver.h"
#include "message_catcher.h"
#include "postgres_server.h"
#include "ui/program.h"

#include <QInputDialog>
#include <QListView>
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

QTEST_MAIN(TestFrmArchivioServer)
#include "tst_frmarchivio_server.moc"
