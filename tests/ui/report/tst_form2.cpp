// The report window: what it copies from the main window, and printing with
// no printer reachable.

#include "message_catcher.h"
#include "ui/form1_driver.h"
#include "ui/report/form2.h"
#include "ui/report/printed_page.h"

#include <QFileDialog>
#include <QMenu>
#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

class TestForm2 : public QObject, private Form1Fixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void designCaptionsBeforeActivation();
    void activationRefresh_data();
    void activationRefresh();
    void secondActivationAfterNewDevelopment();
    void newFormEmptiesInputRowsOnly();
    void sexChangedAfterDevelopment();
    void gramTextWithoutG();
    void closedReportIsBuiltAnew();
    void noPrinterSavesPdf();
    void noPrinterOk();
    void pdfNotWritten();
    void savePdfFromReport_data();
    void savePdfFromReport();
    void proposedPdfName_data();
    void proposedPdfName();
    void noRefreshComingBack_data();
    void noRefreshComingBack();

private:
    QWidget *openReport();
    void developMan();
    // Saves through the file dialog, choosing "Salva come PDF..." where a
    // message offers it; the name the dialog proposed comes back.
    QString savingAs(const QString &pdf, const std::function<void()> &action,
                     QList<ShownMessage> *messages = nullptr);

    QTemporaryDir m_home;
};

void TestForm2::initTestCase()
{
    registerFontSubstitutes();
    QVERIFY(m_home.isValid());
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_home.filePath(".config").toLocal8Bit());
}

void TestForm2::init()
{
    QVERIFY(openForm());
}

void TestForm2::cleanup()
{
    for (const QString &pdf : QDir(m_home.path()).entryList({"*.pdf"}))
        QFile::remove(m_home.filePath(pdf));
    closeForm();
}

void TestForm2::developMan()
{
    m_driver->enter("1.70", "70", "30", {"Option1", "Option3", "Option7"});
    QCOMPARE(answeringMessages([this] { m_driver->press("Command1"); }).size(), 0);
}

QWidget *TestForm2::openReport()
{
    m_driver->press("Command2");
    QWidget *report = nullptr;
    const bool active = QTest::qWaitFor([&] {
        report = QApplication::activeWindow();
        return report && report->objectName() == "Form2";
    });
    return active ? report : nullptr;
}

QString TestForm2::savingAs(const QString &pdf, const std::function<void()> &action,
                            QList<ShownMessage> *messages)
{
    QString proposedName;
    answeringDialogs(action, [&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (messages)
                *messages << ShownMessage{box->windowTitle(), box->text(), box->icon(), {}};
            QAbstractButton *press = box->button(QMessageBox::Ok);
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == "Salva come PDF...")
                    press = button;
            }
            press->click();
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            proposedName = dialog->selectedFiles().value(0);
            chooseFile(dialog, pdf);
        }
    });
    return proposedName;
}

static QString caption(QWidget *report, const char *name)
{
    return report->findChild<QLabel *>(name)->text();
}

void TestForm2::designCaptionsBeforeActivation()
{
    Form2 report(m_form.get());
    QCOMPARE(caption(&report, "Label6"), QString("label6"));
    QCOMPARE(caption(&report, "Label34"), QString("Label34"));
    QVERIFY(report.findChild<QWidget *>("Label2_0"));
    QVERIFY(report.findChild<QWidget *>("Label2_1"));
}

void TestForm2::activationRefresh_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("kcal");
    QTest::newRow("italian") << italianLocale()
                             << QStringList{"262,11 Kcal", "655,26 Kcal", "1.703,68 Kcal"};
    QTest::newRow("english") << englishLocale()
                             << QStringList{"262.11 Kcal", "655.26 Kcal", "1,703.68 Kcal"};
}

void TestForm2::activationRefresh()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, kcal);
    QLocale::setDefault(locale);
    developMan();
    QWidget *report = openReport();
    QVERIFY(report);

    const QList<std::pair<const char *, QString>> expected = {
        {"Label12", "Rossi Mario"},
        {"Label14", "Maschile"},
        {"Label16", "Leggera"},
        {"Label18", "Normale"},
        {"Label20", "30"},
        {"Label39", "1.70"},
        {"Label23", "70.00 Kg"},
        {"Label25", " 65 Kg"},
        {"Label27", "in Normopeso"},
        {"Label32", " 91 cm"},
        {"Label30", " 70 cm"},
        {"Label52", " 56 cm"},
        {"Label34", " 2621.05 Kcal/giorno"},
        {"Label41", kcal[0]},
        {"Label43", " 65.53 g"},
        {"Label45", kcal[1]},
        {"Label46", " 72.81 g"},
        {"Label47", kcal[2]},
        {"Label48", " 425.92 g"},
        {"Label6", locale.toString(QDate::currentDate(), QLocale::ShortFormat)},
    };
    for (const auto &[name, text] : expected)
        QCOMPARE(caption(report, name), text);
    const QTime printedTime =
        QTime::fromString(caption(report, "Label8").trimmed(),
                          locale.timeFormat(QLocale::LongFormat).remove('t').trimmed());
    QVERIFY2(printedTime.isValid(), qPrintable(caption(report, "Label8")));
}

void TestForm2::secondActivationAfterNewDevelopment()
{
    developMan();
    QWidget *report = openReport();
    QVERIFY(showActive(m_form.get()));
    m_driver->enter("1.60", "55", "25", {"Option2", "Option4", "Option6"});
    m_driver->type("Text1", "Bianchi Anna");
    answeringMessages([this] { m_driver->press("Command1"); });
    QVERIFY(showActive(report));

    QCOMPARE(caption(report, "Label12"), QString("Bianchi Anna"));
    QCOMPARE(caption(report, "Label14"), QString("Femminile"));
    QCOMPARE(caption(report, "Label16"), QString("Moderata"));
    QCOMPARE(caption(report, "Label18"), QString("Magra"));
    QCOMPARE(caption(report, "Label25"), QString(" 55 Kg"));
    QCOMPARE(caption(report, "Label34"), QString(" 2139.38 Kcal/giorno"));
    QCOMPARE(caption(report, "Label43"), QString(" 53.49 g"));
}

void TestForm2::newFormEmptiesInputRowsOnly()
{
    developMan();
    QWidget *report = openReport();
    QVERIFY(showActive(m_form.get()));
    m_driver->press("Command5");
    QVERIFY(showActive(report));

    for (const char *name : {"Label12", "Label20", "Label39", "Label23", "Label25", "Label27"})
        QVERIFY2(caption(report, name).isEmpty(), name);
    QCOMPARE(caption(report, "Label14"), QString("Maschile"));
    QCOMPARE(caption(report, "Label16"), QString("Leggera"));
    QCOMPARE(caption(report, "Label18"), QString("Normale"));
    QCOMPARE(caption(report, "Label34"), QString(" 2621.05 Kcal/giorno"));
    QCOMPARE(caption(report, "Label32"), QString(" 91 cm"));
}

void TestForm2::sexChangedAfterDevelopment()
{
    developMan();
    QWidget *report = openReport();
    QVERIFY(showActive(m_form.get()));
    m_driver->choose({"Option2"});
    QVERIFY(showActive(report));
    QCOMPARE(caption(report, "Label14"), QString("Femminile"));
    QCOMPARE(caption(report, "Label25"), QString(" 65 Kg"));
}

void TestForm2::gramTextWithoutG()
{
    developMan();
    m_driver->label("Label49")->setText("65,5");
    QWidget *report = openReport();
    QCOMPARE(caption(report, "Label43"), QString("65,5g"));
}

void TestForm2::closedReportIsBuiltAnew()
{
    developMan();
    QPointer<QWidget> first = openReport();
    first->findChild<QLabel *>("Label54")->setText("changed");
    first->close();
    QTRY_VERIFY(first.isNull());
    QVERIFY(showActive(m_form.get()));
    QWidget *second = openReport();
    QVERIFY(second);
    QCOMPARE(caption(second, "Label54"), QString("Riepilogo stampato da Nutrivo"));
    QCOMPARE(caption(second, "Label34"), QString(" 2621.05 Kcal/giorno"));
}

void TestForm2::noPrinterSavesPdf()
{
    developMan();
    QWidget *report = openReport();
    QPushButton *print = report->findChild<QPushButton *>("Command1");
    const QString pdf = m_home.filePath("riepilogo.pdf");

    QList<ShownMessage> messages;
    QString proposedName;
    answeringDialogs(
        [&] { QTest::mouseClick(print, Qt::LeftButton); },
        [&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                QStringList buttons;
                for (QAbstractButton *button : box->buttons())
                    buttons << button->text();
                messages << ShownMessage{box->windowTitle(), box->text(), box->icon(), buttons};
                QVERIFY(print->isVisible());
                for (QAbstractButton *button : box->buttons()) {
                    if (button->text() == "Salva come PDF...")
                        button->click();
                }
            } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                proposedName = dialog->selectedFiles().value(0);
                chooseFile(dialog, pdf);
            }
        });

    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("Stampa sviluppo"));
    QCOMPARE(messages[0].text,
             QString("Nessuna stampante disponibile: il riepilogo non è stato stampato."));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    QCOMPARE(messages[0].buttons.size(), 2);
    QVERIFY(messages[0].buttons.contains("Salva come PDF..."));
    QVERIFY(messages[0].buttons.contains("OK"));
    QCOMPARE(QFileInfo(proposedName).fileName(), QString("Nutrivo - Rossi Mario.pdf"));
    QVERIFY(print->isVisible());

    QCOMPARE(pdfPageCount(pdf), 1);
    print->hide();
    const QImage window = report->grab().toImage();
    print->show();
    const QImage withButton = report->grab().toImage();
    const QImage printed = printedArea(pdfFirstPage(pdf, 150));
    const double difference = pageDifference(printed, window);
    qInfo("printed page differs from the window in %.2f %% of its pixels, with the button in "
          "%.2f %%",
          difference * 100, pageDifference(printed, withButton) * 100);
    QVERIFY(difference < 0.01);
    QVERIFY(pageDifference(printed, withButton) > difference);

    // Drawn as text and lines: small, searchable, with no picture of the page.
    QVERIFY2(QFileInfo(pdf).size() <= 100 * 1024,
             qPrintable(QString::number(QFileInfo(pdf).size())));
    QCOMPARE(pdfPictures(pdf), QStringList());
    const QString text = pdfText(pdf).simplified();
    for (const QLabel *value : report->findChildren<QLabel *>()) {
        if (value->alignment() & Qt::AlignRight || value->font().bold())
            QVERIFY2(text.contains(value->text().simplified()), qPrintable(value->text()));
    }
    // Nothing but the PDF is written: no settings of the file dialog either.
    QStringList written;
    for (QDirIterator file(m_home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         file.hasNext();)
        written << file.next();
    QCOMPARE(written, QStringList{pdf});
}

void TestForm2::pdfNotWritten()
{
    developMan();
    QWidget *report = openReport();
    // A folder nobody may write into, root included.
    const QString pdf = "/proc/riepilogo.pdf";
    QList<ShownMessage> messages;
    savingAs(
        pdf, [&] { QTest::keySequence(report, QKeySequence::Save); }, &messages);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, QString("Stampa sviluppo"));
    QCOMPARE(messages[0].text, QString("Il file PDF non è stato salvato: controllare la cartella "
                                       "scelta e riprovare."));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(report->findChild<QPushButton *>("Command1")->isVisible());
}

void TestForm2::savePdfFromReport_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("paper"); // as pdfinfo gives it
    QTest::newRow("Ctrl+S, A4") << false << italianLocale() << "595 x 842 pts (A4)";
    QTest::newRow("context menu, Letter") << true << englishLocale() << "612 x 792 pts (letter)";
}

void TestForm2::savePdfFromReport()
{
    QFETCH(bool, fromMenu);
    QFETCH(QLocale, locale);
    QFETCH(QString, paper);
    QLocale::setDefault(locale);
    developMan();
    QWidget *report = openReport();
    QStringList menu;
    QTimer chooseFromMenu;
    connect(&chooseFromMenu, &QTimer::timeout, [&] {
        if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : popup->actions())
                menu << action->text();
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        }
    });
    chooseFromMenu.start(5);

    const QString pdf = m_home.filePath("inviato.pdf");
    const QString proposed = savingAs(pdf, [&] {
        if (!fromMenu)
            return QTest::keySequence(report, QKeySequence::Save);
        QWidget *page = report->findChild<QLabel *>("Label12");
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                page->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(page, &click);
    });
    QCOMPARE(QFileInfo(proposed).fileName(), QString("Nutrivo - Rossi Mario.pdf"));
    QCOMPARE(pdfPageCount(pdf), 1);
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(30000);
    const QString details = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(
        details.contains(QRegularExpression("Page size: +" + QRegularExpression::escape(paper))),
        qPrintable(details));
    // Centred on the paper: as much white on the left as on the right.
    const QImage page = pdfFirstPage(pdf, 150);
    const QRect printed = printedRect(page);
    QVERIFY2(qAbs(printed.left() - (page.width() - 1 - printed.right())) <= 2,
             qPrintable(QStringLiteral("%1 px left, %2 px right")
                            .arg(printed.left())
                            .arg(page.width() - 1 - printed.right())));
    if (fromMenu)
        QCOMPARE(menu, (QStringList{"Salva come PDF...", "Come si calcola..."}));
}

void TestForm2::proposedPdfName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("plain") << "Rossi Mario"
                           << "Nutrivo - Rossi Mario.pdf";
    QTest::newRow("blank") << "   "
                           << "Nutrivo.pdf";
    QTest::newRow("slash") << "Rossi/Bianchi"
                           << "Nutrivo - Rossi-Bianchi.pdf";
    QTest::newRow("parent folders") << "../../.bashrc"
                                    << "Nutrivo - ---..-.bashrc.pdf";
    QTest::newRow("backslash") << "Rossi\\Bianchi"
                               << "Nutrivo - Rossi-Bianchi.pdf";
    QTest::newRow("hidden") << " .profilo"
                            << "Nutrivo - -profilo.pdf";
    QTest::newRow("control") << "Rossi\tMario\x01"
                             << "Nutrivo - Rossi-Mario-.pdf";
}

void TestForm2::proposedPdfName()
{
    QFETCH(QString, name);
    QFETCH(QString, proposed);
    developMan();
    QWidget *report = openReport();
    m_driver->box("Text1")->setText(name);
    const QString offered =
        savingAs(m_home.filePath("x.pdf"), [&] { QTest::keySequence(report, QKeySequence::Save); });
    QCOMPARE(offered, m_home.filePath(proposed));
}

void TestForm2::noRefreshComingBack_data()
{
    QTest::addColumn<bool>("fromOwnMessage");
    QTest::newRow("another application") << false;
    QTest::newRow("its own message box") << true;
}

// Only the program's other windows bring the main window's values anew.
void TestForm2::noRefreshComingBack()
{
    QFETCH(bool, fromOwnMessage);
    developMan();
    QWidget *report = openReport();
    m_driver->box("Text1")->setText("Bianchi Anna");
    if (fromOwnMessage) {
        answeringMessages([&] { report->findChild<QPushButton *>("Command1")->click(); }, "OK");
    } else {
        // Qt 6.7 renamed the call that tells the program its windows lost the focus.
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
        QWindowSystemInterface::handleFocusWindowChanged<
            QWindowSystemInterface::SynchronousDelivery>(nullptr);
#else
        QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(
            nullptr);
#endif
        QVERIFY(!QApplication::activeWindow());
        QVERIFY(showActive(report));
    }
    QCOMPARE(QApplication::activeWindow(), report);
    QCOMPARE(caption(report, "Label12"), QString("Rossi Mario"));
}

void TestForm2::noPrinterOk()
{
    developMan();
    QWidget *report = openReport();
    QPushButton *print = report->findChild<QPushButton *>("Command1");
    const auto messages = answeringMessages([&] { print->click(); }, "OK");
    QCOMPARE(messages.size(), 1);
    QVERIFY(print->isVisible());
    QCOMPARE(QDir(m_home.path()).entryList({"*.pdf"}), QStringList());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
