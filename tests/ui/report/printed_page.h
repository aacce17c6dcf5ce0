#pragma once

// What a printed PDF holds: its page count, and how far its first page is from
// a window's own image.

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

inline int pdfPageCount(const QString &pdf)
{
    QProcess info;
    info.start("pdfinfo", {pdf});
    info.waitForFinished(30000);
    const auto match = QRegularExpression("Pages:\\s+(\\d+)")
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

inline QString pdfText(const QString &pdf)
{
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput());
}

// The pictures a PDF holds, one line each ("width height").
inline QStringList pdfPictures(const QString &pdf)
{
    QProcess list;
    list.start("pdfimages", {"-list", pdf});
    list.waitForFinished(30000);
    QStringList pictures;
    const auto rows = QString::fromUtf8(list.readAllStandardOutput()).split('\n');
    for (const QString &row : rows.mid(2)) {
        const QStringList columns = row.simplified().split(' ');
        if (columns.size() > 4)
            pictures << columns[3] + ' ' + columns[4];
    }
    return pictures;
}

inline QImage pdfFirstPage(const QString &pdf, int dotsPerInch)
{
    QTemporaryDir folder;
    const QString stem = folder.filePath("page");
    QProcess::execute("pdftoppm", {"-r", QString::number(dotsPerInch), "-f", "1", "-l", "1", "-png",
                                   "-singlefile", pdf, stem});
    return QImage(stem + ".png").convertToFormat(QImage::Format_RGB32);
}

// Where the printed window lies: the part of the page that is not white paper.
inline QRect printedRect(const QImage &page)
{
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (qRed(line[x]) < 250 || qGreen(line[x]) < 250 || qBlue(line[x]) < 250)
                area |= QRect(x, y, 1, 1);
        }
    }
    return area;
}

inline QImage printedArea(const QImage &page)
{
    return page.copy(printedRect(page));
}

// The share of pixels that differ clearly once both images are brought to half
// the window's size, where scaling and anti-aliasing no longer show.
inline double pageDifference(const QImage &printed, const QImage &window)
{
    const QSize size = window.size() / 2;
    const QImage expected = window.convertToFormat(QImage::Format_RGB32)
                                .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage actual = printed.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb b = expected.pixel(x, y);
            const int distance = qMax(qAbs(qRed(a) - qRed(b)),
                                      qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
            differing += distance > 64;
        }
    }
    return double(differing) / (expected.width() * expected.height());
}
