#pragma once

#include <QImage>
#include <QObject>
#include <QSizeF>
#include <vector>

#include "platform/bar_chart.h"

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QGraphicsSimpleTextItem;
class QHorizontalBarSeries;
class QValueAxis;

namespace qtplatform {

// Draws a bar chart on a Qt Charts chart: horizontal bars from the top down, each bar's text at
// its end. The value axis has no labels (every bar says its figure), and its range leaves room
// for the widest text whatever the chart's size. A child of the chart it draws on.
class BarChartDrawing : public QObject {
public:
    explicit BarChartDrawing(QChart& chart);

    void show(const platform::BarChart& data);

private:
    void placeValueTexts();

    QChart& chart_;
    QHorizontalBarSeries* series_;
    QBarSet* bars_;
    QBarCategoryAxis* labels_;
    QValueAxis* values_;
    std::vector<double> lengths_;  // in the chart's order, from the bottom up
    std::vector<QGraphicsSimpleTextItem*> valueTexts_;
};

// The size of a printed chart in units of 1/96 inch: nearly the width of an A4 page's text, and
// the height its bars need.
QSizeF printedChartSize(const platform::BarChart& data);

// The chart drawn into an image of `size` (in 1/96 inch) at `scale` times that resolution.
QImage renderBarChart(const platform::BarChart& data, QSizeF size, qreal scale);

}  // namespace qtplatform
