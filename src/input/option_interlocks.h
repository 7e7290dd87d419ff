#pragma once

#include "form/form.h"

namespace corvandel {

// A box that, while ticked, keeps another from being ticked: it disables the other, and where
// it contains the other's option it clears it too. The command line refuses the same pairs.
struct Interlock {
    Control box;
    Control other;
    bool clears_other;
};

// Gallery and Gallery Featured exclude each other; Picture Pack contains Picture Show and
// Supersize Pictures.
inline constexpr Interlock option_interlocks[] = {
    {Control::chk_gallery, Control::chk_gfeatured, false},
    {Control::chk_gfeatured, Control::chk_gallery, false},
    {Control::chk_pic_pack, Control::chk_pic_show, true},
    {Control::chk_pic_pack, Control::chk_supersize, true},
};

// Runs the click rule of a tick box whose value has just changed, by the user or the program:
// Gallery and Gallery Featured each disable the other while ticked, its tick untouched; ticking
// Picture Pack clears and disables Picture Show and Supersize Pictures, clearing it enables them
// again, still clear. Boxes without a rule change nothing else.
void tick_box_Click(Form& form, Control box);

}  // namespace corvandel
