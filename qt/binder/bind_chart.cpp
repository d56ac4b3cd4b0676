#include <QtCharts/QChartView>

#include "qt/binder/kinds.h"
#include "qt/binder/widget_basics.h"
#include "qt/platform/bar_chart_drawing.h"

namespace qtplatform {

// The view's own chart draws the bars (the view keeps the chart it made; one set in its place
// would be the binder's to delete).
void bindChart(ui::Chart& chart, ControlBinding& binding) {
    auto& view = expectWidget<QChartView>(binding, "QChartView");
    bindWidgetBasics(binding, view);
    view.setRenderHint(QPainter::Antialiasing);
    auto* drawing = new BarChartDrawing(*view.chart());
    binding.mirror({"Data"}, [&chart, drawing] { drawing->show(chart.Data); });
}

}  // namespace qtplatform
