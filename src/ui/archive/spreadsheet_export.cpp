#include "spreadsheet_export.h"

#include "archive_texts.h"
#include "archive_wait.h"
#include "ui/common/messages.h"
#include "ui/report/pdf_file.h"

#include <QDate>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString title = QStringLiteral("Esporta CSV");

enum class Scope { Subject, Archive, None };

Scope askScope(QWidget *parent, const KeptSubject &subject)
{
    QMessageBox box(QMessageBox::Question, title,
                    QStringLiteral("Esportare le valutazioni di %1 o quelle dell'intero archivio?")
                        .arg(subject.name),
                    QMessageBox::NoButton, parent);
    QPushButton *one =
        box.addButton(QStringLiteral("Solo %1").arg(subject.name), QMessageBox::AcceptRole);
    QPushButton *all = box.addButton(QStringLiteral("Tutto l'archivio"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(one);
    box.exec();
    return box.clickedButton() == one   ? Scope::Subject
           : box.clickedButton() == all ? Scope::Archive
                                        : Scope::None;
}

} // namespace

SpreadsheetFormat spreadsheetFormatOf(const QLocale &locale)
{
    // "dd/MM/yy" and "M/d/yy" become "dd/MM/yyyy" and "MM/dd/yyyy": a
    // spreadsheet reads both, and a year of two digits is a guess.
    QString date = locale.dateFormat(QLocale::ShortFormat);
    date.replace(QRegularExpression("y+"), "yyyy");
    date.replace(QRegularExpression("M+"), "MM");
    date.replace(QRegularExpression("d+"), "dd");
    return spreadsheetFormat(locale.decimalPoint().toStdString(), date + " HH:mm");
}

namespace {

// The subjects' courses, read in one go where the archive lives; failed
// when any reading did not finish.
Archive::Reading<SubjectCourse> coursesOf(Archive &archive, std::optional<KeptSubject> onlySubject)
{
    Archive::Reading<SubjectCourse> courses;
    Archive::Reading<KeptSubject> subjects;
    if (onlySubject)
        subjects << *onlySubject;
    else
        subjects = archive.subjects();
    courses.failed = subjects.failed;
    // In the order the archive window lists them.
    std::sort(subjects.begin(), subjects.end(), [](const KeptSubject &a, const KeptSubject &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    for (const KeptSubject &subject : std::as_const(subjects)) {
        if (courses.failed)
            break;
        const Archive::Reading<KeptAssessment> assessments = archive.assessmentsOf(subject.id);
        courses.failed = assessments.failed;
        courses << SubjectCourse{subject, assessments};
    }
    return courses;
}

} // namespace

QString exportSpreadsheet(QWidget *parent, ArchiveSession &archive, const KeptSubject *selected)
{
    Scope scope = selected ? askScope(parent, *selected) : Scope::Archive;
    if (scope == Scope::None)
        return QString();
    const std::optional<KeptSubject> onlySubject =
        scope == Scope::Subject ? std::optional(*selected) : std::nullopt;
    const Archive::Reading<SubjectCourse> courses =
        waitFor(parent, title, archive,
                [&onlySubject](Archive &kept) { return coursesOf(kept, onlySubject); });
    const bool unread = courses.failed;
    qsizetype count = 0;
    for (const SubjectCourse &course : courses)
        count += course.assessments.size();
    // Never a file with part of the archive in it.
    if (unread) {
        showWarning(parent, title,
                    QStringLiteral("L'archivio non ha risposto durante la lettura: il file non è "
                                   "stato scritto. Riprovare più tardi."));
        return QString();
    }
    if (count == 0) {
        showInformation(parent, title, QStringLiteral("Non ci sono valutazioni da esportare."));
        return QString();
    }
    const QString proposed = scope == Scope::Subject
                                 ? proposedFileName(selected->name, "csv")
                                 : QStringLiteral("Nutrivo - archivio %1.csv")
                                       .arg(QDate::currentDate().toString(Qt::ISODate));
    const QString fileName = askSaveFile(parent, QStringLiteral("Esporta CSV"), proposed,
                                         QStringLiteral("File CSV (*.csv)"));
    if (fileName.isEmpty())
        return QString();
    // Each subject in the file is an access to their data, logged before it is written.
    QList<qint64> exported;
    for (const SubjectCourse &course : courses) {
        if (!course.assessments.isEmpty())
            exported << course.subject.id;
    }
    const WriteOutcome logged = waitFor(parent, title, archive, [&](Archive &kept) {
        return kept.logAccess(Access::Exported, exported);
    });
    if (logged != WriteOutcome::Done) {
        showNotice(parent, title, failureNotice(logged, archive.filePath()));
        return QString();
    }
    if (!writeSpreadsheet(fileName, courses, spreadsheetFormatOf(QLocale()))) {
        showWarning(parent, title,
                    QStringLiteral("Il file CSV non è stato salvato: controllare la cartella "
                                   "scelta e riprovare."));
        return QString();
    }
    const QString where = QDir::toNativeSeparators(fileName);
    return count == 1 ? QStringLiteral("Esportata 1 valutazione in %1").arg(where)
                      : QStringLiteral("Esportate %1 valutazioni in %2").arg(count).arg(where);
}
