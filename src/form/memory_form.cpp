#include "form/memory_form.h"

namespace corvandel {

std::string describe(const FormEvent& event) {
    if (event.kind == FormEvent::Kind::focus) {
        return "focus " + std::string(name(event.control));
    }
    return "warning \"" + event.title + "\": \"" + event.message + "\"";
}

std::string MemoryForm::text(Control control) const {
    return at(control).text;
}

void MemoryForm::set_text(Control control, std::string_view text) {
    at(control).text = text;
    at(control).all_selected = false;
}

int MemoryForm::tick(Control control) const {
    return at(control).tick;
}

void MemoryForm::set_tick(Control control, int value) {
    if (at(control).tick == value) {
        return;
    }
    at(control).tick = value;
    if (tick_changed_) {
        tick_changed_(control);
    }
}

void MemoryForm::set_enabled(Control control, bool enabled) {
    at(control).enabled = enabled;
}

void MemoryForm::focus(Control control) {
    events_.push_back(FormEvent::focus(control));
}

void MemoryForm::select_all(Control control) {
    at(control).all_selected = true;
}

void MemoryForm::append_entry(Control control, std::string_view entry) {
    at(control).entries.emplace_back(entry);
}

void MemoryForm::warn(std::string_view title, std::string_view message) {
    events_.push_back(FormEvent::warning(title, message));
}

const std::vector<std::string>& MemoryForm::entries(Control control) const {
    return at(control).entries;
}

}  // namespace corvandel
