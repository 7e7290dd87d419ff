#pragma once

#include "ui/window/control_widgets.h"

namespace corvandel {

// The tick boxes and the pictures box have the sizes the window was drawn for. A desktop style
// with a larger tick indicator, wider padding or taller drop-down boxes (Adwaita's) would cut a
// caption short or leave out the drop-down arrow, so such a control grows by what the style's
// own metrics say it lacks: to the right, and in height about its middle, within its frame and
// short of every neighbour it did not already overlap. Under a style that asks no more, nothing
// moves.
void fit_to_style(const ControlWidgets& widgets);

}  // namespace corvandel
