// What a subject's course costs: the trend of 1,000 assessments painted, the
// course page through the PDF writer, and the spreadsheet file of 10,000
// assessments. Figures, not limits.

#include "archive/spreadsheet_file.h"
#include "archive_fixture.h"
#include "ui/trend/course_page.h"
#include "ui/trend/trend_view.h"

#include <QImage>
#include <QtTest>

class BenchCourse : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void trendOfAThousand();
    void coursePageAsPdf();
    void spreadsheetOfTenThousand();

private:
    QTemporaryDir m_folder;
    KeptSubject m_subject;
    QList<KeptAssessment> m_assessments; // newest first
};

void BenchCourse::initTestCase()
{
    QLocale::setDefault(italianLocale());
    m_subject.name = "Rossi Mario";
    for (int i = 999; i >= 0; --i) {
        const QByteArray weight = QByteArray::number(90 - i * 0.015, 'f', 1);
        KeptAssessment kept = developedAssessment("1.75", weight.constData());
        kept.takenAt = QDateTime(QDate(2020, 1, 1).addDays(i * 2), QTime(9, 0));
        m_assessments << kept;
    }
}

// The view as the archive window holds it, painted whole.
void BenchCourse::trendOfAThousand()
{
    TrendView view;
    view.resize(400, 304);
    view.setTrend(trendOf(m_subject.sex, m_assessments));
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    QBENCHMARK
    {
        view.render(&image);
    }
}

void BenchCourse::coursePageAsPdf()
{
    const PageDrawing page = coursePage(m_subject, m_assessments, QLocale(), QDate(2026, 12, 8));
    const QString pdf = m_folder.filePath("andamento.pdf");
    QBENCHMARK
    {
        QCOMPARE(saveAsPdf({page}, pdf), PrintOutcome::Printed);
    }
}

// 1,000 subjects of ten assessments each, as the whole archive is exported.
void BenchCourse::spreadsheetOfTenThousand()
{
    QList<SubjectCourse> courses;
    for (int i = 0; i < 1000; ++i) {
        KeptSubject subject;
        subject.name = QStringLiteral("Soggetto %1").arg(i);
        courses << SubjectCourse{subject, m_assessments.mid(i % 990, 10)};
    }
    const QString csv = m_folder.filePath("archivio.csv");
    QBENCHMARK
    {
        QVERIFY(writeSpreadsheet(csv, courses, spreadsheetFormat(",", "dd/MM/yyyy HH:mm")));
    }
    qInfo("file: %lld bytes", QFileInfo(csv).size());
}

QTEST_MAIN(BenchCourse)
#include "bench_course.moc"
