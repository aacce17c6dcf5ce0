#include "pdf_file.h"

#include <QDir>
#include <QFileDialog>
#include <QSettings>

QString proposedFileName(const QString &subject, const QString &extension)
{
    QString name = subject.trimmed();
    for (QChar &c : name) {
        if (c == '/' || c == '\\' || c.category() == QChar::Other_Control)
            c = '-';
    }
    for (int i = 0; i < name.size() && name[i] == '.'; ++i)
        name[i] = '-';
    return name.isEmpty() ? QStringLiteral("Nutrivo.%1").arg(extension)
                          : QStringLiteral("Nutrivo - %1.%2").arg(name, extension);
}

QString proposedPdfName(const QString &subject)
{
    return proposedFileName(subject, QStringLiteral("pdf"));
}

QString askSaveFile(QWidget *parent, const QString &title, const QString &proposedName,
                    const QString &filter)
{
    // Qt's file dialog keeps its history in the user's settings; the program
    // keeps none, so that history goes to a folder that can never exist.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, "/dev/null");
    return QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(proposedName), filter);
}

QString askPdfFile(QWidget *parent, const QString &subject)
{
    return askSaveFile(parent, "Salva come PDF", proposedPdfName(subject), "PDF (*.pdf)");
}
