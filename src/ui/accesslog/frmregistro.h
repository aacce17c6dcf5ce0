#pragma once

// "Registro accessi": every access to one subject's data, newest first, with
// who, from where and what; printed, or saved as a PDF, for the subject who
// asks.

#include "archive/access_log.h"
#include "archive/kept.h"
#include "ui/common/control_plan.h"
#include "ui/report/print_choices.h"

#include <QWidget>

class QLabel;
class QStandardItemModel;

class frmRegistro : public QWidget
{
    Q_OBJECT

public:
    explicit frmRegistro(QWidget *parent = nullptr);

    // accesses: newest first, as the archive gives them.
    void showAccesses(const KeptSubject &subject, const QList<LoggedAccess> &accesses);

private:
    PrintRequest printRequest() const;
    PageDrawings pages() const;

    Controls m_controls;
    QLabel *m_subjectLine;
    QStandardItemModel *m_rows;
    KeptSubject m_subject;
    QList<LoggedAccess> m_accesses;
};
