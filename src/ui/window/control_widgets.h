#pragma once

#include <QWidget>

#include <array>

#include "form/control.h"

namespace corvandel {

// The widget of every control of the main window, indexed by control; the window owns them.
using ControlWidgets = std::array<QWidget*, control_count>;

// Builds every control of the main window from its layout onto the client area, each one
// named after its control and parented to its frame or to the client area.
ControlWidgets build_controls(QWidget* client_area);

// Under a right-to-left layout (Arabic or Hebrew, or `-reverse`), puts every control at the
// mirror image of its place within its frame or the client area, `client_width` wide, as the
// toolkit's layouts would: labels to the right of their fields, the first field on the right.
void mirror_for_right_to_left(const ControlWidgets& widgets, int client_width);

}  // namespace corvandel
