#include "pdf_file.h"

#include <QDir>
#include <QFileDialog>
#include <QSettings>

QString proposedPdfName(const QString &subject)
{
    QString name = subject.trimmed();
    for (QChar &c : name) {
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            c = '-';
    }
    for (int i = 0; i < name.size() && name[i] == '.'; ++i)
        name[i] = '-';
    return name.isEmpty() ? QStringLiteral("Nutrivo.pdf")
                          : QStringLiteral("Nutrivo - %1.pdf").arg(name);
}

QString askPdfFile(QWidget *parent, const QString &subject)
{
    // Qt's file dialog keeps its history in the user's settings; the program
    // keeps none, so that history goes to a folder that can never exist.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/dev/null");
    return QFileDialog::getSaveFileName(
        parent, "Salva come PDF", QDir::home().filePath(proposedPdfName(subject)), "PDF (*.pdf)");
}
