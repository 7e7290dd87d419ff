#pragma once

#include "form/form.h"

namespace corvandel {

// The Clear command: every input back to its default, every option clear and enabled, every
// result and the help line empty, and the focus in the first price field.
void cmd_clear_Click(Form& form);

}  // namespace corvandel
