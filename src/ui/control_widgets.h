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

}  // namespace corvandel
