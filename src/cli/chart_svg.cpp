#include "cli/chart_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace corvandel::cli {

namespace {

// The drawing's size and the plot's place in it, in pixels.
constexpr double width = 960, height = 560;
constexpr double left = 100, right = 930, top = 96, bottom = 470;
// Lines drawn through at most about this many points, a few to each pixel across.
constexpr std::int64_t most_points = 2000;

constexpr const char* profit_colour = "#1f4e9c";
constexpr const char* fees_colour = "#c2410c";
constexpr const char* mark_colour = "#222222";
constexpr const char* edge_colour = "#6b7280";

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c == '&'   ? "&amp;"
               : c == '<' ? "&lt;"
               : c == '>' ? "&gt;"
               : c == '"' ? "&quot;"
                          : std::string(1, c);
    }
    return out;
}

std::string number(double value, int decimals) {
    char digits[64];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value,
                                   std::chars_format::fixed, decimals);
    return {digits, end.ptr};
}

// Dollars for a tick: $1,500, -$20, $2.50.
std::string dollars(double value, bool cents) {
    std::string digits = number(std::fabs(value), cents ? 2 : 0);
    for (auto at = static_cast<std::ptrdiff_t>(
                       digits.find('.') == std::string::npos ? digits.size() : digits.find('.')) -
                   3;
         at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return (value < 0 && digits.find_first_not_of("0.,") != std::string::npos ? "-$" : "$") +
           digits;
}

// A round step between ticks, 1, 2 or 5 times a power of ten, giving at most `most` steps.
double tick_step(double span, int most) {
    const double rough = span / most;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double times : {1.0, 2.0, 5.0}) {
        if (times * power >= rough) {
            return times * power;
        }
    }
    return 10 * power;
}

// The values of the ticks from `low` to `high`.
std::vector<double> ticks(double low, double high, double step) {
    std::vector<double> at;
    for (double tick = std::ceil(low / step - 1e-9); tick * step <= high + step * 1e-9; ++tick) {
        at.push_back(tick * step == 0 ? 0 : tick * step);
    }
    return at;
}

std::string text_at(double x, double y, std::string_view words, std::string_view style) {
    return "<text x=\"" + number(x, 1) + "\" y=\"" + number(y, 1) + "\" " + std::string(style) +
           ">" + escaped(words) + "</text>\n";
}

std::string line(double x1, double y1, double x2, double y2, std::string_view style) {
    return "<line x1=\"" + number(x1, 1) + "\" y1=\"" + number(y1, 1) + "\" x2=\"" + number(x2, 1) +
           "\" y2=\"" + number(y2, 1) + "\" " + std::string(style) + "/>\n";
}

}  // namespace

ChartPoints::ChartPoints(Chart& chart, std::int64_t rows)
    : chart_(chart), rows_(rows), stride_(std::max<std::int64_t>(1, rows / most_points)) {}

void ChartPoints::add(std::int64_t row, const Chart::Point& point) {
    chart_.lowest = first_ ? std::min(point.profit, point.fees)
                           : std::min({chart_.lowest, point.profit, point.fees});
    chart_.highest = first_ ? std::max(point.profit, point.fees)
                            : std::max({chart_.highest, point.profit, point.fees});
    first_ = false;
    if (row % stride_ == 0 || row == rows_ - 1) {
        chart_.points.push_back(point);
    }
}

std::string chart_svg(const Chart& chart) {
    // The amounts' axis holds zero, with room above and below the lines.
    double low = std::min(0.0, chart.lowest), high = std::max(0.0, chart.highest);
    const double room = std::max(high - low, 1.0) * 0.05;
    low -= low < 0 ? room : 0;
    high += room;
    const double from = chart.from == chart.to ? chart.from - 1 : chart.from;
    const double to = chart.from == chart.to ? chart.to + 1 : chart.to;
    const auto x = [&](double price) {
        return left + (price - from) / (to - from) * (right - left);
    };
    const auto y = [&](double amount) {
        return bottom - (amount - low) / (high - low) * (bottom - top);
    };

    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        number(width, 0) + "\" height=\"" + number(height, 0) + "\" viewBox=\"0 0 " +
        number(width, 0) + " " + number(height, 0) +
        "\" role=\"img\" aria-labelledby=\"chart-title chart-desc\" "
        "font-family=\"DejaVu Sans, Verdana, sans-serif\">\n"
        "<title id=\"chart-title\">" +
        escaped(chart.title + ": " + chart.subtitle) + "</title>\n<desc id=\"chart-desc\">" +
        escaped(chart.summary) + "</desc>\n" +
        "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" +
        text_at(left, 32, chart.title, "font-size=\"20\" font-weight=\"bold\" fill=\"#111111\"");
    // The inputs on two lines where one would run off the drawing, broken between two of them.
    const std::size_t most_on_a_line = 110;
    std::size_t cut = chart.subtitle.size() <= most_on_a_line
                          ? std::string::npos
                          : chart.subtitle.rfind(", ", most_on_a_line);
    cut = cut == 0 ? std::string::npos : cut;
    svg += text_at(left, 58, chart.subtitle.substr(0, cut), "font-size=\"14\" fill=\"#333333\"");
    if (cut != std::string::npos) {
        svg +=
            text_at(left, 78, chart.subtitle.substr(cut + 2), "font-size=\"14\" fill=\"#333333\"");
    }

    const double price_step = tick_step(to - from, 8);
    for (const double tick : ticks(from, to, price_step)) {
        svg += line(x(tick), top, x(tick), bottom, "stroke=\"#e5e7eb\"");
        svg += text_at(x(tick), bottom + 22, dollars(tick, price_step < 1),
                       "class=\"x-tick\" font-size=\"14\" text-anchor=\"middle\" fill=\"#333333\"");
    }
    const double amount_step = tick_step(high - low, 7);
    for (const double tick : ticks(low, high, amount_step)) {
        svg += line(left, y(tick), right, y(tick),
                    tick == 0 ? "stroke=\"#6b7280\" stroke-width=\"1.5\"" : "stroke=\"#e5e7eb\"");
        svg += text_at(left - 8, y(tick) + 5, dollars(tick, amount_step < 1),
                       "class=\"y-tick\" font-size=\"14\" text-anchor=\"end\" fill=\"#333333\"");
    }
    svg += "<rect x=\"" + number(left, 1) + "\" y=\"" + number(top, 1) + "\" width=\"" +
           number(right - left, 1) + "\" height=\"" + number(bottom - top, 1) +
           "\" fill=\"none\" stroke=\"#9ca3af\"/>\n";
    svg += text_at((left + right) / 2, bottom + 52, "Ending price",
                   "font-size=\"14\" text-anchor=\"middle\" fill=\"#111111\"");

    for (const double edge : chart.band_edges) {
        svg += line(x(edge), top, x(edge), bottom,
                    "stroke=\"" + std::string(edge_colour) + "\" stroke-dasharray=\"6 4\"");
        const bool on_left = x(edge) > right - 160;
        svg +=
            text_at(x(edge) + (on_left ? -4 : 4), top + 16, "fee band edge " + dollars(edge, true),
                    "font-size=\"12\" fill=\"" + std::string(edge_colour) + "\" text-anchor=\"" +
                        (on_left ? "end" : "start") + "\"");
    }
    // The marks go under the lines, so that the lines stay whole where they cross them.
    for (std::size_t i = 0; i < chart.marks.size(); ++i) {
        const ChartMark& mark = chart.marks[i];
        svg += line(x(mark.price), top, x(mark.price), bottom,
                    "stroke=\"" + std::string(mark_colour) + "\" stroke-dasharray=\"2 3\"");
        if (mark.profit) {
            svg += "<circle cx=\"" + number(x(mark.price), 1) + "\" cy=\"" +
                   number(y(*mark.profit), 1) + "\" r=\"6\" fill=\"none\" stroke=\"" + mark_colour +
                   "\" stroke-width=\"2\"/>\n";
        }
        const bool on_left = x(mark.price) > (left + right) / 2;
        svg += text_at(x(mark.price) + (on_left ? -8 : 8), top + 40 + 20 * static_cast<double>(i),
                       mark.label,
                       std::string("font-size=\"14\" font-weight=\"bold\" fill=\"") + mark_colour +
                           "\" text-anchor=\"" + (on_left ? "end" : "start") + "\"");
    }
    struct Drawn {
        const char* id;
        const char* colour;
        double Chart::Point::*of;
    };
    for (const auto& [id, colour, of] : {Drawn{"total-fees", fees_colour, &Chart::Point::fees},
                                         Drawn{"profit", profit_colour, &Chart::Point::profit}}) {
        svg += std::string("<polyline id=\"") + id + "\" fill=\"none\" stroke=\"" + colour +
               "\" stroke-width=\"3\" stroke-linejoin=\"round\" points=\"";
        for (const Chart::Point& point : chart.points) {
            svg += number(x(point.price), 2) + "," + number(y(point.*of), 2) + " ";
        }
        svg += "\"/>\n";
    }
    // The key, beside the title on the right.
    struct Key {
        double at;
        const char* colour;
        const char* words;
    };
    for (const auto& [at, colour, words] :
         {Key{right - 250, profit_colour, "Profit"}, Key{right - 130, fees_colour, "Total fees"}}) {
        svg +=
            line(at, 26, at + 28, 26, "stroke=\"" + std::string(colour) + "\" stroke-width=\"3\"");
        svg += text_at(at + 34, 31, words, "font-size=\"14\" fill=\"#111111\"");
    }
    return svg + "</svg>\n";
}

}  // namespace corvandel::cli
