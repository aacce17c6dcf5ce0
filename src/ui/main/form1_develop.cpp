// "SVILUPPA ...": reads the controls, hands them to the engine once, and
// applies what it returns in the order the window shows it.

#include "assessment/developed.h"
#include "form1.h"
#include "ui/common/messages.h"
#include "ui/common/regional.h"

#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

using namespace assessment;

namespace {

template <typename Result>
using Caption = std::pair<const char *, std::string Result::*>;

const Caption<WeightAssessment> weightCaptions[] = {
    {"Label16", &WeightAssessment::idealWeightText},
    {"Label20", &WeightAssessment::weightClassText},
    {"Label18", &WeightAssessment::bodyMassIndexText},
    {"Label24", &WeightAssessment::realWeightText},
    {"Label25", &WeightAssessment::idealWeightText},
};

const Caption<EnergyAssessment> energyCaptions[] = {
    {"Label31", &EnergyAssessment::basalMetabolismText},
    {"Label27", &EnergyAssessment::activityFactorText},
    {"Label34", &EnergyAssessment::dailyEnergyText},
};

const Caption<IdealCircumferences> circumferenceCaptions[] = {
    {"Label77", &IdealCircumferences::hipsText},
    {"Label79", &IdealCircumferences::waistText},
    {"Label81", &IdealCircumferences::thighsText},
};

// The labels of the split, row by row: the energy, the kcal figure, its copy
// and the grams.
struct SplitRow
{
    NutrientShare MacronutrientSplit::*share;
    const char *energy;
    const char *kcal;
    const char *kcalCopy;
    const char *grams;
};

const SplitRow splitRows[] = {
    {&MacronutrientSplit::protidi, "Label43", "Label45", "Label47", "Label49"},
    {&MacronutrientSplit::lipidi, "Label58", "Label60", "Label62", "Label64"},
    {&MacronutrientSplit::glucidi, "Label66", "Label68", "Label70", "Label72"},
};

std::optional<int> firstChosen(const QList<QRadioButton *> &group)
{
    for (int i = 0; i < group.size(); ++i) {
        if (group[i]->isChecked())
            return i;
    }
    return std::nullopt;
}

template <typename Enum>
std::optional<Enum> chosen(const QList<QRadioButton *> &group)
{
    const auto index = firstChosen(group);
    return index ? std::optional<Enum>(static_cast<Enum>(*index)) : std::nullopt;
}

// Label53 as the plan places it.
const QRect timeLabelTwips(2160, 3240, 495, 255);

// A 12-hour time such as "12:58 PM" is wider than its label: the label grows
// leftwards, within its frame, rather than show a cut time.
void fitLeftwards(QLabel *label, const QRect &design)
{
    const int width = qMax(label->sizeHint().width(), design.width());
    const int right = qMin(design.left() + width, label->parentWidget()->contentsRect().right());
    label->setGeometry(right - width, design.top(), width, design.height());
}

Separators userSeparators()
{
    return separatorsOf(QLocale());
}

} // namespace

SubjectData Form1::subject() const
{
    SubjectData data;
    data.name = m_c.Text1->text().toStdString();
    data.heightText = m_c.Text3->text().toStdString();
    data.weightText = m_c.Text2->text().toStdString();
    data.ageText = m_c.Text4->text().toStdString();
    data.sex = chosen<Sex>(m_c.options.mid(0, 2));
    data.activityLevel = chosen<ActivityLevel>(m_c.options.mid(2, 3));
    data.constitution = chosen<Constitution>(m_c.options.mid(5, 3));
    return data;
}

void Form1::develop()
{
    forgetDevelopment();
    const SubjectData typed = subject();
    m_developedAt = QDateTime::currentDateTime();
    const DevelopedData data = assessment::develop(typed, userSeparators());
    if (data.stop <= Stop::HeightNotPositive)
        return stopDevelopment(data);

    m_c.Command2->setEnabled(true);
    m_c.Picture1->resize(m_c.Picture1->width(), pixels(1150));
    if (data.circumferences) {
        m_c.Frame7->show();
        m_c.Label82->show();
        for (const auto &[name, text] : circumferenceCaptions)
            setCaption(name, (*data.circumferences).*text);
    }
    if (data.stop == Stop::NotNumeric)
        return stopDevelopment(data);

    Puntino();
    m_c.Frame2->show();
    for (QWidget *explanation : std::as_const(m_c.explanations))
        explanation->show();
    m_c.Frame6->show();
    if (data.stop != Stop::Completed)
        return stopDevelopment(data);

    for (const auto &[name, text] : weightCaptions)
        setCaption(name, data.weight.*text);
    showGrowthLine(data.weight.growthText, data.weight.growthNote);
    for (const auto &[name, text] : energyCaptions)
        setCaption(name, data.energy.*text);
    showMacronutrientSplit(data.split);
    showDevelopmentTime(m_developedAt);
    m_developed = keptFrom(typed, data, m_developedAt);
    m_c.cmdSalva->setEnabled(true);
    m_c.cmdCalcolo->setEnabled(true);
    emit developmentChanged();
}

void Form1::stopDevelopment(const DevelopedData &data)
{
    // What follows a stop's message: a blank form, or the refused box emptied;
    // then the focus, where the stop moves it.
    struct StopAction
    {
        Stop stop;
        bool blankForm;
        QLineEdit *Handled::*focus;
    };
    static const StopAction stopActions[] = {
        {Stop::Incomplete, true, &Handled::Text1},
        {Stop::HeightNotPositive, false, &Handled::Text3},
        {Stop::NotNumeric, true, nullptr},
        {Stop::HeightTooTall, false, &Handled::Text3},
        {Stop::WeightNotPositive, false, &Handled::Text2},
        {Stop::AgeNegative, false, &Handled::Text4},
    };

    showWarning(this, QString::fromStdString(data.message.title),
                QString::fromStdString(data.message.text));
    for (const StopAction &action : stopActions) {
        if (action.stop != data.stop)
            continue;
        if (action.blankForm)
            ResetAssessment();
        else
            (m_c.*action.focus)->clear();
        if (action.focus)
            (m_c.*action.focus)->setFocus();
    }
}

// The row of stars gives way to the growth reference's line where there is one.
// Its note does not fit the row: it stands in the tooltip, which the report
// prints beside the line.
void Form1::showGrowthLine(const std::string &text, const std::string &note)
{
    setCaption("Label83", text);
    QLabel *line = label("Label83");
    line->setToolTip(QString::fromStdString(note.empty() ? text : text + ", " + note));
    line->setVisible(!text.empty());
    m_controls.get("Label21")->setVisible(text.empty());
}

void Form1::showMacronutrientSplit(const MacronutrientSplit &split)
{
    for (const SplitRow &row : splitRows)
        setCaption(row.energy, split.dailyEnergyText);
    for (const SplitRow &row : splitRows)
        setCaption(row.kcal, (split.*row.share).kcalText);
    for (const SplitRow &row : splitRows) {
        setCaption(row.kcalCopy, label(row.kcal)->text());
        setCaption(row.grams, (split.*row.share).gramsText);
    }
}

void Form1::showDevelopmentTime(const QDateTime &now)
{
    const QLocale locale;
    setCaption("Label51", locale.toString(now.date(), QLocale::ShortFormat));
    QLabel *time = label("Label53");
    setCaption("Label53", locale.toString(now.time(), QLocale::ShortFormat));
    fitLeftwards(time, pixels(timeLabelTwips));
}
