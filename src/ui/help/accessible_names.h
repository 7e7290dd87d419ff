#pragma once

#include "ui/window/control_widgets.h"

namespace corvandel {

// Gives every price field, the pictures box, every result field and every tick box the name a
// screen reader speaks: the caption that names it on screen, without its colon. A control with
// a quick-help sentence also carries it as its description, for those who never point at it.
void give_accessible_names(const ControlWidgets& widgets);

}  // namespace corvandel
