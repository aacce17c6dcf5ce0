#include "form1.h"

#include "assessment/numbers.h"
#include "form1_plan.h"
#include "form1_speech.h"
#include "ui/common/messages.h"
#include "ui/common/session.h"
#include "ui/common/window_look.h"
#include "ui/information/frmlogin.h"
#include "ui/report/form2.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

namespace {

const QSize clientSize = pixels(QRect(0, 0, 9195, 7155)).size();

// One entry per tab stop; an option group is one stop.
const QList<QStringList> tabOrder = {
    {"Text1"},
    {"Option1", "Option2"},
    {"Text3"},
    {"Text2"},
    {"Text4"},
    {"Option3", "Option4", "Option5"},
    {"Option6", "Option7", "Option8"},
    {"Command1"},
    {"Command2"},
    {"Command3"},
    {"Command4"},
    {"Command5"},
    {"cmdSalva"},
    {"cmdCalcolo"},
    {"cmdArchivio"},
};

void clearOption(QRadioButton *button)
{
    // An exclusive group refuses to lose its last choice.
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    dressWindow(this, "Form1", "Nutrivo", "nutrivo");
    resize(clientSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_controls = buildControls(this, form1Plan());
    const Controls &c = m_controls;
    m_c = {c.get<QLineEdit>("Text1"),
           c.get<QLineEdit>("Text2"),
           c.get<QLineEdit>("Text3"),
           c.get<QLineEdit>("Text4"),
           {},
           c.get<QPushButton>("Command1"),
           c.get<QPushButton>("Command2"),
           c.get<QPushButton>("Command3"),
           c.get<QPushButton>("Command4"),
           c.get<QPushButton>("Command5"),
           c.get<QPushButton>("cmdSalva"),
           c.get<QPushButton>("cmdCalcolo"),
           c.get<QPushButton>("cmdArchivio"),
           c.get("Frame2"),
           c.get("Frame6"),
           c.get("Frame7"),
           c.get("Picture1"),
           c.get("Label82"),
           {}};
    for (int number = 1; number <= 8; ++number)
        m_c.options << c.get<QRadioButton>(QStringLiteral("Option%1").arg(number));
    for (int number = 37; number <= 41; ++number)
        m_c.explanations << c.get(QStringLiteral("Label%1").arg(number));

    nameInputsForScreenReaders(m_controls);
    for (QWidget *widget : m_controls.all()) {
        if (auto *caption = qobject_cast<QLabel *>(widget))
            setCaption(caption->objectName(), caption->text());
    }
    for (const QStringList &stop : tabOrder) {
        QList<QWidget *> widgets;
        for (const QString &name : stop)
            widgets << m_controls.get(name);
        m_tabStops << widgets;
    }

    m_c.Text3->installEventFilter(this);
    connect(m_c.Command1, &QPushButton::clicked, this, &Form1::develop);
    connect(m_c.Command2, &QPushButton::clicked, this, &Form1::showReport);
    connect(m_c.Command3, &QPushButton::clicked, this, &Form1::showInformation);
    connect(m_c.Command4, &QPushButton::clicked, this, &endSession);
    connect(m_c.Command5, &QPushButton::clicked, this, &Form1::ResetAssessment);
    connect(m_c.cmdSalva, &QPushButton::clicked, this, &Form1::keepDevelopment);
    connect(m_c.cmdArchivio, &QPushButton::clicked, this, &Form1::archiveWanted);
    connect(m_c.cmdCalcolo, &QPushButton::clicked, this, &Form1::workingWanted);
    auto *save = new QShortcut(QKeySequence::Save, this);
    connect(save, &QShortcut::activated, m_c.cmdSalva, &QPushButton::click);
    m_c.cmdSalva->setEnabled(false);
    m_c.cmdCalcolo->setEnabled(false);

    m_c.Text1->setFocus();
}

Form1::~Form1()
{
    // The other windows stand on their own beside this one.
    delete m_report;
    delete m_information;
}

bool Form1::Puntino()
{
    for (QLineEdit *box : {m_c.Text2, m_c.Text3}) {
        const std::string text = box->text().toStdString();
        const std::string pointed = assessment::withDecimalPoint(text);
        if (pointed != text)
            box->setText(QString::fromStdString(pointed));
    }
    return true;
}

void Form1::ResetAssessment()
{
    forgetDevelopment();
    m_c.Frame6->hide();
    m_c.Command2->setEnabled(false);
    m_c.Frame7->hide();
    m_c.Label82->hide();
    for (QLineEdit *box : {m_c.Text1, m_c.Text2, m_c.Text3})
        box->clear();
    m_c.Frame2->hide();
    m_c.Text4->clear();
    for (QRadioButton *option : std::as_const(m_c.options))
        clearOption(option);
    for (const char *name : {"Label16", "Label18", "Label20", "Label24", "Label25", "Label27"})
        setCaption(name, QString());
    showGrowthLine({}, {});
    for (QWidget *explanation : std::as_const(m_c.explanations))
        explanation->hide();
}

void Form1::showReport()
{
    if (m_c.Frame6->isHidden())
        return;
    if (!m_report) {
        auto *report = new Form2(this, [this] { return m_developedAt; });
        connect(report, &Form2::workingWanted, this, &Form1::workingWanted);
        m_report = report;
    }
    m_report->show();
    m_report->activateWindow();
}

void Form1::showInformation()
{
    if (!m_information)
        m_information = new frmLogin;
    m_information->show();
    m_information->activateWindow();
}

void Form1::checkHeightOnLeaving()
{
    constexpr double maximumTypedHeight = 2.5;
    Puntino();
    QLineEdit *height = m_c.Text3;
    if (!(assessment::readNumber(height->text().toStdString()) > maximumTypedHeight))
        return;
    m_checkingHeight = true;
    showWarning(this, "Inserimento",
                "Il valore inserito nella casella relativa all'altezza non è valido. "
                "Ripetere l'inserimento, grazie!");
    height->clear();
    height->setFocus();
    m_checkingHeight = false;
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_c.Text3 && event->type() == QEvent::FocusOut && !m_checkingHeight) {
        // Only a move within the program counts as leaving the box.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            checkHeightOnLeaving();
    }
    return QWidget::eventFilter(watched, event);
}

bool Form1::focusNextPrevChild(bool next)
{
    const auto takesFocus = [](const QList<QWidget *> &stop) {
        return stop.first()->isEnabled() && stop.first()->isVisibleTo(stop.first()->window());
    };
    int current = -1;
    for (int i = 0; i < m_tabStops.size(); ++i) {
        if (m_tabStops[i].contains(focusWidget()))
            current = i;
    }
    const int count = int(m_tabStops.size());
    const int step = next ? 1 : count - 1;
    // From outside the stops, the first step lands on the first or the last one.
    int target = current >= 0 ? current : next ? count - 1 : 0;
    for (int tries = 0; tries < count; ++tries) {
        target = (target + step) % count;
        if (takesFocus(m_tabStops[target]))
            break;
    }

    QWidget *focus = m_tabStops[target].first();
    for (QWidget *widget : m_tabStops[target]) {
        if (auto *button = qobject_cast<QRadioButton *>(widget); button && button->isChecked())
            focus = button;
    }
    focus->setFocus(Qt::TabFocusReason);
    return true;
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    endSession();
}

QLabel *Form1::label(const QString &name) const
{
    return m_controls.get<QLabel>(name);
}

void Form1::setCaption(const QString &labelName, const std::string &text)
{
    setCaption(labelName, QString::fromStdString(text));
}

void Form1::setCaption(const QString &labelName, const QString &text)
{
    QLabel *target = label(labelName);
    target->setText(text);
    const QString spoken = spokenResult(labelName, text);
    if (!spoken.isEmpty())
        target->setAccessibleName(spoken);
}
