#pragma once

// Where a PDF of the report goes: a name proposed from the subject's, and the
// user's choice of file.

class QString;
class QWidget;

// "Nutrivo - <name>.pdf", or "Nutrivo.pdf" without a name; nothing of the
// name can lead into another folder or make a hidden file.
QString proposedPdfName(const QString &subject);

// The desktop's own save dialog where it has one, proposing that name in the
// home folder; empty when the user cancels.
QString askPdfFile(QWidget *parent, const QString &subject);
