#include "archive_fixture.h"
#include "form1_driver.h"
#include "message_catcher.h"
#include "ui/program.h"

#include <QInputDialog>
#include <QListView>
#include <QProcess>
#include <QTableView>
#include <QtTest>

// Saving from the main window and the archive window, through the program's
// own wiring, with the archive in a temporary data folder.
class TestFrmArchivio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savedAndAskedAboutNamesakes_data();
    void savedAndAskedAboutNamesakes();
    void saveNeedsANameAndADevelopment();
    void refusedSavesKeepTheDevelopment_data();
    void refusedSavesKeepTheDevelopment();
    void foundAsOneTypes();
    void openedAssessmentDevelopedAgain();
    void deletedAndRenamed();
    void usedByKeyboardAlone();

private:
    QString archivePath() const { return Archive::defaultPath(); }
    void developAndSave(const QString &weight, const QString &answer = QString());
    frmArchivio *openArchiveWindow();
    template <typename T>
    T *control(QWidget *window, const char *name) const
    {
        return window->findChild<T *>(name);
    }

    QTemporaryDir m_data;
    std::unique_ptr<Program> m_program;
    std::unique_ptr<Form1Driver> m_driver;
    QList<ShownMessage> m_messages;
};

void TestFrmArchivio::initTestCase()
{
    QVERIFY(m_data.isValid());
    qputenv("XDG_DATA_HOME", m_data.path().toLocal8Bit());
    QVERIFY(archivePath().startsWith(m_data.path()));
    QLocale::setDefault(italianLocale());
}

void TestFrmArchivio::init()
{
    QDir(QFileInfo(archivePath()).path()).removeRecursively();
    m_program = std::make_unique<Program>();
    // The splash would show and activate the main window in the middle of a test.
    m_program->splash().findChild<QTimer *>("Timer1")->stop();
    m_program->splash().hide();
    m_driver = std::make_unique<Form1Driver>(m_program->mainWindow());
    QVERIFY(showActive(m_program->mainWindow()));
}

void TestFrmArchivio::cleanup()
{
    m_driver.reset();
    m_program.reset();
}

void TestFrmArchivio::developAndSave(const QString &weight, const QString &answer)
{
    m_driver->enter("1.70", weight, "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    m_messages = answeringMessages([this] { m_driver->press("cmdSalva"); }, answer);
}

frmArchivio *TestFrmArchivio::openArchiveWindow()
{
    answeringMessages([this] { m_driver->press("cmdArchivio"); });
    frmArchivio *window = m_program->archiveWindow();
    return window && showActive(window) ? window : nullptr;
}

void TestFrmArchivio::savedAndAskedAboutNamesakes_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("subjects");
    QTest::addColumn<int>("assessments");
    QTest::newRow("the same person") << "Stessa persona" << 1 << 2;
    QTest::newRow("another person") << "Persona diversa" << 2 << 2;
    QTest::newRow("cancelled") << "Annulla" << 1 << 1;
}

void TestFrmArchivio::savedAndAskedAboutNamesakes()
{
    QFETCH(QString, answer);
    QFETCH(int, subjects);
    QFETCH(int, assessments);
    developAndSave("70");
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, QString("Salva nell'archivio"));
    QCOMPARE(m_messages[0].text,
             QString("La valutazione di Rossi Mario è stata salvata nell'archivio."));
    QCOMPARE(m_messages[0].icon, QMessageBox::Information);
    // The development stays on screen.
    QVERIFY(m_driver->shown("Frame2"));
    QCOMPARE(m_driver->caption("Label34"), QString(" 2621.05 Kcal/giorno"));

    developAndSave("75", answer);
    QVERIFY(m_messages.size() >= 1);
    QCOMPARE(m_messages[0].icon, QMessageBox::Question);
    QVERIFY2(m_messages[0].text.startsWith("Nell'archivio c'è già \"Rossi Mario\", valutato "
                                           "l'ultima volta il "),
             qPrintable(m_messages[0].text));
    QVERIFY(m_messages[0].text.endsWith("È la stessa persona?"));
    for (const char *button : {"Stessa persona", "Persona diversa", "Annulla"})
        QVERIFY(m_messages[0].buttons.contains(button));
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM subjects").toInt(), subjects);
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), assessments);
}

void TestFrmArchivio::saveNeedsANameAndADevelopment()
{
    QVERIFY(!m_driver->button("cmdSalva")->isEnabled());
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->box("Text1")->clear();
    m_driver->press("Command1");
    QVERIFY(m_driver->button("cmdSalva")->isEnabled());
    const auto shown = answeringMessages(
        [this] { QTest::keyClick(m_program->mainWindow(), Qt::Key_S, Qt::ControlModifier); });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].text,
             QString("Per salvare nell'archivio occorre il cognome e nome del soggetto."));
    QCOMPARE(m_driver->focusName(), QString("Text1"));
    QVERIFY(!QFileInfo::exists(archivePath()));

    // Ctrl+S saves as the button does; "NUOVO ..." leaves nothing to save.
    m_driver->type("Text1", "Bianchi Anna");
    answeringMessages(
        [this] { QTest::keyClick(m_program->mainWindow(), Qt::Key_S, Qt::ControlModifier); });
    QCOMPARE(peek(archivePath(), "SELECT name FROM subjects").toString(), QString("Bianchi Anna"));
    m_driver->press("Command5");
    QVERIFY(!m_driver->button("cmdSalva")->isEnabled());
}

void TestFrmArchivio::refusedSavesKeepTheDevelopment_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("text");
    QTest::newRow("a read-only folder") << "read-only"
                                        << "Non è possibile scrivere";
    QTest::newRow("a file that is no archive") << "foreign"
                                               << "non è un archivio di Nutrivo";
}

void TestFrmArchivio::refusedSavesKeepTheDevelopment()
{
    QFETCH(QString, place);
    QFETCH(QString, text);
    const QString folder = QFileInfo(archivePath()).path();
    QDir().mkpath(folder);
    if (place == "foreign") {
        QFile file(archivePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("appunti");
    } else if (isRoot()) {
        QCOMPARE(QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro,size=1m", "tmpfs", folder}),
                 0);
    } else {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QByteArray before = checksum(archivePath());
    developAndSave("70");
    if (place != "foreign") {
        if (isRoot())
            QProcess::execute("umount", {folder});
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }
    QVERIFY(!m_messages.isEmpty());
    const ShownMessage &last = m_messages.last();
    QCOMPARE(last.title, QString("Salva nell'archivio"));
    QCOMPARE(last.icon, QMessageBox::Critical);
    QVERIFY2(last.text.contains(text), qPrintable(last.text));
    QCOMPARE(checksum(archivePath()), before);
    QVERIFY(m_driver->shown("Frame2"));
    QVERIFY(m_driver->button("cmdSalva")->isEnabled());
}

void TestFrmArchivio::foundAsOneTypes()
{
    {
        Archive archive(archivePath());
        for (const char *name : {"Rossi Mario", "Bianchi Anna", "Bianco Luca", "Verdi Giò"})
            archive.keep(0, name, developedAssessment());
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Archivio valutazioni"));
    auto *list = control<QListView>(window, "lstSoggetti");
    QCOMPARE(list->model()->rowCount(), 4);
    QVERIFY(list->model()->index(0, 0).data().toString().startsWith("Bianchi Anna (")); // by name
    QTest::keyClicks(control<QLineEdit>(window, "txtCerca"), "BIANC");
    QCOMPARE(list->model()->rowCount(), 2);
    QTest::keyClicks(control<QLineEdit>(window, "txtCerca"), "o");
    QCOMPARE(list->model()->rowCount(), 1);
    QVERIFY(list->model()->index(0, 0).data().toString().startsWith("Bianco Luca ("));
}

void TestFrmArchivio::openedAssessmentDevelopedAgain()
{
    KeptAssessment changed = developedAssessment("1.70", "70,5");
    changed.figures.dailyEnergyKcal = 2600;
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", changed);
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    control<QListView>(window, "lstSoggetti")
        ->setCurrentIndex(control<QListView>(window, "lstSoggetti")->model()->index(0, 0));
    auto *table = control<QTableView>(window, "tblValutazioni");
    QCOMPARE(table->model()->rowCount(), 1);
    QCOMPARE(table->model()->index(0, 1).data().toString(), QString("70,50"));
    const auto shown = answeringMessages(
        [&] { QTest::mouseClick(control<QPushButton>(window, "cmdApri"), Qt::LeftButton); });
    QCOMPARE(m_driver->box("Text1")->text(), QString("Rossi Mario"));
    QCOMPARE(m_driver->box("Text2")->text(), QString("70.5"));
    QVERIFY(m_driver->option("Option1")->isChecked());
    QVERIFY(m_driver->option("Option7")->isChecked());
    QVERIFY(m_driver->shown("Frame2"));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Valutazione archiviata"));
    QVERIFY2(shown[0].text.contains("\nFabbisogno energetico giornaliero: 2600 allora, "),
             qPrintable(shown[0].text));
    QVERIFY(!shown[0].text.contains("Peso ideale"));
}

void TestFrmArchivio::deletedAndRenamed()
{
    {
        Archive archive(archivePath());
        const auto kept = archive.keep(0, "Rossi Mario", developedAssessment());
        archive.keep(kept.subjectId, "", developedAssessment());
        archive.keep(0, "Bianchi Anna", developedAssessment());
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *list = control<QListView>(window, "lstSoggetti");
    list->setCurrentIndex(list->model()->index(1, 0)); // Rossi Mario
    const auto press = [&](const char *name, const QString &answer) {
        return answeringMessages(
            [&] { QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton); }, answer);
    };
    const auto cancelled = press("cmdElimina", "Annulla");
    QCOMPARE(cancelled.value(0).buttons.size(), 2);
    QVERIFY(cancelled.value(0).buttons.contains("Elimina"));
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), 3);
    press("cmdElimina", "Elimina");
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), 2);
    QCOMPARE(control<QTableView>(window, "tblValutazioni")->model()->rowCount(), 1);

    answeringDialogs(
        [&] { QTest::mouseClick(control<QPushButton>(window, "cmdRinomina"), Qt::LeftButton); },
        [](QWidget *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(input);
            QCOMPARE(input->textValue(), QString("Rossi Mario"));
            input->setTextValue("Rossi Mario Luigi");
            input->accept();
        });
    QCOMPARE(peek(archivePath(), "SELECT name FROM subjects WHERE id = 1").toString(),
             QString("Rossi Mario Luigi"));

    const auto asked = press("cmdEliminaSoggetto", "Elimina");
    QCOMPARE(asked.value(0).text, QString("Eliminare Rossi Mario Luigi e tutte le sue valutazioni "
                                          "(1)? Non si potranno recuperare."));
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), 1);
}

void TestFrmArchivio::usedByKeyboardAlone()
{
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", developedAssessment());
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    QCOMPARE(window->focusWidget()->objectName(), QString("txtCerca"));
    QTest::keyClicks(window->focusWidget(), "ros");
    QTest::keyClick(window->focusWidget(), Qt::Key_Down);
    QCOMPARE(window->focusWidget()->objectName(), QString("lstSoggetti"));
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    QCOMPARE(window->focusWidget()->objectName(), QString("tblValutazioni"));
    answeringMessages([&] { QTest::keyClick(window->focusWidget(), Qt::Key_Return); });
    QCOMPARE(m_driver->box("Text3")->text(), QString("1.70"));
    QVERIFY(m_driver->shown("Frame2"));
}

QTEST_MAIN(TestFrmArchivio)
#include "tst_frmarchivio.moc"
