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
#include <QRadioButton>

using namespace assessment;

namespace {

// What follows a stop's message: a blank form, or the refused box emptied;
// then the focus, where the stop moves it.
struct StopAction
{
    Stop stop;
    bool blankForm;
    const char *focus;
};

const StopAction stopActions[] = {
    {Stop::Incomplete, true, "Text1"},         {Stop::HeightNotPositive, false, "Text3"},
    {Stop::NotNumeric, true, nullptr},         {Stop::HeightTooTall, false, "Text3"},
    {Stop::WeightNotPositive, false, "Text2"}, {Stop::AgeNegative, false, "Text4"},
};

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
    data.name = textBox("Text1")->text().toStdString();
    data.heightText = textBox("Text3")->text().toStdString();
    data.weightText = textBox("Text2")->text().toStdString();
    data.ageText = textBox("Text4")->text().toStdString();
    data.sex = chosen<Sex>({option(1), option(2)});
    data.activityLevel = chosen<ActivityLevel>({option(3), option(4), option(5)});
    data.constitution = chosen<Constitution>({option(6), option(7), option(8)});
    return data;
}

void Form1::develop()
{
    const DevelopedData data = assessment::develop(subject(), userSeparators());
    if (data.stop <= Stop::HeightNotPositive)
        return stopDevelopment(data);

    control("Command2")->setEnabled(true);
    QWidget *buttonBox = control("Picture1");
    buttonBox->resize(buttonBox->width(), pixels(1150));
    if (data.circumferences) {
        control("Frame7")->show();
        control("Label82")->show();
        for (const auto &[name, text] : circumferenceCaptions)
            setCaption(name, (*data.circumferences).*text);
    }
    if (data.stop == Stop::NotNumeric)
        return stopDevelopment(data);

    Puntino();
    for (const char *name :
         {"Frame2", "Label37", "Label38", "Label39", "Label40", "Label41", "Frame6"})
        control(name)->show();
    if (data.stop != Stop::Completed)
        return stopDevelopment(data);

    for (const auto &[name, text] : weightCaptions)
        setCaption(name, data.weight.*text);
    for (const auto &[name, text] : energyCaptions)
        setCaption(name, data.energy.*text);
    showMacronutrientSplit(data.split);
    showDevelopmentTime();
}

void Form1::stopDevelopment(const DevelopedData &data)
{
    showWarning(this, QString::fromStdString(data.message.title),
                QString::fromStdString(data.message.text));
    for (const StopAction &action : stopActions) {
        if (action.stop != data.stop)
            continue;
        if (action.blankForm)
            ResetAssessment();
        else
            textBox(action.focus)->clear();
        if (action.focus)
            textBox(action.focus)->setFocus();
    }
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

void Form1::showDevelopmentTime()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    setCaption("Label51", locale.toString(now.date(), QLocale::ShortFormat));
    QLabel *time = label("Label53");
    setCaption("Label53", locale.toString(now.time(), QLocale::ShortFormat));
    fitLeftwards(time, pixels(timeLabelTwips));
}
