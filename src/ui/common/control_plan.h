#pragma once

// A window described as data: one row per control, turned into widgets by
// buildControls(). Geometry is in twips, 15 to the pixel at 96 dpi.

#include <QColor>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>

enum class ControlKind {
    Frame,
    Label,
    TextBox,
    Option,
    Button,
    Picture,  // a plain box that holds other controls
    Image,    // caption: the picture's resource path
    Line,     // twips: from its top-left corner to its bottom-right one, as given
    Shape,    // a rectangle outline, or an ellipse
    List,     // a list of items, one column
    Table,    // rows and columns with a header
    Document, // formatted text to read and select, not to edit
};

// Look flags of a row.
enum ControlFlag {
    Hidden = 0x01,     // not visible when the window opens
    WordWrap = 0x02,   // text wrapped within the width
    AlignRight = 0x04, // text right-aligned
    FitHeight = 0x08,  // height follows the wrapped text
    FitText = 0x20,    // width and height follow the text
    Stretch = 0x40,    // an image stretched over its box, not clipped
    Ellipse = 0x80,    // a shape drawn as an ellipse
};

struct PlanFont
{
    QString face{}; // empty: the window's font
    double points = 0;
    int weight = 400;
};

struct PlanRow
{
    QString name{};
    ControlKind kind = ControlKind::Label;
    QString container{}; // empty: the window itself
    QRect twips{};       // left, top, width, height
    QString caption{};
    QColor foreground{}; // invalid: the system text colour
    QColor background{}; // invalid: the container's background
    PlanFont font{};
    int flags = 0;
    int maxLength = 0; // text boxes only
    int lineWidth = 1; // lines and shapes only
};

// A line from (x1, y1) to (x2, y2), in twips, as a plan row's geometry.
inline QRect lineTwips(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(x1, y1), QPoint(x2, y2));
}

// A built window's controls by name. A name the plan lacks, or a control of
// another kind, stops the program at once with a message naming it, in every
// build: a renamed row must never become a null pointer somewhere later.
class Controls
{
public:
    void insert(const QString &name, QWidget *widget) { m_byName.insert(name, widget); }
    QList<QWidget *> all() const { return m_byName.values(); }

    template <typename T = QWidget>
    T *get(const QString &name) const
    {
        T *control = qobject_cast<T *>(m_byName.value(name));
        if (!control)
            missing(name, T::staticMetaObject.className());
        return control;
    }

private:
    [[noreturn]] static void missing(const QString &name, const char *kind);

    QHash<QString, QWidget *> m_byName;
};

constexpr int twipsPerPixel = 15;
int pixels(int twips);
QRect pixels(const QRect &twips);

// Builds every row, in order, as a child of window or of the row's container;
// each widget carries its row's name as objectName.
Controls buildControls(QWidget *window, const QList<PlanRow> &plan);

// The words the plans are written in: kinds, the usual colours, no colour, and
// the window's own font.
namespace plan {
constexpr ControlKind Frame = ControlKind::Frame;
constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind TextBox = ControlKind::TextBox;
constexpr ControlKind Option = ControlKind::Option;
constexpr ControlKind Button = ControlKind::Button;
constexpr ControlKind Picture = ControlKind::Picture;
constexpr ControlKind Image = ControlKind::Image;
constexpr ControlKind Line = ControlKind::Line;
constexpr ControlKind Shape = ControlKind::Shape;
constexpr ControlKind List = ControlKind::List;
constexpr ControlKind Table = ControlKind::Table;
constexpr ControlKind Document = ControlKind::Document;

inline const QColor none;
inline const QColor black{0, 0, 0};
inline const QColor white{255, 255, 255};
inline const QColor red{255, 0, 0};
inline const QColor darkRed{192, 0, 0};
inline const QColor maroon{128, 0, 0};
inline const QColor navy{0, 0, 128};
inline const QColor darkBlue{0, 0, 64};

inline const PlanFont plain;

// Rows of asterisks and of dashes, the windows' rules.
inline QString stars(int count)
{
    return QString(count, '*');
}

inline QString dashes(int count)
{
    return QString(count, '-');
}
} // namespace plan
