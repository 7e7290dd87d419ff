#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/form.h"

namespace corvandel {

// Something the form did that a person would notice beyond a changed text or tick.
struct FormEvent {
    enum class Kind { warning, focus };

    Kind kind{};
    Control control{};
    std::string title;
    std::string message;

    static FormEvent warning(std::string_view title, std::string_view message) {
        return {Kind::warning, Control{}, std::string(title), std::string(message)};
    }
    static FormEvent focus(Control control) { return {Kind::focus, control, {}, {}}; }

    friend bool operator==(const FormEvent&, const FormEvent&) = default;
};

// The main window's texts and ticks held in memory, with a record of every warning shown and
// every focus move, in the order they happened. It shows nothing, so greying a box, selecting
// a text and filling the pictures list leave nothing behind.
class MemoryForm : public Form {
  public:
    std::string text(Control control) const override { return texts_[index(control)]; }
    void set_text(Control control, std::string_view text) override {
        texts_[index(control)] = text;
    }
    int tick(Control control) const override { return ticks_[index(control)]; }
    void set_tick(Control control, int value) override { ticks_[index(control)] = value; }
    void set_enabled(Control, bool) override {}
    void focus(Control control) override { events_.push_back(FormEvent::focus(control)); }
    void select_all(Control) override {}
    void append_entry(Control, std::string_view) override {}
    void warn(std::string_view title, std::string_view message) override {
        events_.push_back(FormEvent::warning(title, message));
    }

    // Takes a control's text out of the form, which then holds none.
    std::string take_text(Control control) { return std::move(texts_[index(control)]); }

    const std::vector<FormEvent>& events() const { return events_; }
    // Starts a new record, as for the next listing on the same form.
    void forget_events() { events_.clear(); }

  private:
    std::array<std::string, control_count> texts_{};
    std::array<int, control_count> ticks_{};
    std::vector<FormEvent> events_;
};

}  // namespace corvandel
