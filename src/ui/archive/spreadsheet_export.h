#pragma once

// "Esporta CSV...": the selected subject's assessments, or the whole
// archive's, into a spreadsheet file the user chooses.

#include "archive/archive_session.h"
#include "archive/spreadsheet_file.h"

class QLocale;
class QWidget;

// The locale's decimal mark, and its short date with the year in full.
SpreadsheetFormat spreadsheetFormatOf(const QLocale &locale);

// What was written, for the window to say; empty when nothing was.
QString exportSpreadsheet(QWidget *parent, ArchiveSession &archive, const KeptSubject *selected);
