#include "support/observed_form.h"

namespace corvandel {

void ObservedForm::set_text(Control control, std::string_view text) {
    MemoryForm::set_text(control, text);
    at(control).all_selected = false;
}

void ObservedForm::set_tick(Control control, int value) {
    const bool changed = tick(control) != value;
    MemoryForm::set_tick(control, value);
    if (changed && tick_changed_) {
        tick_changed_(control);
    }
}

void ObservedForm::set_enabled(Control control, bool enabled) {
    at(control).enabled = enabled;
}

void ObservedForm::select_all(Control control) {
    at(control).all_selected = true;
}

void ObservedForm::append_entry(Control control, std::string_view entry) {
    at(control).entries.emplace_back(entry);
}

}  // namespace corvandel
