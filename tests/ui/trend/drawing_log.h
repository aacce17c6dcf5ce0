#pragma once

// A paint device that keeps what is drawn on it, in device coordinates: a
// recorded picture played onto it tells its drawing commands, not its pixels.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>

struct DrawnText
{
    QString text;
    QPointF at; // the baseline's start
};

struct DrawnShape
{
    QRectF rect;
    QColor colour; // the brush's for fills and markers, the pen's for lines
    Qt::PenStyle penStyle = Qt::SolidLine;
};

struct DrawnLine
{
    QPolygonF points;
    QColor colour;
    Qt::PenStyle penStyle = Qt::SolidLine;
};

struct Drawing
{
    QList<DrawnText> texts;
    QList<DrawnShape> fills;   // filled rectangles
    QList<DrawnShape> markers; // ellipses
    QList<DrawnLine> polylines;

    QStringList textList() const
    {
        QStringList list;
        for (const DrawnText &text : texts)
            list << text.text;
        return list;
    }
};

class DrawingLog : public QPaintDevice
{
public:
    static Drawing played(const QPicture &picture, QSize size)
    {
        DrawingLog log(size);
        {
            QPainter painter(&log);
            painter.drawPicture(0, 0, picture);
        }
        return log.m_drawing;
    }

    QPaintEngine *paintEngine() const override { return &m_engine; }

private:
    explicit DrawingLog(QSize size) : m_size(size), m_engine(this) {}

    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return QPicture().logicalDpiX(); // played without scaling
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1;
        }
    }

    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(DrawingLog *log) : QPaintEngine(AllFeatures), m_log(log) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
            if (state.state() & DirtyBrush)
                m_brush = state.brush();
            if (state.state() & DirtyPen)
                m_pen = state.pen();
        }
        void drawRects(const QRectF *rects, int count) override
        {
            for (int i = 0; i < count; ++i)
                fill(rects[i]);
        }
        // A picture keeps a filled rectangle as a path.
        void drawPath(const QPainterPath &path) override { fill(path.boundingRect()); }
        void fill(const QRectF &rect)
        {
            if (m_brush.style() != Qt::NoBrush)
                m_log->m_drawing.fills << DrawnShape{m_transform.mapRect(rect), m_brush.color()};
        }
        void drawEllipse(const QRectF &rect) override
        {
            m_log->m_drawing.markers << DrawnShape{
                m_transform.mapRect(rect),
                m_brush.style() != Qt::NoBrush ? m_brush.color() : m_pen.color(), m_pen.style()};
        }
        void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
        {
            if (mode == PolylineMode)
                m_log->m_drawing.polylines
                    << DrawnLine{m_transform.map(QPolygonF(QList<QPointF>(points, points + count))),
                                 m_pen.color(), m_pen.style()};
        }
        void drawTextItem(const QPointF &at, const QTextItem &item) override
        {
            m_log->m_drawing.texts << DrawnText{item.text(), m_transform.map(at)};
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawLines(const QLineF *, int) override {} // grid and guides

    private:
        DrawingLog *m_log;
        QTransform m_transform;
        QBrush m_brush;
        QPen m_pen;
    };

    QSize m_size;
    mutable Engine m_engine;
    Drawing m_drawing;
};
