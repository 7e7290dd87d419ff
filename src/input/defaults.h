#pragma once

#include "form/form.h"

namespace corvandel {

// The start-up values of the main window, put in place once before it is first shown.
void set_defaults(Form& form);

}  // namespace corvandel
