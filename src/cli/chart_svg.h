#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvandel::cli {

// A price marked on the chart with a label, and a ring on the profit it reaches, if one.
struct ChartMark {
    double price;
    std::string label;
    std::optional<double> profit;
};

// What a sweep gives the chart, in dollars. The lines are drawn through the points kept; the
// lowest and highest amounts are those of every row, so that the axes hold them all.
struct Chart {
    struct Point {
        double price, profit, fees;
    };
    std::string title;     // what the chart shows
    std::string subtitle;  // the listing's main inputs
    double from = 0, to = 0;
    std::vector<Point> points;
    double lowest = 0, highest = 0;
    std::vector<ChartMark> marks;    // break-even and a target's price
    std::vector<double> band_edges;  // where the final value fee's rate changes
    std::string summary;             // what a screen reader says of it
};

// Keeps at most a bounded number of a sweep's rows, evenly spaced, for the lines; a million rows
// drawn one by one would make a file no viewer opens, and the eye sees no more of them.
class ChartPoints {
  public:
    ChartPoints(Chart& chart, std::int64_t rows);
    void add(std::int64_t row, const Chart::Point& point);

  private:
    Chart& chart_;
    std::int64_t rows_, stride_;
    bool first_ = true;
};

// The chart as an SVG document.
std::string chart_svg(const Chart& chart);

}  // namespace corvandel::cli
