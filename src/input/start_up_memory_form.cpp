#include "input/start_up_memory_form.h"

#include "input/defaults.h"

namespace corvandel {

void open_as_at_start_up(MemoryForm& form) {
    // The two inputs the window is created holding; start-up leaves them as they are.
    form.set_text(Control::txt_reserve, "None");
    form.set_text(Control::combo_num_pics, "1");
    set_defaults(form);
}

}  // namespace corvandel
