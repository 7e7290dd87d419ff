#include "form/memory_form.h"

#include <bit>

namespace corvandel {

std::string MemoryForm::text(Control control) const {
    return std::string(shown_[index(control)]);
}

void MemoryForm::set_text(Control control, std::string_view text) {
    const std::size_t i = index(control);
    if (text.size() <= short_text) {
        text.copy(short_texts_[i].data(), text.size());
        shown_[i] = {short_texts_[i].data(), text.size()};
    } else {
        long_texts_[i] = text;
        shown_[i] = long_texts_[i];
    }
    changed_texts_ |= bit_of(control);
}

void MemoryForm::focus(Control control) {
    events_.push_back(FormEvent::focus(control));
}

void MemoryForm::warn(std::string_view title, std::string_view message) {
    events_.push_back(FormEvent::warning(title, message));
}

void MemoryForm::keep_as_fresh() {
    for (std::size_t i = 0; i < control_count; ++i) {
        fresh_texts_[i] = shown_[i];
        shown_[i] = fresh_shown_[i] = fresh_texts_[i];
    }
    fresh_ticks_ = ticks_;
    changed_texts_ = changed_ticks_ = 0;
}

void MemoryForm::start_afresh() {
    for (; changed_texts_ != 0; changed_texts_ &= changed_texts_ - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(changed_texts_));
        shown_[i] = fresh_shown_[i];
    }
    for (; changed_ticks_ != 0; changed_ticks_ &= changed_ticks_ - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(changed_ticks_));
        ticks_[i] = fresh_ticks_[i];
    }
    forget_events();
}

}  // namespace corvandel
