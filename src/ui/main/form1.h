#pragma once

// The main window: the subject's data in, the developed assessment out.

#include "ui/common/control_plan.h"

#include <QPointer>
#include <QWidget>

namespace assessment {
struct DevelopedData;
struct MacronutrientSplit;
struct SubjectData;
} // namespace assessment

class QLabel;
class QLineEdit;
class QRadioButton;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // Turns the first comma of the weight and height boxes into a point.
    bool Puntino();
    // Back to a blank entry form; shows nothing and leaves the focus alone.
    void ResetAssessment();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void develop();
    void showReport();
    void showInformation();
    void checkHeightOnLeaving();

    void stopDevelopment(const assessment::DevelopedData &data);
    void showMacronutrientSplit(const assessment::MacronutrientSplit &split);
    void showDevelopmentTime();
    assessment::SubjectData subject() const;

    QLabel *label(const QString &name) const;
    QLineEdit *textBox(const QString &name) const;
    QRadioButton *option(int number) const;
    QWidget *control(const QString &name) const;
    void setCaption(const QString &labelName, const std::string &text);
    void setCaption(const QString &labelName, const QString &text);

    Controls m_controls;
    QList<QList<QWidget *>> m_tabStops;
    QPointer<QWidget> m_report;
    QPointer<QWidget> m_information;
    bool m_checkingHeight = false;
};
