// A chart control drawn in a QChartView: the bars from the top down with their texts beside them
// inside the chart, an emptied chart left with its title alone, and a chart given its bars before
// it is laid out (as a printed one is) drawn without a broken range.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsSimpleTextItem>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>
#include <memory>

#include "qt/binder/binder.h"
#include "qt/platform/bar_chart_drawing.h"
#include "ui/controls.h"

namespace {

class ChartForm : public ui::Form {
public:
    ChartForm() : ui::Form("Charts") {}
    ui::Chart Chart1{*this, "Chart1"};
};

std::unique_ptr<QWidget> windowWithChartView() {
    auto window = std::make_unique<QWidget>();
    auto* view = new QChartView;
    view->setObjectName("Chart1");
    (new QVBoxLayout(window.get()))->addWidget(view);
    window->resize(420, 240);
    return window;
}

std::vector<QGraphicsSimpleTextItem*> valueTexts(QChart& chart) {
    std::vector<QGraphicsSimpleTextItem*> texts;
    for (QGraphicsItem* item : chart.childItems()) {
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item)) {
            texts.push_back(text);
        }
    }
    return texts;
}

TEST(ChartBinderTest, BarsGoFromTheTopDownWithTheirTextsInsideTheChart) {
    ChartForm form;
    auto window = windowWithChartView();
    qtplatform::bind(form, *window);
    form.Show();
    form.Chart1.Data = platform::BarChart{
        "Sales by Staff Member",
        {{"MARY", 2040, "#2,040.00 (20 tickets)"}, {"JOHN", 1660, "#1,660.00 (16 tickets)"}}};
    QChart& chart = *window->findChild<QChartView*>("Chart1")->chart();
    QCoreApplication::processEvents();  // the view lays its chart out
    EXPECT_EQ(chart.title(), "Sales by Staff Member");
    auto* series = static_cast<QHorizontalBarSeries*>(chart.series().front());
    const QBarSet& bars = *series->barSets().front();
    ASSERT_EQ(bars.count(), 2);
    EXPECT_EQ(bars.at(1), 2040) << "the first bar is drawn at the top";
    auto* labels = static_cast<QBarCategoryAxis*>(chart.axes(Qt::Vertical).front());
    EXPECT_EQ(labels->categories(), QStringList({"JOHN", "MARY"}));
    const std::vector<QGraphicsSimpleTextItem*> texts = valueTexts(chart);
    ASSERT_EQ(texts.size(), 2u);
    const QRectF plot = chart.plotArea();
    for (const QGraphicsSimpleTextItem* text : texts) {
        const QRectF box = text->mapRectToParent(text->boundingRect());
        EXPECT_LE(box.right(), plot.right() + 1) << text->text().toStdString();
        EXPECT_GT(box.left(), plot.left()) << text->text().toStdString();
    }
    EXPECT_EQ(texts[1]->text(), "#2,040.00 (20 tickets)");
    EXPECT_LT(texts[1]->y(), texts[0]->y()) << "each text beside its own bar";

    form.Chart1.Data = platform::BarChart{"Sales by Staff Member", {}};
    EXPECT_EQ(bars.count(), 0);
    EXPECT_TRUE(valueTexts(chart).empty());
    EXPECT_FALSE(labels->isVisible());
}

QStringList warnings;

TEST(ChartBinderTest, BarsGivenBeforeTheLayoutGetTheirRangeOnceLaidOut) {
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings.append(text); });
    QChart chart;
    (new qtplatform::BarChartDrawing(chart))
        ->show({"Sales by Staff Member", {{"JOHN", 9, "#9.00 (6 tickets)"}}});
    chart.resize(400, 200);
    chart.layout()->activate();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    const auto* values = static_cast<QValueAxis*>(chart.axes(Qt::Horizontal).front());
    EXPECT_GT(values->max(), 9) << "room for the bar's text beyond its end";
}

}  // namespace
