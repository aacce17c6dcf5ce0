#pragma once

// Where a page or a file of the program goes: a name proposed from the
// subject's, and the user's choice of file.

class QString;
class QWidget;

// "Nutrivo - <name>.<extension>", or "Nutrivo.<extension>" without a name;
// nothing of the name can lead into another folder or make a hidden file.
QString proposedFileName(const QString &subject, const QString &extension);
QString proposedPdfName(const QString &subject);

// The desktop's own save dialog where it has one, proposing that name in the
// home folder; empty when the user cancels.
QString askSaveFile(QWidget *parent, const QString &title, const QString &proposedName,
                    const QString &filter);
QString askPdfFile(QWidget *parent, const QString &subject);
