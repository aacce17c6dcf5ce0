#include "archive_fixture.h"
#include "csv_reader.h"
#include "form1_driver.h"
#include "message_catcher.h"
#include "postgres_server.h"
#include "report/printed_page.h"
#include "ui/program.h"
#include "ui/trend/trend_view.h"

#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QTableView>
#include <QToolTip>
#include <QtTest>
#include <sys/stat.h>

// A subject's course through the archive window: the trend beside the table,
// the printed page, and the spreadsheet file. On the file, or with
// NUTRIVO_TEST_STORE=server on a PostgreSQL server the suite starts.
class TestCourse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void trendBesideTheTable();
    void coursePageSavedAsPdf();
    void spreadsheetInTheUsersSettings_data();
    void spreadsheetInTheUsersSettings();
    void growingSubjectKept();
    void accessesLoggedAndShown();

private:
    void select(const QString &subject);
    // The archive the window shows, opened beside it.
    std::unique_ptr<Archive> reader() const;
    // Runs action, answering questions with answer and file dialogs with fileName;
    // returns the name the file dialog proposed.
    QString answering(const std::function<void()> &action, const QString &answer,
                      const QString &fileName);
    template <typename T>
    T *control(const char *name) const
    {
        return m_window->findChild<T *>(name);
    }

    QTemporaryDir m_data;
    std::unique_ptr<PostgresServer> m_server;
    std::unique_ptr<Program> m_program;
    frmArchivio *m_window = nullptr;
    QString m_database;
    QList<ShownMessage> m_messages;
};

namespace {

const QString otherName = QStringLiteral("=D\"Amico; Anna");

KeptAssessment assessedOn(const QDate &day, const char *weight, assessment::Sex sex)
{
    using namespace assessment;
    const SubjectData subject{
        "", "1.70", weight, "30", sex, ActivityLevel::Moderata, Constitution::Normale};
    return keptFrom(subject, develop(subject, italian()), QDateTime(day, QTime(9, 30)));
}

const QFile::Permissions othersMayRead = QFile::ReadGroup | QFile::ReadOther;

} // namespace

void TestCourse::initTestCase()
{
    QVERIFY(m_data.isValid());
    // The files a user shares are made under the usual umask.
    umask(022);
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    if (qgetenv("NUTRIVO_TEST_STORE") == "server") {
        m_server = std::make_unique<PostgresServer>();
        if (!m_server->isRunning())
            QSKIP(qPrintable(m_server->whyNot()));
    }
}

void TestCourse::init()
{
    QLocale::setDefault(italianLocale());
    QDir(QFileInfo(Archive::defaultPath()).path()).removeRecursively();
    m_database = m_server ? m_server->preparedDatabase() : QString();
    const QString &database = m_database;
    {
        const auto made = m_server ? std::make_unique<Archive>(m_server->address(database))
                                   : std::make_unique<Archive>(Archive::defaultPath());
        Archive &archive = *made;
        if (m_server)
            archive.open();
        qint64 rossi = 0;
        const std::pair<QDate, const char *> visits[] = {
            {QDate(2026, 9, 1), "84"}, {QDate(2026, 9, 15), "82.5"}, {QDate(2026, 11, 10), "77.9"}};
        for (const auto &[day, weight] : visits)
            rossi =
                archive
                    .keep(rossi, "Rossi Mario", assessedOn(day, weight, assessment::Sex::Maschile))
                    .subjectId;
        archive.keep(0, otherName,
                     assessedOn(QDate(2026, 10, 2), "61", assessment::Sex::Femminile));
    }
    m_program =
        m_server ? std::make_unique<Program>(m_server->uri(database)) : std::make_unique<Program>();
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    QVERIFY(showActive(m_program->mainWindow()));
    answeringMessages(
        [this] { m_program->mainWindow()->findChild<QPushButton *>("cmdArchivio")->click(); });
    m_window = m_program->archiveWindow();
    QVERIFY(m_window && showActive(m_window));
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->awaitingArchive(), 20000);
    QCOMPARE(control<QLabel>("lblStato")->text().contains("dello studio"), bool(m_server));
}

void TestCourse::cleanup()
{
    m_program.reset();
}

void TestCourse::select(const QString &subject)
{
    auto *list = control<QListView>("lstSoggetti");
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       subject, 1, Qt::MatchStartsWith);
    QCOMPARE(found.size(), 1);
    list->setCurrentIndex(found.first());
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->awaitingArchive(), 20000);
}

QString TestCourse::answering(const std::function<void()> &action, const QString &answer,
                              const QString &fileName)
{
    QString proposed;
    m_messages.clear();
    answeringDialogs(action, [&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            m_messages << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
            QAbstractButton *press = box->button(QMessageBox::Ok);
            for (QAbstractButton *button : box->buttons()) {
                m_messages.last().buttons << button->text();
                if (button->text() == answer)
                    press = button;
            }
            press->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName();
            chooseFile(dialog, fileName);
        }
    });
    return proposed;
}

void TestCourse::trendBesideTheTable()
{
    select("Rossi Mario");
    auto *trend = control<TrendView>("vistaAndamento");
    auto *table = control<QTableView>("tblValutazioni");
    QCOMPARE(trend->trend().points.size(), 3);
    // The newest assessment, first in the table, is the trend's last point.
    QCOMPARE(table->currentIndex().row(), 0);
    QCOMPARE(trend->highlighted(), 2);
    table->setCurrentIndex(table->model()->index(1, 0));
    QCOMPARE(trend->highlighted(), 1);

    // The pointer on the oldest point names it; a click chooses its row.
    const QPoint oldest = trend->layout().weightAt.first().toPoint();
    QTest::mouseMove(trend, oldest);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(),
             QString("01/09/26 09:30: peso 84,00 Kg (ideale 65,00 Kg), IMC 29,07 in Sovrappeso"));
    QTest::mouseClick(trend, Qt::LeftButton, {}, oldest);
    QCOMPARE(table->currentIndex().row(), 2);
    QCOMPARE(table->model()->index(2, 1).data().toString(), QString("84,00"));

    select("=D");
    QCOMPARE(trend->trend().points.size(), 1);
    QCOMPARE(trend->trend().sex, assessment::Sex::Femminile);
}

void TestCourse::coursePageSavedAsPdf()
{
    select("Rossi Mario");
    const QString pdf = m_data.filePath("andamento.pdf");
    const QString proposed = answering(
        [this] { control<QPushButton>("cmdStampaAndamento")->click(); }, "Salva come PDF...", pdf);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QString("Stampa andamento"));
    QCOMPARE(m_messages[0].text,
             QString("Nessuna stampante disponibile: l'andamento non è stato stampato."));
    QCOMPARE(m_messages[0].icon, QMessageBox::Warning);
    QCOMPARE(proposed, QString("Nutrivo - andamento Rossi Mario.pdf"));

    QCOMPARE(pdfPageCount(pdf), 1);
    QCOMPARE(QFileInfo(pdf).permissions() & othersMayRead, QFile::Permissions());
    QVERIFY(pdfPictures(pdf).isEmpty());
    const QString text = pdfText(pdf).simplified();
    for (const char *shown :
         {"Rossi Mario", "Sesso: Maschile - 3 valutazioni", "10/11/26 09:30", "15/09/26 09:30",
          "01/09/26 09:30", "84,00", "29,07", "in Sovrappeso", "Indice di massa corporea"})
        QVERIFY2(text.contains(shown), shown);
    // Newest first.
    QVERIFY(text.indexOf("10/11/26 09:30") < text.indexOf("01/09/26 09:30"));
}

void TestCourse::spreadsheetInTheUsersSettings_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("firstDate");
    QTest::addColumn<int>("rows");
    QTest::newRow("Italian, the subject")
        << italianLocale() << "Solo Rossi Mario" << QChar(';') << "10/11/2026 09:30" << 3;
    QTest::newRow("Italian, the archive")
        << italianLocale() << "Tutto l'archivio" << QChar(';') << "02/10/2026 09:30" << 4;
    QTest::newRow("English, the archive")
        << englishLocale() << "Tutto l'archivio" << QChar(',') << "10/02/2026 09:30" << 4;
}

void TestCourse::spreadsheetInTheUsersSettings()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, answer);
    QFETCH(QChar, separator);
    QFETCH(QString, firstDate);
    QFETCH(int, rows);
    QLocale::setDefault(locale);
    select("Rossi Mario");
    const QString csv = m_data.filePath(QTest::currentDataTag() + QString(".csv"));
    const QString proposed =
        answering([this] { control<QPushButton>("cmdEsporta")->click(); }, answer, csv);
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Question);
    QCOMPARE(proposed, rows == 3 ? QString("Nutrivo - Rossi Mario.csv")
                                 : QStringLiteral("Nutrivo - archivio %1.csv")
                                       .arg(QDate::currentDate().toString(Qt::ISODate)));
    QCOMPARE(QFileInfo(csv).permissions() & othersMayRead, QFile::Permissions());
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ReadCsv read = readCsv(file.readAll(), separator);
    QVERIFY(read.byteOrderMark);
    QCOMPARE(read.rows.size(), 1 + rows);
    QCOMPARE(read.rows[1][0], firstDate);
    QCOMPARE(read.rows[1][1], rows == 3 ? QString("Rossi Mario") : "'" + otherName);
    // The oldest of the subject last; a weight with decimals in the user's mark.
    QCOMPARE(read.rows.last()[6], QString("84"));
    const QString decimalWeight = "77" + locale.decimalPoint() + "9";
    QVERIFY(std::any_of(read.rows.begin(), read.rows.end(),
                        [&](const QStringList &row) { return row.value(6) == decimalWeight; }));
    QCOMPARE(control<QLabel>("lblStato")->text(),
             QStringLiteral("Esportate %1 valutazioni in %2").arg(rows).arg(csv));
}

// A boy of 10 saved from the main window: his class, z and centile from the
// growth reference in the table, the trend, the page and the spreadsheet.
void TestCourse::growingSubjectKept()
{
    Form1Driver driver(m_program->mainWindow());
    driver.type("Text1", "Bruni Marco");
    driver.type("Text3", "1.40");
    driver.type("Text2", "38");
    driver.type("Text4", "10");
    driver.choose({"Option1", "Option3", "Option7"});
    driver.press("Command1");
    answeringMessages([&] { driver.press("cmdSalva"); });
    QTRY_VERIFY(control<QListView>("lstSoggetti")->model()->rowCount() == 3);
    select("Bruni Marco");
    auto *table = control<QTableView>("tblValutazioni");
    QCOMPARE(table->model()->index(0, 3).data().toString(), QString("in Sovrappeso"));
    // The server's role, or on the personal file the system's user.
    const QString savedBy = m_server ? PostgresServer::superuser() : systemUser();
    QCOMPARE(table->model()->index(0, 5).data().toString(), savedBy);
    const TrendView *trend = control<TrendView>("vistaAndamento");
    QCOMPARE(trend->trend().points.size(), 1);
    QVERIFY(trend->layout().classBounds.value(0)->sovrappeso < 20);

    const QString pdf = m_data.filePath("crescita.pdf");
    answering([this] { control<QPushButton>("cmdStampaAndamento")->click(); }, "Salva come PDF...",
              pdf);
    QVERIFY(pdfText(pdf).contains("in Sovrappeso"));

    const QString csv = m_data.filePath("crescita.csv");
    answering([this] { control<QPushButton>("cmdEsporta")->click(); }, "Solo Bruni Marco", csv);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const ReadCsv read = readCsv(file.readAll(), ';');
    QCOMPARE(read.rows.size(), 2);
    QCOMPARE(read.rows[1].mid(9, 3), (QStringList{"32,69", "19,39", "in Sovrappeso"}));
    QCOMPARE(read.rows[1].mid(24), (QStringList{"1,22", "88,9", savedBy}));
}

std::unique_ptr<Archive> TestCourse::reader() const
{
    auto archive = m_server ? std::make_unique<Archive>(m_server->address(m_database))
                            : std::make_unique<Archive>(Archive::defaultPath());
    archive->open();
    return archive;
}

// Each look at a subject's data from the window leaves its row, once, and the
// subject's log lists them, newest first, on screen and on paper.
void TestCourse::accessesLoggedAndShown()
{
    const auto archive = reader();
    const Archive::Reading<KeptSubject> subjects = archive->subjects();
    QCOMPARE(subjects.size(), 2);
    const KeptSubject rossi = subjects.at(subjects.at(0).name == "Rossi Mario" ? 0 : 1);
    const KeptSubject other = subjects.at(subjects.at(0).name == "Rossi Mario" ? 1 : 0);
    const auto actions = [&](const KeptSubject &subject) {
        QStringList logged;
        for (const LoggedAccess &access : archive->accessesOf(subject.id))
            logged << access.action;
        return logged;
    };

    select("Rossi Mario");
    select("=D");
    select("Rossi Mario");
    // Read again, as after another workstation's change: not a new look.
    m_window->reload();
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->awaitingArchive(), 20000);
    answeringMessages([this] { control<QPushButton>("cmdApri")->click(); });
    answering([this] { control<QPushButton>("cmdStampaAndamento")->click(); }, "OK", QString());
    answering([this] { control<QPushButton>("cmdEsporta")->click(); }, "Tutto l'archivio",
              m_data.filePath("registro.csv"));
    const QStringList saved(3, "salvataggio valutazione");
    QCOMPARE(actions(rossi),
             QStringList({"esportazione CSV", "stampa andamento", "apertura valutazione",
                          "consultazione valutazioni", "consultazione valutazioni"}) +
                 saved);
    QCOMPARE(actions(other), QStringList({"esportazione CSV", "consultazione valutazioni",
                                          "salvataggio valutazione"}));

    control<QPushButton>("cmdRegistro")->click();
    auto *log = m_window->findChild<QWidget *>("frmRegistro");
    QVERIFY(log && log->isVisible());
    QCOMPARE(log->findChild<QLabel *>("lblSoggetto")->text(),
             QStringLiteral("Accessi ai dati di Rossi Mario (cod. %1), il più recente in alto:")
                 .arg(rossi.id));
    const QAbstractItemModel *rows = log->findChild<QTableView *>("tblRegistro")->model();
    QCOMPARE(rows->rowCount(), 8);
    const QString who = m_server ? PostgresServer::superuser() : systemUser();
    QCOMPARE(rows->index(0, 1).data().toString(), who);
    QCOMPARE(rows->index(0, 2).data().toString(), thisWorkstation());
    QCOMPARE(rows->index(0, 3).data().toString(), QString("esportazione CSV"));
    QVERIFY(rows->index(0, 0).data().toString().startsWith(
        QLocale().toString(QDate::currentDate(), QLocale::ShortFormat)));

    const QString pdf = m_data.filePath("registro.pdf");
    answeringDialogs(
        [&] { log->findChild<QPushButton *>("cmdPdf")->click(); },
        [&](QWidget *dialog) { chooseFile(qobject_cast<QFileDialog *>(dialog), pdf); });
    QCOMPARE(pdfPageCount(pdf), 1);
    QCOMPARE(QFileInfo(pdf).permissions() & othersMayRead, QFile::Permissions());
    const QString text = pdfText(pdf).simplified();
    for (const QString &shown : {QString("Rossi Mario"), QString("8 accessi registrati"),
                                 QString("stampa andamento"), who, QString("Pagina 1 di 1")})
        QVERIFY2(text.contains(shown), qPrintable(shown));
    QVERIFY(text.indexOf("esportazione CSV") < text.indexOf("salvataggio valutazione"));
}

QTEST_MAIN(TestCourse)
#include "tst_course.moc"
