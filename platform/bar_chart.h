#pragma once

#include <string>
#include <vector>

namespace platform {

// A chart of one figure per item, drawn as bars from the top down, on screen and on paper alike.
// Every text is the program's own: the view draws it as given and formats nothing itself.
struct BarChart {
    struct Bar {
        std::string label;      // what the bar stands for: "JOHN"
        double value = 0;       // the bar's length, in any unit shared by the chart's bars
        std::string valueText;  // written at the bar's end: "#350.00 (3 tickets)"
        bool operator==(const Bar&) const = default;
    };
    std::string title;
    std::vector<Bar> bars;
    bool operator==(const BarChart&) const = default;
};

}  // namespace platform
