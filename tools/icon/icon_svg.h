#pragma once

#include <string>

namespace corvandel {

// The icon as a scalable drawing: an SVG document with one rectangle per rectangle of the
// icon's grid, the grid's units being the drawing's.
std::string icon_svg();

}  // namespace corvandel
