#pragma once

// The trend on screen: a point under the pointer shows its date and figures,
// and a click on it chooses that assessment.

#include "trend_chart.h"

#include <QWidget>

class TrendView : public QWidget
{
    Q_OBJECT

public:
    explicit TrendView(QWidget *parent = nullptr);

    void setTrend(const Trend &trend);
    const Trend &trend() const { return m_trend; }
    // -1 for none.
    void setHighlighted(int index);
    int highlighted() const { return m_highlighted; }
    // Where the points lie now.
    TrendLayout layout() const;

signals:
    void pointChosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int pointAt(const QPointF &position) const;

    Trend m_trend;
    int m_highlighted = -1;
    int m_hovered = -1;
};
