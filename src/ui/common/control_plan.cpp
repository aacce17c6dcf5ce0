#include "control_plan.h"

#include "fonts.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

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

QLine lineEnds(const ControlSpec &spec)
{
    return QLine(pixels(spec.twips.left()), pixels(spec.twips.top()), pixels(spec.twips.right()),
                 pixels(spec.twips.bottom()));
}

// Lines and shapes: drawn, never clicked.
class DrawnItem : public QWidget
{
public:
    DrawnItem(const ControlSpec &spec, QWidget *parent) : QWidget(parent), m_spec(spec)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_spec.foreground.isValid() ? m_spec.foreground : QColor(Qt::black),
                            m_spec.lineWidth));
        const double inset = m_spec.lineWidth / 2.0;
        if (m_spec.kind == ControlKind::Line) {
            painter.drawLine(lineEnds(m_spec).translated(-pos()));
        } else if (m_spec.flags & Ellipse) {
            painter.drawEllipse(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
        } else {
            painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
        }
    }

private:
    ControlSpec m_spec;
};

QRect lineBounds(const ControlSpec &spec)
{
    const QLine ends = lineEnds(spec);
    const int margin = spec.lineWidth;
    return QRect(ends.p1(), ends.p2()).normalized().adjusted(-margin, -margin, margin, margin);
}

QWidget *createWidget(const ControlSpec &spec, QWidget *parent)
{
    switch (spec.kind) {
    case ControlKind::Frame:
        return new QGroupBox(spec.caption, parent);
    case ControlKind::Label: {
        auto *label = new QLabel(spec.caption, parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(spec.flags & WordWrap);
        label->setAlignment(Qt::AlignTop |
                            (spec.flags & AlignRight ? Qt::AlignRight : Qt::AlignLeft));
        return label;
    }
    case ControlKind::TextBox: {
        auto *box = new QLineEdit(spec.caption, parent);
        if (spec.maxLength > 0)
            box->setMaxLength(spec.maxLength);
        return box;
    }
    case ControlKind::Option:
        return new QRadioButton(spec.caption, parent);
    case ControlKind::Button: {
        auto *button = new QPushButton(spec.caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Picture:
        return new QFrame(parent);
    case ControlKind::Image: {
        auto *image = new QLabel(parent);
        image->setPixmap(QPixmap(spec.caption));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setScaledContents(spec.flags & Stretch);
        return image;
    }
    case ControlKind::Line:
    case ControlKind::Shape:
        return new DrawnItem(spec, parent);
    }
    return nullptr;
}

void applyLook(QWidget *widget, const ControlSpec &spec)
{
    QPalette palette = widget->palette();
    const QColor text = spec.foreground.isValid() ? spec.foreground : QColor(Qt::black);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    if (spec.background.isValid()) {
        palette.setColor(QPalette::Window, spec.background);
        palette.setColor(QPalette::Base, spec.background);
    }
    widget->setPalette(palette);
    const bool paintsBackground = spec.kind != ControlKind::TextBox && spec.background.isValid();
    widget->setAutoFillBackground(paintsBackground);
    if (!spec.font.face.isEmpty())
        widget->setFont(designFont(spec.font.face, spec.font.points, spec.font.weight));
}

} // namespace

Controls buildControls(QWidget *window, const QList<ControlSpec> &plan)
{
    Controls controls;
    for (const ControlSpec &spec : plan) {
        QWidget *parent = spec.container.isEmpty() ? window : controls.value(spec.container);
        Q_ASSERT_X(parent, "buildControls", qPrintable(spec.container));
        QWidget *widget = createWidget(spec, parent);
        widget->setObjectName(spec.name);
        applyLook(widget, spec);
        widget->setGeometry(spec.kind == ControlKind::Line ? lineBounds(spec) : pixels(spec.twips));
        if (spec.flags & FitText)
            widget->resize(widget->sizeHint());
        if (spec.flags & FitHeight)
            widget->resize(widget->width(), widget->heightForWidth(widget->width()));
        widget->setVisible(!(spec.flags & Hidden));
        controls.insert(spec.name, widget);
    }
    return controls;
}
