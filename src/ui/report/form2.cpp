#include "form2.h"

#include "form2_plan.h"
#include "ui/common/window_look.h"

#include <QAction>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

namespace {

const QString title = QStringLiteral("Stampa sviluppo");

// A report row fed by an option group: the text of the first chosen option.
struct ChoiceRow
{
    const char *target;
    QList<std::pair<const char *, const char *>> options;
};

const ChoiceRow choiceRows[] = {
    {"Label14", {{"Option1", "Maschile"}, {"Option2", "Femminile"}}},
    {"Label16", {{"Option3", "Leggera"}, {"Option4", "Moderata"}, {"Option5", "Pesante"}}},
    {"Label18", {{"Option6", "Magra"}, {"Option7", "Normale"}, {"Option8", "Grassa"}}},
};

enum class Copy { Text, Caption, ToolTip, Kcal, Grams };

// A report row copied from a control of the main window, in refresh order.
struct CopyRow
{
    const char *target;
    Copy how;
    const char *source;
};

const CopyRow copyRows[] = {
    {"Label20", Copy::Text, "Text4"},      {"Label39", Copy::Text, "Text3"},
    {"Label23", Copy::Caption, "Label24"}, {"Label25", Copy::Caption, "Label25"},
    {"Label27", Copy::Caption, "Label20"}, {"Label55", Copy::ToolTip, "Label83"},
    {"Label32", Copy::Caption, "Label77"}, {"Label30", Copy::Caption, "Label79"},
    {"Label52", Copy::Caption, "Label81"}, {"Label34", Copy::Caption, "Label34"},
    {"Label41", Copy::Kcal, "Label45"},    {"Label43", Copy::Grams, "Label49"},
    {"Label45", Copy::Kcal, "Label60"},    {"Label46", Copy::Grams, "Label64"},
    {"Label47", Copy::Kcal, "Label68"},    {"Label48", Copy::Grams, "Label72"},
};

// " 65.5 g di Protidi/giorno" becomes " 65.5 g".
QString gramText(const QString &caption)
{
    const int g = caption.indexOf('g');
    return (g < 0 ? caption : caption.left(g)) + 'g';
}

QString timeWithSeconds(const QLocale &locale, const QTime &time)
{
    // The long format without the time zone.
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove('t');
    return locale.toString(time, format.trimmed());
}

} // namespace

Form2::Form2(QWidget *mainWindow, std::function<QDateTime()> developedAt)
    : QWidget(nullptr), m_mainWindow(mainWindow), m_developedAt(std::move(developedAt))
{
    dressWindow(this, "Form2", "Stampa sviluppo Nutrivo e peso ideale", "report");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(pixels(QRect(0, 0, 4485, 7695)).size());

    m_controls = buildControls(this, form2Plan());
    m_print = m_controls.get<QPushButton>("Command1");
    connect(m_print, &QPushButton::clicked, this, &Form2::print);

    // A page to send to the subject, printer or not.
    auto *savePdf = new QAction("Salva come PDF...", this);
    savePdf->setShortcut(QKeySequence::Save);
    connect(savePdf, &QAction::triggered, this, &Form2::savePdf);
    addAction(savePdf);
    auto *working = new QAction("Come si calcola...", this);
    connect(working, &QAction::triggered, this, &Form2::workingWanted);
    addAction(working);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    // Qt reports the activation before it tells of the new focus window, so
    // this still holds the window the user came from when the report activates.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            [this](QWindow *now) { m_focusBefore = now; });
}

void Form2::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    // Its own message boxes and dialogs stand over the report itself.
    const bool fromOtherWindow = m_focusBefore && m_focusBefore != windowHandle() &&
                                 m_focusBefore->transientParent() != windowHandle();
    if (!m_refreshed || fromOtherWindow)
        refresh();
    m_refreshed = true;
}

void Form2::refresh()
{
    if (!m_mainWindow)
        return;
    const QLocale locale;
    const QDateTime developed = m_developedAt ? m_developedAt() : QDateTime();
    const QDateTime when = developed.isValid() ? developed : QDateTime::currentDateTime();
    label("Label6")->setText(locale.toString(when.date(), QLocale::ShortFormat));
    label("Label8")->setText(timeWithSeconds(locale, when.time()));
    label("Label12")->setText(sourceText("Text1"));

    for (const ChoiceRow &row : choiceRows) {
        for (const auto &[option, text] : row.options) {
            if (sourceChecked(option)) {
                label(row.target)->setText(text);
                break;
            }
        }
    }

    for (const CopyRow &row : copyRows) {
        const QString source = sourceText(row.source);
        switch (row.how) {
        case Copy::Text:
        case Copy::Caption:
            label(row.target)->setText(source);
            break;
        case Copy::ToolTip:
            label(row.target)->setText(m_mainWindow->findChild<QWidget *>(row.source)->toolTip());
            break;
        case Copy::Kcal:
            label(row.target)->setText(source + " Kcal");
            break;
        case Copy::Grams:
            label(row.target)->setText(gramText(source));
            break;
        }
    }
}

void Form2::print()
{
    printPage(this, printRequest(), {pageWithoutButton()});
}

void Form2::savePdf()
{
    savePagePdf(this, printRequest(), {pageWithoutButton()});
}

PrintRequest Form2::printRequest() const
{
    return {title, "Nessuna stampante disponibile: il riepilogo non è stato stampato.",
            sourceText("Text1")};
}

PageDrawing Form2::pageWithoutButton()
{
    PageDrawing page = drawingOf(this);
    page.paint = [this, paint = page.paint](QPainter &painter) {
        m_print->hide();
        paint(painter);
        m_print->show();
    };
    return page;
}

QLabel *Form2::label(const QString &name) const
{
    return m_controls.get<QLabel>(name);
}

QString Form2::sourceText(const QString &name) const
{
    QWidget *source = m_mainWindow->findChild<QWidget *>(name);
    if (auto *box = qobject_cast<QLineEdit *>(source))
        return box->text();
    if (auto *caption = qobject_cast<QLabel *>(source))
        return caption->text();
    return QString();
}

bool Form2::sourceChecked(const QString &name) const
{
    auto *option = m_mainWindow->findChild<QRadioButton *>(name);
    return option && option->isChecked();
}
