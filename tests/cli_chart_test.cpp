#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>
#include <png.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "run_program.h"

namespace corvandel {
namespace {

namespace fs = std::filesystem;

// The texts and places of the elements an XPath finds, with one attribute of each.
struct Found {
    std::string text;
    double at;
};

std::vector<Found> found(xmlDocPtr document, const char* path, const char* attribute) {
    std::vector<Found> all;
    xmlXPathContextPtr context = xmlXPathNewContext(document);
    xmlXPathRegisterNs(context, BAD_CAST "svg", BAD_CAST "http://www.w3.org/2000/svg");
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST path, context);
    for (int i = 0; result->nodesetval && i < result->nodesetval->nodeNr; ++i) {
        xmlNodePtr node = result->nodesetval->nodeTab[i];
        xmlChar* text = xmlNodeGetContent(node);
        xmlChar* value = xmlGetProp(node, BAD_CAST attribute);
        all.push_back(
            {reinterpret_cast<char*>(text), value ? std::atof(reinterpret_cast<char*>(value)) : 0});
        xmlFree(text);
        xmlFree(value);
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return all;
}

// The pixel place of a dollar amount along an axis, from the first and last tick labels.
double place_of(const std::vector<Found>& ticks, double dollars) {
    const auto amount = [](std::string label) {
        std::erase_if(label, [](char c) { return c == '$' || c == ','; });
        return std::stod(label);
    };
    const double a = amount(ticks.front().text), b = amount(ticks.back().text);
    return ticks.front().at + (dollars - a) / (b - a) * (ticks.back().at - ticks.front().at);
}

struct ChartCase {
    const char* name;
    std::vector<std::string> listing;
    const char* range;
};

const ChartCase chart_cases[] = {
    {"ReadmeListingAcrossBothEdges",
     {"--item-cost=12.50", "--start=9.99", "--shipping-charged=5", "--shipping-cost=4.20",
      "--pictures=3", "--gallery"},
     "0:1200:0.50"},
    {"DearItemBreakingEvenNearTheTopEdge",
     {"--item-cost=900", "--start=250", "--bold", "--no-paypal"},
     "800:1100:0.01"},
};

class Chart : public testing::TestWithParam<ChartCase> {};

// The chart is well-formed SVG that a screen reader can name, and, drawn, its profit line crosses
// the zero line at the break-even price: below it a little to the left, above it to the right.
TEST_P(Chart, ProfitCrossesZeroAtTheBreakEvenPrice) {
    const fs::path folder =
        fs::temp_directory_path() / ("corvandel-chart-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path svg = folder / "chart.svg", png = folder / "chart.png";
    auto arguments = GetParam().listing;
    arguments.insert(arguments.end(), {"--sweep", GetParam().range, "--chart", svg.string()});
    const ProgramRun run = run_program(CORVANDEL_CALC, arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "a file was left beside the chart";
    auto solve = GetParam().listing;
    solve.push_back("--break-even");
    const double break_even = std::stod(run_program(CORVANDEL_CALC, solve).out);

    xmlDocPtr document = xmlReadFile(svg.c_str(), nullptr, XML_PARSE_NONET);
    ASSERT_NE(document, nullptr) << "not well-formed XML";
    EXPECT_EQ(found(document, "/svg:svg/svg:title | /svg:svg/svg:desc", "id").size(), 2u);
    for (const Found& text : found(document, "//svg:text", "font-size")) {
        EXPECT_GE(text.at, 12) << text.text;
    }
    const auto x_ticks = found(document, "//svg:text[@class='x-tick']", "x");
    const auto y_ticks = found(document, "//svg:text[@class='y-tick']", "y");
    const auto profit = found(document, "//svg:polyline[@id='profit']/@stroke", "none");
    xmlFreeDoc(document);
    ASSERT_TRUE(x_ticks.size() >= 2 && y_ticks.size() >= 2);
    ASSERT_EQ(profit.size(), 1u);

    if (std::system("command -v rsvg-convert >/dev/null") != 0) {
        GTEST_SKIP() << "rsvg-convert is missing (Debian's librsvg2-bin): the chart is not drawn";
    }
    ASSERT_EQ(
        std::system(("rsvg-convert -o '" + png.string() + "' '" + svg.string() + "'").c_str()), 0);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr));
    const unsigned colour = std::stoul(profit[0].text.substr(1), nullptr, 16);
    // The rows, top down, where the profit's colour is drawn in a column of pixels.
    const auto profit_rows = [&](double x) {
        std::vector<int> rows;
        for (png_uint_32 row = 0; row < image.height; ++row) {
            const png_byte* pixel =
                &pixels[(row * image.width + static_cast<png_uint_32>(std::lround(x))) * 3];
            const auto off = [&](int c) {
                return std::abs(pixel[c] - int((colour >> (16 - 8 * c)) & 0xff));
            };
            if (off(0) + off(1) + off(2) < 60) {
                rows.push_back(static_cast<int>(row));
            }
        }
        return rows;
    };
    // A tick label stands 5 pixels below its line.
    const double zero = place_of(y_ticks, 0) - 5, crossing = place_of(x_ticks, break_even);
    const auto at_zero = profit_rows(crossing);
    ASSERT_FALSE(at_zero.empty());
    EXPECT_LE(std::abs(at_zero.front() - zero), 4) << "at the break-even price";
    EXPECT_LE(std::abs(at_zero.back() - zero), 4) << "at the break-even price";
    for (const double aside : {-8.0, 8.0}) {
        const auto rows = profit_rows(crossing + aside);
        ASSERT_FALSE(rows.empty()) << aside;
        EXPECT_TRUE(aside < 0 ? rows.front() > zero : rows.back() < zero) << aside << " pixels";
    }
    png_image_free(&image);
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Listings, Chart, testing::ValuesIn(chart_cases),
                         [](const auto& test) { return std::string(test.param.name); });

// A chart the program cannot write is refused before the sweep writes anything.
TEST(ChartFile, ThatCannotBeWrittenIsRefused) {
    for (const std::string& chart :
         {std::string("/nonexistent/chart.svg"), fs::temp_directory_path().string()}) {
        const ProgramRun run = run_program(CORVANDEL_CALC, {"--sweep=1:2", "--chart", chart});
        EXPECT_EQ(run.status, 1) << chart;
        EXPECT_EQ(run.out, "") << chart;
        EXPECT_TRUE(run.err.starts_with("error: cannot write " + chart)) << run.err;
    }
}

}  // namespace
}  // namespace corvandel
