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
    void reopenedAssessmentIsTheKeptOne();
    void editedAfterDevelopingRefusesTheSave_data();
    void editedAfterDevelopingRefusesTheSave();
    void namesakesToldApart();
    void fitsASmallScreenAndGrows();
    void statusLineCountsWhatIsFound();
    void qtDialogsInTheUsersLanguage_data();
    void qtDialogsInTheUsersLanguage();
    void disabledButtonsLookDisabled();

private:
    QString archivePath() const { return Archive::defaultPath(); }
    void developAndSave(const QString &weight, const QString &answer = QString());
    frmArchivio *openArchiveWindow();
    // The archive window with the subject of that row of its list selected.
    frmArchivio *openWithSubject(int row);
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

frmArchivio *TestFrmArchivio::openWithSubject(int row)
{
    frmArchivio *window = openArchiveWindow();
    if (window) {
        auto *list = control<QListView>(window, "lstSoggetti");
        list->setCurrentIndex(list->model()->index(row, 0));
    }
    return window;
}

static KeptAssessment keptOn(const QDateTime &takenAt, const char *weight)
{
    KeptAssessment kept = developedAssessment("1.70", weight);
    kept.takenAt = takenAt;
    return kept;
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

// An old visit opened again is that visit: dated when it was taken, and saved
// again only once an input changed and it was developed anew.
void TestFrmArchivio::reopenedAssessmentIsTheKeptOne()
{
    const QDateTime visit(QDate(2026, 10, 5), QTime(9, 40, 12));
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", keptOn(visit, "80"));
    }
    frmArchivio *window = openWithSubject(0);
    QVERIFY(window);
    answeringMessages(
        [&] { QTest::mouseClick(control<QPushButton>(window, "cmdApri"), Qt::LeftButton); });
    QVERIFY(showActive(m_program->mainWindow()));
    QCOMPARE(m_driver->caption("Label51"), QString("05/10/26"));
    QCOMPARE(m_driver->caption("Label53"), QString("09:40"));
    m_driver->press("Command2");
    QWidget *report = nullptr;
    QVERIFY(QTest::qWaitFor([&] {
        report = QApplication::activeWindow();
        return report && report != m_program->mainWindow();
    }));
    QCOMPARE(report->findChild<QLabel *>("Label6")->text(), QString("05/10/26"));
    QCOMPARE(report->findChild<QLabel *>("Label8")->text(), QString("09:40:12"));
    report->close();
    QVERIFY(showActive(m_program->mainWindow()));

    const auto again = answeringMessages([this] { m_driver->press("cmdSalva"); }, "Stessa persona");
    QCOMPARE(again.size(), 1);
    QCOMPARE(again[0].icon, QMessageBox::Information);
    QCOMPARE(again[0].text, QString("La valutazione di Rossi Mario del 05/10/26 09:40 è già "
                                    "nell'archivio: non è stato salvato nulla di nuovo."));
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), 1);

    m_driver->type("Text2", "78");
    m_driver->press("Command1");
    QVERIFY(m_driver->caption("Label51") != "05/10/26");
    answeringMessages([this] { m_driver->press("cmdSalva"); }, "Stessa persona");
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments").toInt(), 2);
    QCOMPARE(peek(archivePath(), "SELECT weight_text FROM assessments ORDER BY taken_at DESC")
                 .toString(),
             QString("78"));
}

void TestFrmArchivio::editedAfterDevelopingRefusesTheSave_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("refused");
    QTest::newRow("weight") << "Text2"
                            << "78"
                            << "" << true;
    QTest::newRow("height") << "Text3"
                            << "1.72"
                            << "" << true;
    QTest::newRow("age") << "Text4"
                         << "31"
                         << "" << true;
    QTest::newRow("activity") << ""
                              << ""
                              << "Option5" << true;
    QTest::newRow("sex") << ""
                         << ""
                         << "Option2" << true;
    QTest::newRow("the same weight with a comma") << "Text2"
                                                  << "80,0"
                                                  << "" << false;
    QTest::newRow("the name alone") << "Text1"
                                    << "Rossi Mario Luigi"
                                    << "" << false;
}

void TestFrmArchivio::editedAfterDevelopingRefusesTheSave()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, option);
    QFETCH(bool, refused);
    m_driver->enter("1.70", "80.0", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    if (!box.isEmpty())
        m_driver->type(qPrintable(box), typed);
    if (!option.isEmpty())
        m_driver->choose({qPrintable(option)});
    const auto shown = answeringMessages(
        [this] { QTest::keyClick(m_program->mainWindow(), Qt::Key_S, Qt::ControlModifier); });
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Salva nell'archivio"));
    if (refused) {
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].text,
                 QString("I dati sono stati cambiati dopo lo sviluppo: premere \"SVILUPPA ...\" "
                         "per sviluppare di nuovo, poi salvare. Non è stato salvato nulla."));
        QVERIFY(!QFileInfo::exists(archivePath()));
        return;
    }
    QCOMPARE(shown[0].icon, QMessageBox::Information);
    QCOMPARE(peek(archivePath(), "SELECT weight_text FROM assessments").toString(),
             QString("80.0"));
}

void TestFrmArchivio::namesakesToldApart()
{
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", keptOn(QDateTime(QDate(2026, 3, 2), QTime(9, 0)), "90"));
        const auto second =
            archive.keep(0, "Rossi Mario", keptOn(QDateTime(QDate(2026, 5, 4), QTime(9, 0)), "70"));
        archive.keep(second.subjectId, "", keptOn(QDateTime(QDate(2026, 1, 4), QTime(9, 0)), "72"));
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *list = control<QListView>(window, "lstSoggetti");
    QCOMPARE(list->model()->rowCount(), 2);
    const QStringList rows = {list->model()->index(0, 0).data().toString(),
                              list->model()->index(1, 0).data().toString()};
    QVERIFY2(rows[0] != rows[1], qPrintable(rows.join('|')));
    QVERIFY2(rows.contains("Rossi Mario (04/05/26; 2 valutazioni dal 04/01/26; cod. 2)"),
             qPrintable(rows.join('|')));
    QVERIFY2(rows.contains("Rossi Mario (02/03/26; 1 valutazione, il 02/03/26; cod. 1)"),
             qPrintable(rows.join('|')));
    window->close();

    // The question names both, the latest first; the second answer files it under the older.
    QVERIFY(showActive(m_program->mainWindow()));
    developAndSave("88", "Stessa persona (2)");
    QCOMPARE(m_messages.size(), 2);
    QCOMPARE(m_messages[0].text,
             QString("Nell'archivio ci sono già 2 soggetti \"Rossi Mario\":\n"
                     "1. valutato l'ultima volta il 04/05/26 09:00, ultimo peso 70,00 kg, "
                     "2 valutazioni dal 04/01/26\n"
                     "2. valutato l'ultima volta il 02/03/26 09:00, ultimo peso 90,00 kg, "
                     "1 valutazione, il 02/03/26\n"
                     "È una di queste persone?"));
    QStringList buttons = m_messages[0].buttons;
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Annulla", "Persona diversa", "Stessa persona (1)",
                                   "Stessa persona (2)"}));
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM assessments WHERE subject_id = 1").toInt(),
             2);
    QCOMPARE(peek(archivePath(), "SELECT COUNT(*) FROM subjects").toInt(), 2);
}

// Within a 1024 x 768 screen, and a larger window gives its room to the trend.
void TestFrmArchivio::fitsASmallScreenAndGrows()
{
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    QVERIFY2(window->frameGeometry().width() <= 1024 && window->frameGeometry().height() <= 768,
             qPrintable(QString("%1 x %2").arg(window->width()).arg(window->height())));
    const auto laidOut = [window] {
        QList<QWidget *> controls;
        for (QWidget *child : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible())
                controls << child;
        }
        for (QWidget *control : controls) {
            if (!window->rect().contains(control->geometry()))
                return control->objectName() + " is cut";
            for (QWidget *other : controls) {
                if (other != control && other->geometry().intersects(control->geometry()))
                    return control->objectName() + " overlaps " + other->objectName();
            }
        }
        return QString();
    };
    QCOMPARE(laidOut(), QString());
    const QSize trendBefore = control<QWidget>(window, "vistaAndamento")->size();
    window->resize(window->width() + 280, window->height() + 256);
    QCOMPARE(laidOut(), QString());
    QCOMPARE(control<QWidget>(window, "vistaAndamento")->size(), trendBefore + QSize(280, 256));
    QCOMPARE(control<QWidget>(window, "cmdChiudi")->geometry().right(),
             control<QWidget>(window, "picAndamento")->geometry().right());
}

void TestFrmArchivio::statusLineCountsWhatIsFound()
{
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", developedAssessment());
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    auto *status = control<QLabel>(window, "lblStato");
    const QString where = QDir::toNativeSeparators(archivePath());
    QCOMPARE(status->text(), "1 soggetto. Archivio: " + where);
    {
        Archive archive(archivePath());
        archive.keep(0, "Bianchi Anna", developedAssessment());
        archive.keep(0, "Verdi Luca", developedAssessment());
    }
    window->reload();
    QCOMPARE(status->text(), "3 soggetti. Archivio: " + where);
    QTest::keyClicks(control<QLineEdit>(window, "txtCerca"), "ross");
    QCOMPARE(status->text(), "Trovati 1 soggetto su 3. Archivio: " + where);
    QTest::keyClick(control<QLineEdit>(window, "txtCerca"), Qt::Key_Backspace);
    QTest::keyClicks(control<QLineEdit>(window, "txtCerca"), "zz");
    QCOMPARE(status->text(), "Trovati 0 soggetti su 3. Archivio: " + where);
}

void TestFrmArchivio::qtDialogsInTheUsersLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("Italian") << italianLocale() << "Annulla";
    QTest::newRow("English") << englishLocale() << "Cancel";
}

void TestFrmArchivio::qtDialogsInTheUsersLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, cancel);
    cleanup();
    QLocale::setDefault(locale);
    init();
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", developedAssessment());
    }
    frmArchivio *window = openWithSubject(0);
    QVERIFY(window);
    QStringList buttons;
    answeringDialogs(
        [&] { QTest::mouseClick(control<QPushButton>(window, "cmdRinomina"), Qt::LeftButton); },
        [&](QWidget *dialog) {
            for (auto *button : dialog->findChildren<QPushButton *>())
                buttons << button->text().remove('&');
            qobject_cast<QDialog *>(dialog)->reject();
        });
    QLocale::setDefault(italianLocale());
    QVERIFY2(buttons.contains(cancel), qPrintable(buttons.join('|')));
}

// A disabled button is drawn as the desktop draws one, not as an enabled one.
void TestFrmArchivio::disabledButtonsLookDisabled()
{
    // The darkest ink on the button: its caption's.
    const auto look = [](QWidget *button) {
        const QImage image = button->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                darkest = qMin(darkest, qGray(image.pixel(x, y)));
        }
        return darkest;
    };
    // "Stampa sviluppo" is enabled at the start, and disabled by "NUOVO ...".
    m_driver->press("Command5");
    const QStringList waiting = {"Command2", "cmdSalva", "cmdCalcolo"};
    QList<int> before;
    for (const QString &name : waiting) {
        QVERIFY(!m_driver->button(qPrintable(name))->isEnabled());
        before << look(m_driver->button(qPrintable(name)));
    }
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    m_driver->press("Command1");
    m_program->mainWindow()->setFocus();
    for (int i = 0; i < waiting.size(); ++i) {
        QVERIFY(m_driver->button(qPrintable(waiting[i]))->isEnabled());
        QVERIFY2(look(m_driver->button(qPrintable(waiting[i]))) < before[i] - 40,
                 qPrintable(waiting[i]));
    }

    // In the archive window: the assessment's buttons with no subject selected.
    {
        Archive archive(archivePath());
        archive.keep(0, "Rossi Mario", developedAssessment());
    }
    frmArchivio *window = openArchiveWindow();
    QVERIFY(window);
    const char *assessmentButtons[] = {"cmdApri", "cmdElimina", "cmdStampaAndamento"};
    QList<int> unselected;
    for (const char *name : assessmentButtons) {
        QVERIFY(!control<QPushButton>(window, name)->isEnabled());
        unselected << look(control<QPushButton>(window, name));
    }
    auto *list = control<QListView>(window, "lstSoggetti");
    list->setCurrentIndex(list->model()->index(0, 0));
    for (int i = 0; i < 3; ++i)
        QVERIFY2(look(control<QPushButton>(window, assessmentButtons[i])) < unselected[i] - 40,
                 assessmentButtons[i]);
}

QTEST_MAIN(TestFrmArchivio)
#include "tst_frmarchivio.moc"
