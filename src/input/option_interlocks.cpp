#include "input/option_interlocks.h"

namespace corvandel {

namespace {

bool is_ticked(const Form& form, Control box) {
    return form.tick(box) == 1;
}

}  // namespace

void chk_gallery_Click(Form& form) {
    form.set_enabled(Control::chk_gfeatured, !is_ticked(form, Control::chk_gallery));
}

void chk_gfeatured_Click(Form& form) {
    form.set_enabled(Control::chk_gallery, !is_ticked(form, Control::chk_gfeatured));
}

void chk_pic_pack_Click(Form& form) {
    if (is_ticked(form, Control::chk_pic_pack)) {
        form.set_enabled(Control::chk_pic_show, false);
        form.set_enabled(Control::chk_supersize, false);
        form.set_tick(Control::chk_pic_show, 0);
        form.set_tick(Control::chk_supersize, 0);
    } else {
        form.set_enabled(Control::chk_pic_show, true);
        form.set_enabled(Control::chk_supersize, true);
    }
}

void tick_box_Click(Form& form, Control box) {
    switch (box) {
        case Control::chk_gallery:
            chk_gallery_Click(form);
            break;
        case Control::chk_gfeatured:
            chk_gfeatured_Click(form);
            break;
        case Control::chk_pic_pack:
            chk_pic_pack_Click(form);
            break;
        default:
            break;
    }
}

}  // namespace corvandel
