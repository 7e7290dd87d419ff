#include "form/memory_form.h"

namespace corvandel {

std::string MemoryForm::text(Control control) const {
    return texts_[index(control)];
}

std::string_view MemoryForm::read_text(Control control, std::string&) const {
    return texts_[index(control)];
}

void MemoryForm::set_text(Control control, std::string_view text) {
    texts_[index(control)] = text;
}

int MemoryForm::tick(Control control) const {
    return ticks_[index(control)];
}

void MemoryForm::set_tick(Control control, int value) {
    if (ticks_[index(control)] == value) {
        return;
    }
    ticks_[index(control)] = value;
    if (tick_changed_) {
        tick_changed_(control);
    }
}

void MemoryForm::focus(Control control) {
    events_.push_back(FormEvent::focus(control));
}

void MemoryForm::warn(std::string_view title, std::string_view message) {
    events_.push_back(FormEvent::warning(title, message));
}

}  // namespace corvandel
