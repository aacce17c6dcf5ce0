// Saves the pictures of the windows that the README shows. Run it under
// xvfb-run from the top of the repository: build/tools/screenshots docs [locale]
#include "archive/archive.h"
#include "ui/accesslog/access_log_pages.h"
#include "ui/archive/archive_keeper.h"
#include "ui/archive/frmarchivio.h"
#include "ui/archive/server_dialog.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_translations.h"
#include "ui/common/regional.h"
#include "ui/information/frmlogin.h"
#include "ui/main/form1.h"
#include "ui/report/page_printer.h"
#include "ui/startup/frmsplash.h"
#include "ui/trend/course_page.h"
#include "ui/working/frmcalcolo.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

void typeSubject(Form1 &form, const char *name = "Rossi Mario", const char *height = "1.70",
                 const char *weight = "70", const char *age = "30")
{
    const auto box = [&](const char *name) { return form.findChild<QLineEdit *>(name); };
    box("Text1")->setText(name);
    box("Text3")->setText(height);
    box("Text2")->setText(weight);
    box("Text4")->setText(age);
    for (const char *name : {"Option1", "Option3", "Option7"})
        form.findChild<QRadioButton *>(name)->setChecked(true);
}

void save(QWidget &window, const QString &folder, const QString &name)
{
    QTest::qWait(300);
    window.grab().save(QDir(folder).filePath(name));
}

// An archive of a few subjects, Rossi Mario seen every two weeks.
void fillArchive(Archive &archive)
{
    using namespace assessment;
    const auto keep = [&](qint64 subject, const char *name, Sex sex, const char *weight,
                          const QDateTime &when) {
        const SubjectData data{
            name, "1.70", weight, "30", sex, ActivityLevel::Moderata, Constitution::Normale};
        return archive
            .keep(subject, name, keptFrom(data, develop(data, separatorsOf(QLocale())), when))
            .subjectId;
    };
    const QDateTime first(QDate(2026, 9, 1), QTime(9, 30));
    qint64 rossi = 0;
    const char *weights[] = {"84", "82.5", "81", "79.8", "78.6", "77.9"};
    for (int visit = 0; visit < 6; ++visit)
        rossi =
            keep(rossi, "Rossi Mario", Sex::Maschile, weights[visit], first.addDays(14 * visit));
    keep(0, "Bianchi Anna", Sex::Femminile, "61", first.addDays(20));
    keep(0, "Verdi Luca", Sex::Maschile, "74", first.addDays(35));
}

// A boy seen every half year from 15 to 18: his classes follow his age.
qint64 keepGrowingBoy(Archive &archive)
{
    using namespace assessment;
    const char *visits[][3] = {{"15", "1.66", "66"}, {"15", "1.69", "68"}, {"16", "1.72", "69"},
                               {"16", "1.74", "70"}, {"17", "1.75", "70"}, {"17", "1.76", "71"},
                               {"18", "1.76", "71"}};
    qint64 id = 0;
    const QDateTime first(QDate(2024, 10, 1), QTime(16, 0));
    for (int visit = 0; visit < 7; ++visit) {
        const SubjectData data{"Neri Paolo",         visits[visit][1], visits[visit][2],
                               visits[visit][0],     Sex::Maschile,    ActivityLevel::Moderata,
                               Constitution::Normale};
        id = archive
                 .keep(id, "Neri Paolo",
                       keptFrom(data, develop(data, separatorsOf(QLocale())),
                                first.addDays(182 * visit)))
                 .subjectId;
    }
    return id;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    const QString folder = argc > 1 ? argv[1] : ".";
    QLocale::setDefault(QLocale(argc > 2 ? argv[2] : "it_IT"));
    useQtTranslations(QLocale());

    Form1 form;
    form.show();
    save(form, folder, "form1-start.png");
    typeSubject(form);
    form.findChild<QPushButton *>("Command1")->click();
    save(form, folder, "form1-developed.png");

    frmCalcolo working;
    working.showWorking(assessment::SubjectData{
        "Rossi Mario", "1.70", "70", "30", assessment::Sex::Maschile,
        assessment::ActivityLevel::Leggera, assessment::Constitution::Normale});
    working.show();
    save(working, folder, "frmcalcolo.png");

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
    saveAsPdf({drawingOf(report)}, pdf);
    print->show();
    QProcess::execute("pdftoppm", {"-r", "60", "-png", "-singlefile", pdf,
                                   QDir(folder).filePath("form2-printed")});
    QFile::remove(pdf);

    // A boy of 10: his class from the growth reference.
    report->close();
    QTest::qWait(100);
    typeSubject(form, "Bruni Marco", "1.40", "38", "10");
    form.findChild<QPushButton *>("Command1")->click();
    save(form, folder, "form1-ragazzo.png");
    working.showWorking(assessment::SubjectData{
        "Bruni Marco", "1.40", "38", "10", assessment::Sex::Maschile,
        assessment::ActivityLevel::Leggera, assessment::Constitution::Normale});
    save(working, folder, "frmcalcolo-ragazzo.png");
    form.findChild<QPushButton *>("Command2")->click();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "Form2")
            save(*window, folder, "form2-ragazzo.png");
    }

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

    QTemporaryDir data;
    Archive archive(QDir(data.path()).filePath("archivio.sqlite"));
    fillArchive(archive);
    keepGrowingBoy(archive);
    ArchiveSession session(std::make_unique<Archive>(archive.filePath()));
    ArchiveKeeper keeper(session);
    frmArchivio archiveWindow(session, keeper);
    archiveWindow.show();
    auto *subjects = archiveWindow.findChild<QListView *>("lstSoggetti");
    subjects->setCurrentIndex(subjects->model()->index(2, 0)); // Rossi Mario
    save(archiveWindow, folder, "frmarchivio.png");
    // Who saw and changed his data, as he is shown it.
    archiveWindow.findChild<QPushButton *>("cmdRegistro")->click();
    if (auto *accessLog = archiveWindow.findChild<QWidget *>("frmRegistro")) {
        save(*accessLog, folder, "frmregistro.png");
        accessLog->close();
    }

    // Rossi Mario's course on paper.
    KeptSubject rossi;
    for (const KeptSubject &subject : archive.subjects()) {
        if (subject.name == "Rossi Mario")
            rossi = subject;
    }
    const QString course = QDir(folder).filePath("andamento.pdf");
    saveAsPdf({coursePage(rossi, archive.assessmentsOf(rossi.id), QLocale(), QDate(2026, 11, 20))},
              course);
    QProcess::execute("pdftoppm", {"-r", "60", "-png", "-singlefile", course,
                                   QDir(folder).filePath("andamento-pagina")});
    QFile::remove(course);
    const QString accessLog = QDir(folder).filePath("registro.pdf");
    saveAsPdf(accessLogPages(rossi, archive.accessesOf(rossi.id), QLocale(), QDate(2026, 11, 20)),
              accessLog);
    QProcess::execute("pdftoppm", {"-r", "60", "-png", "-singlefile", accessLog,
                                   QDir(folder).filePath("registro-pagina")});
    QFile::remove(accessLog);
    archiveWindow.findChild<QLineEdit *>("txtCerca")->setText("bi");
    save(archiveWindow, folder, "frmarchivio-cerca.png");

    archiveWindow.findChild<QLineEdit *>("txtCerca")->setText("neri");
    QTest::qWait(300);
    subjects->setCurrentIndex(subjects->model()->index(0, 0));
    save(archiveWindow, folder, "frmarchivio-crescita.png");

    // "Archivio dello studio...", as a practice would fill it in.
    ServerDialog server(ServerAddress{"archivio.studio.lan", 5432, "nutrivo", "dietista1",
                                      "/etc/nutrivo/studio-ca.crt"},
                        &archiveWindow);
    server.show();
    save(server, folder, "archivio-studio.png");
    return 0;
}
