#include "control_plan.h"

#include "fonts.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
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

QString repeated(QChar character, int count)
{
    return QString(count, character);
}

namespace {

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
    widget->setAutoFillBackground(paintsBackground || (spec.flags & Opaque));
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
        widget->setGeometry(pixels(spec.twips));
        if (spec.flags & FitHeight)
            widget->resize(widget->width(), widget->heightForWidth(widget->width()));
        widget->setVisible(!(spec.flags & Hidden));
        controls.insert(spec.name, widget);
    }
    return controls;
}
