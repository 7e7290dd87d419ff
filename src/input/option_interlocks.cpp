#include "input/option_interlocks.h"

namespace corvandel {

// Every box the clicked one acts on is disabled or enabled first; then, when it was ticked, the
// ones it contains are cleared.
void tick_box_Click(Form& form, Control box) {
    const bool ticked = form.tick(box) == 1;
    for (const Interlock& lock : option_interlocks) {
        if (lock.box == box) {
            form.set_enabled(lock.other, !ticked);
        }
    }
    for (const Interlock& lock : option_interlocks) {
        if (lock.box == box && lock.clears_other && ticked) {
            form.set_tick(lock.other, 0);
        }
    }
}

}  // namespace corvandel
