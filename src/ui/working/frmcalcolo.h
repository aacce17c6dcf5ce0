#pragma once

// "Come si calcola": how each figure of the development on screen was
// reached, with the subject's numbers and the sources; printed, or saved as a
// PDF, the report's way.

#include "assessment/subject.h"
#include "ui/common/control_plan.h"
#include "ui/report/print_choices.h"

#include <QWidget>
#include <optional>

class QPushButton;
class QTextBrowser;

class frmCalcolo : public QWidget
{
    Q_OBJECT

public:
    explicit frmCalcolo(QWidget *parent = nullptr);

    // The development on screen; none after "NUOVO ..." or a stopped one.
    void showWorking(const std::optional<assessment::SubjectData> &subject);

private:
    PrintRequest printRequest() const; // with a development on screen
    PageDrawing page() const;
    void print();
    void savePdf();

    Controls m_controls;
    QTextBrowser *m_text;
    QPushButton *m_print;
    QPushButton *m_pdf;
    std::optional<assessment::SubjectData> m_subject;
};
