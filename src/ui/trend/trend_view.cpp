#include "trend_view.h"

#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

QRectF chartArea(const QWidget *view)
{
    return QRectF(view->rect()).adjusted(4, 4, -4, -4);
}

} // namespace

TrendView::TrendView(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Andamento del soggetto"));
}

void TrendView::setTrend(const Trend &trend)
{
    m_trend = trend;
    m_highlighted = m_hovered = -1;
    const qsizetype count = trend.points.size();
    // What a screen reader says of the picture; the table beside it holds every point.
    const QString newest = count > 0 ? trendPointText(trend, int(count - 1), QLocale()) : QString();
    setAccessibleDescription(
        count == 0   ? emptyTrendText(trend)
        : count == 1 ? QStringLiteral("Una valutazione: %1").arg(newest)
                     : QStringLiteral("%1 valutazioni; la più recente: %2").arg(count).arg(newest));
    update();
}

void TrendView::setHighlighted(int index)
{
    if (index == m_highlighted)
        return;
    m_highlighted = index;
    update();
}

void TrendView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    drawTrend(painter, chartArea(this), m_trend, QLocale(),
              m_hovered >= 0 ? m_hovered : m_highlighted);
}

TrendLayout TrendView::layout() const
{
    return layoutTrend(m_trend, chartArea(this), font());
}

int TrendView::pointAt(const QPointF &position) const
{
    const TrendLayout layout = this->layout();
    const bool overPlots = position.y() >= layout.weightPlot.top() - 4 &&
                           position.y() <= layout.indexPlot.bottom() + 4;
    return overPlots ? trendPointNear(layout, position.x(), 12) : -1;
}

void TrendView::mouseMoveEvent(QMouseEvent *event)
{
    const int point = pointAt(event->position());
    if (point != m_hovered) {
        m_hovered = point;
        update();
    }
    if (point >= 0)
        QToolTip::showText(event->globalPosition().toPoint(),
                           trendPointText(m_trend, point, QLocale()), this);
    else
        QToolTip::hideText();
}

void TrendView::mousePressEvent(QMouseEvent *event)
{
    const int point = pointAt(event->position());
    if (event->button() == Qt::LeftButton && point >= 0)
        emit pointChosen(point);
}

void TrendView::leaveEvent(QEvent *)
{
    m_hovered = -1;
    update();
}
