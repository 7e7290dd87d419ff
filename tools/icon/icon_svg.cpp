#include "icon_svg.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "ui/window/icon_picture.h"

namespace corvandel {

namespace {

std::string hex_colour(std::uint32_t rgb) {
    char text[sizeof "#rrggbb"];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb));
    return text;
}

std::string attribute(std::string_view name, int value) {
    return " " + std::string(name) + "=\"" + std::to_string(value) + "\"";
}

}  // namespace

std::string icon_svg() {
    const std::string grid = std::to_string(icon_grid);
    // Crisp edges keep the look of the pictures, whose edges all fall on whole pixels.
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        grid + "\" height=\"" + grid + "\" viewBox=\"0 0 " + grid + " " + grid +
        "\" shape-rendering=\"crispEdges\">\n";
    for (const IconRectangle& rectangle : icon_rectangles) {
        svg += "  <rect" + attribute("x", rectangle.left) + attribute("y", rectangle.top) +
               attribute("width", rectangle.width) + attribute("height", rectangle.height) +
               " fill=\"" + hex_colour(rectangle.rgb) + "\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace corvandel
