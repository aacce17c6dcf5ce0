#pragma once

// The main window: the subject's data in, the developed assessment out.

#include "archive/kept.h"
#include "assessment/subject.h"
#include "ui/common/control_plan.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
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

    // Develops a kept assessment's inputs again under the subject's name, and
    // says which of today's figures differ from the kept ones.
    void developKept(const KeptSubject &subject, const KeptAssessment &kept);

    // The inputs of the completed development on screen, as typed, under the
    // name in its box; none after a stop or "NUOVO ...".
    std::optional<assessment::SubjectData> developedSubject() const;

signals:
    // "Salva nell'archivio": the development on screen, under the name typed.
    void keepWanted(const QString &name, const KeptAssessment &assessment);
    // "Archivio...".
    void archiveWanted();
    // "Come si calcola...", here or in the report.
    void workingWanted();
    // A development completed, or the one on screen is gone.
    void developmentChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void develop();
    void showReport();
    void showInformation();
    void checkHeightOnLeaving();
    void keepDevelopment();
    void forgetDevelopment();
    // Whether a box or an option no longer reads as the development on screen.
    bool editedSinceDevelopment() const;

    void stopDevelopment(const assessment::DevelopedData &data);
    void showGrowthLine(const std::string &text, const std::string &note);
    void showMacronutrientSplit(const assessment::MacronutrientSplit &split);
    void showDevelopmentTime(const QDateTime &now);
    assessment::SubjectData subject() const;

    QLabel *label(const QString &name) const;
    void setCaption(const QString &labelName, const std::string &text);
    void setCaption(const QString &labelName, const QString &text);

    Controls m_controls;
    // The controls the window handles itself, found once after it is built.
    struct Handled
    {
        QLineEdit *Text1, *Text2, *Text3, *Text4;
        QList<QRadioButton *> options; // Option1 to Option8
        QPushButton *Command1, *Command2, *Command3, *Command4, *Command5;
        QPushButton *cmdSalva, *cmdCalcolo, *cmdArchivio;
        QWidget *Frame2, *Frame6, *Frame7, *Picture1, *Label82;
        QList<QWidget *> explanations; // Label37 to Label41
    } m_c;
    QList<QList<QWidget *>> m_tabStops;
    QPointer<QWidget> m_report;
    QPointer<QWidget> m_information;
    bool m_checkingHeight = false;
    // The last completed development, as the archive would keep it; a kept
    // one opened again keeps its id and date.
    std::optional<KeptAssessment> m_developed;
    // When the development on screen was made: the last "SVILUPPA ...", or
    // the date of the kept assessment opened again.
    QDateTime m_developedAt;
};
