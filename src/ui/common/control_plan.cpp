#include "control_plan.h"

#include "fonts.h"

#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableView>
#include <QTextBrowser>
#include <algorithm>

int pixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

QRect pixels(const QRect &twips)
{
    return QRect(pixels(twips.left()), pixels(twips.top()), pixels(twips.width()),
                 pixels(twips.height()));
}

namespace {

QLine lineEnds(const PlanRow &row)
{
    return QLine(pixels(row.twips.left()), pixels(row.twips.top()), pixels(row.twips.right()),
                 pixels(row.twips.bottom()));
}

// Lines and shapes: drawn, never clicked.
class DrawnItem : public QWidget
{
public:
    DrawnItem(const PlanRow &row, QWidget *parent) : QWidget(parent), m_row(row)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_row.foreground.isValid() ? m_row.foreground : QColor(Qt::black),
                            m_row.lineWidth));
        const double inset = m_row.lineWidth / 2.0;
        if (m_row.kind == ControlKind::Line) {
            painter.drawLine(lineEnds(m_row).translated(-pos()));
        } else if (m_row.flags & Ellipse) {
            painter.drawEllipse(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
        } else {
            painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
        }
    }

private:
    PlanRow m_row;
};

// A row of rule characters (asterisks, dashes, bars) is drawn exactly as a
// label draws its text, but is no label: assistive technology passes it by.
class RuleText : public QWidget
{
public:
    RuleText(const PlanRow &row, QWidget *parent)
        : QWidget(parent), m_text(row.caption),
          m_flags(Qt::AlignTop | (row.flags & AlignRight ? Qt::AlignRight : Qt::AlignLeft) |
                  (row.flags & WordWrap ? Qt::TextWordWrap : 0))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    static bool isRule(const QString &caption)
    {
        return !caption.trimmed().isEmpty() &&
               std::all_of(caption.begin(), caption.end(),
                           [](QChar c) { return c == '*' || c == '-' || c == '|' || c == ' '; });
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        style()->drawItemText(&painter, rect(), m_flags, palette(), isEnabled(), m_text,
                              foregroundRole());
    }

private:
    QString m_text;
    int m_flags;
};

QRect lineBounds(const PlanRow &row)
{
    const QLine ends = lineEnds(row);
    const int margin = row.lineWidth;
    return QRect(ends.p1(), ends.p2()).normalized().adjusted(-margin, -margin, margin, margin);
}

QWidget *createWidget(const PlanRow &row, QWidget *parent)
{
    switch (row.kind) {
    case ControlKind::Frame:
        return new QGroupBox(row.caption, parent);
    case ControlKind::Label: {
        if (RuleText::isRule(row.caption))
            return new RuleText(row, parent);
        auto *label = new QLabel(row.caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(row.flags & WordWrap);
        label->setAlignment(Qt::AlignTop |
                            (row.flags & AlignRight ? Qt::AlignRight : Qt::AlignLeft));
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(row.caption, parent);
        if (row.maxLength > 0)
            box->setMaxLength(row.maxLength);
        return box;
    }
    case ControlKind::Option:
        return new QRadioButton(row.caption, parent);
    case ControlKind::Button: {
        auto *button = new QPushButton(row.caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Picture:
        return new QFrame(parent);
    case ControlKind::Image: {
        auto *image = new QLabel(parent);
        image->setPixmap(QPixmap(row.caption));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setScaledContents(row.flags & Stretch);
        return image;
    }
    case ControlKind::Line:
    case ControlKind::Shape:
        return new DrawnItem(row, parent);
    case ControlKind::List: {
        auto *list = new QListView(parent);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setUniformItemSizes(true); // long lists lay out without measuring each row
        return list;
    }
    case ControlKind::Table: {
        auto *table = new QTableView(parent);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setSelectionMode(QAbstractItemView::SingleSelection);
        table->setTabKeyNavigation(false); // Tab leaves the table, as from any other control
        table->verticalHeader()->hide();
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
        table->horizontalHeader()->setStretchLastSection(true);
        return table;
    }
    case ControlKind::Document: {
        auto *document = new QTextBrowser(parent);
        document->setOpenLinks(false);
        // The caret lets the keyboard alone select and copy.
        document->setTextInteractionFlags(Qt::TextBrowserInteraction |
                                          Qt::TextSelectableByKeyboard);
        return document;
    }
    }
    return nullptr;
}

void applyLook(QWidget *widget, const PlanRow &row)
{
    QPalette palette = widget->palette();
    const QColor text = row.foreground.isValid() ? row.foreground : QColor(Qt::black);
    // The disabled colours stay the desktop's, so a disabled control looks it.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::ButtonText, text);
        if (row.background.isValid()) {
            palette.setColor(group, QPalette::Window, row.background);
            palette.setColor(group, QPalette::Base, row.background);
        }
    }
    if (row.background.isValid()) {
        palette.setColor(QPalette::Disabled, QPalette::Window, row.background);
        palette.setColor(QPalette::Disabled, QPalette::Base, row.background);
    }
    widget->setPalette(palette);
    const bool paintsBackground = row.kind != ControlKind::TextBox && row.background.isValid();
    widget->setAutoFillBackground(paintsBackground);
    if (!row.font.face.isEmpty())
        widget->setFont(designFont(row.font.face, row.font.points, row.font.weight));
}

} // namespace

void Controls::missing(const QString &name, const char *kind)
{
    qFatal("the window's plan has no %s named \"%s\"", kind, qPrintable(name));
}

Controls buildControls(QWidget *window, const QList<PlanRow> &plan)
{
    Controls controls;
    for (const PlanRow &row : plan) {
        QWidget *parent = row.container.isEmpty() ? window : controls.get(row.container);
        QWidget *widget = createWidget(row, parent);
        widget->setObjectName(row.name);
        applyLook(widget, row);
        widget->setGeometry(row.kind == ControlKind::Line ? lineBounds(row) : pixels(row.twips));
        if (row.flags & FitText)
            widget->resize(widget->sizeHint());
        if (row.flags & FitHeight)
            widget->resize(widget->width(), widget->heightForWidth(widget->width()));
        widget->setVisible(!(row.flags & Hidden));
        controls.insert(row.name, widget);
    }
    return controls;
}
