#include "support/inspected_form.h"

namespace corvandel {

void InspectedForm::set_text(Control control, std::string_view text) {
    MemoryForm::set_text(control, text);
    at(control).all_selected = false;
}

void InspectedForm::set_enabled(Control control, bool enabled) {
    at(control).enabled = enabled;
}

void InspectedForm::select_all(Control control) {
    at(control).all_selected = true;
}

void InspectedForm::append_entry(Control control, std::string_view entry) {
    at(control).entries.emplace_back(entry);
}

}  // namespace corvandel
