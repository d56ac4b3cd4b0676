#include "qt/platform/bar_chart_drawing.h"

#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "qt/platform/text.h"

namespace qtplatform {
namespace {

constexpr qreal kTextGap = 6;
constexpr qreal kBarWidth = 0.6;  // of a bar's row
constexpr qreal kThickestBar = 28;
constexpr qreal kAboveTheGrid = 10;
constexpr qreal kLeastBar = 0.2;  // of the plot's width, for the longest bar
constexpr qreal kPrintedWidth = 640;
constexpr qreal kPrintedFrame = 84;
constexpr qreal kPrintedRow = 28;

}  // namespace

BarChartDrawing::BarChartDrawing(QChart& chart)
    : QObject(&chart),
      chart_(chart),
      series_(new QHorizontalBarSeries),
      bars_(new QBarSet(QString())),
      labels_(new QBarCategoryAxis),
      values_(new QValueAxis) {
    series_->append(bars_);
    chart_.addSeries(series_);
    chart_.addAxis(labels_, Qt::AlignLeft);
    chart_.addAxis(values_, Qt::AlignBottom);
    series_->attachAxis(labels_);
    series_->attachAxis(values_);
    values_->setLabelsVisible(false);
    values_->setTickCount(5);
    labels_->setGridLineVisible(false);
    chart_.legend()->hide();
    chart_.setAnimationOptions(QChart::NoAnimation);
    chart_.setBackgroundRoundness(0);
    // The chart's background fills its view or picture to the edges.
    chart_.layout()->setContentsMargins(0, 0, 0, 0);
    QFont title = chart_.titleFont();
    title.setBold(true);
    chart_.setTitleFont(title);
    connect(&chart_, &QChart::plotAreaChanged, this, [this] { placeValueTexts(); });
}

// Qt Charts puts the first category at the bottom: the bars go in from the last one up.
void BarChartDrawing::show(const platform::BarChart& data) {
    chart_.setTitle(toQt(data.title));
    bars_->remove(0, bars_->count());
    labels_->clear();
    for (QGraphicsSimpleTextItem* text : valueTexts_) {
        delete text;
    }
    valueTexts_.clear();
    lengths_.clear();
    QStringList categories;
    for (auto bar = data.bars.rbegin(); bar != data.bars.rend(); ++bar) {
        categories.append(toQt(bar->label));
        bars_->append(bar->value);
        lengths_.push_back(bar->value);
        auto* text = new QGraphicsSimpleTextItem(toQt(bar->valueText), &chart_);
        text->setFont(labels_->labelsFont());
        text->setBrush(labels_->labelsBrush());
        text->setZValue(kAboveTheGrid);
        valueTexts_.push_back(text);
    }
    labels_->append(categories);
    // An empty chart is its title alone.
    labels_->setVisible(!data.bars.empty());
    values_->setVisible(!data.bars.empty());
    placeValueTexts();
}

void BarChartDrawing::placeValueTexts() {
    const QRectF plot = chart_.plotArea();
    qreal widest = 0;
    for (const QGraphicsSimpleTextItem* text : valueTexts_) {
        widest = std::max(widest, text->boundingRect().width());
    }
    const double longest =
        lengths_.empty() ? 0 : *std::max_element(lengths_.begin(), lengths_.end());
    // The longest bar ends where its text still fits; only a chart too narrow for any bar beside
    // its text lets the text run over its edge.
    const double barRoom = std::max(plot.width() - widest - 2 * kTextGap, plot.width() * kLeastBar);
    // A chart not yet laid out has a plot of no width: its range waits for the plot to change.
    if (barRoom > 0) {
        values_->setRange(0, longest > 0 ? longest * plot.width() / barRoom : 1);
    }
    // A few bars in a tall chart stay bars, not blocks.
    const qreal rowHeight = plot.height() / std::max<std::size_t>(valueTexts_.size(), 1);
    series_->setBarWidth(rowHeight > 0 ? std::min(kBarWidth, kThickestBar / rowHeight) : kBarWidth);
    for (std::size_t row = 0; row < valueTexts_.size(); ++row) {
        const QPointF end =
            chart_.mapToPosition(QPointF(lengths_[row], static_cast<qreal>(row)), series_);
        QGraphicsSimpleTextItem* text = valueTexts_[row];
        text->setPos(end.x() + kTextGap, end.y() - text->boundingRect().height() / 2);
    }
}

QSizeF printedChartSize(const platform::BarChart& data) {
    return {kPrintedWidth, kPrintedFrame + kPrintedRow * static_cast<qreal>(data.bars.size())};
}

QImage renderBarChart(const platform::BarChart& data, QSizeF size, qreal scale) {
    QGraphicsScene scene;
    auto* chart = new QChart;
    scene.addItem(chart);
    (new BarChartDrawing(*chart))->show(data);
    chart->resize(size);
    // A chart off screen lays itself out only when asked.
    chart->layout()->activate();
    QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), size));
    }
    return image;
}

}  // namespace qtplatform
