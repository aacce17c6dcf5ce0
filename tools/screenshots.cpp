// Saves the pictures of the windows that the README shows. Run it under
// xvfb-run from the top of the repository: build/tools/screenshots docs [locale]
#include "ui/common/fonts.h"
#include "ui/information/frmlogin.h"
#include "ui/main/form1.h"
#include "ui/report/page_printer.h"
#include "ui/startup/frmsplash.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

void typeSubject(Form1 &form)
{
    const auto box = [&](const char *name) { return form.findChild<QLineEdit *>(name); };
    box("Text1")->setText("Rossi Mario");
    box("Text3")->setText("1.70");
    box("Text2")->setText("70");
    box("Text4")->setText("30");
    for (const char *name : {"Option1", "Option3", "Option7"})
        form.findChild<QRadioButton *>(name)->setChecked(true);
}

void save(QWidget &window, const QString &folder, const QString &name)
{
    QTest::qWait(300);
    window.grab().save(QDir(folder).filePath(name));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    const QString folder = argc > 1 ? argv[1] : ".";
    QLocale::setDefault(QLocale(argc > 2 ? argv[2] : "it_IT"));

    Form1 form;
    form.show();
    save(form, folder, "form1-start.png");
    typeSubject(form);
    form.findChild<QPushButton *>("Command1")->click();
    save(form, folder, "form1-developed.png");

    form.findChild<QPushButton *>("Command2")->click();
    QWidget *report = QApplication::activeWindow();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "Form2")
            report = window;
    }
    save(*report, folder, "form2-report.png");

    // The printed page, as the PDF printer receives it.
    QPushButton *print = report->findChild<QPushButton *>("Command1");
    print->hide();
    const QString pdf = QDir(folder).filePath("form2-page.pdf");
    saveAsPdf(report, pdf);
    print->show();
    QProcess::execute("pdftoppm", {"-r", "60", "-png", "-singlefile", pdf,
                                   QDir(folder).filePath("form2-printed")});
    QFile::remove(pdf);

    // The splash window mid-way, and the information window with every letter.
    frmSplash splash;
    splash.findChild<QTimer *>("Timer1")->stop();
    for (int tick = 0; tick < 10; ++tick)
        splash.tick();
    save(splash, folder, "frmsplash.png");
    frmLogin information;
    information.findChild<QTimer *>("Timer2")->stop();
    information.show();
    for (int tick = 0; tick < 5; ++tick)
        information.tick();
    save(information, folder, "frmlogin.png");
    return 0;
}
