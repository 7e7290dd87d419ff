#pragma once

#include <array>
#include <functional>
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
    std::string text(Control control) const override;
    std::string_view read_text(Control control, std::string& buffer) const override;
    void set_text(Control control, std::string_view text) override;
    int tick(Control control) const override;
    void set_tick(Control control, int value) override;
    void set_enabled(Control, bool) override {}
    void focus(Control control) override;
    void select_all(Control) override {}
    void append_entry(Control, std::string_view) override {}
    void warn(std::string_view title, std::string_view message) override;

    // Called after every change of a tick value, as a window raises a box's click event.
    void when_tick_changes(std::function<void(Control)> handler) {
        tick_changed_ = std::move(handler);
    }

    const std::vector<FormEvent>& events() const { return events_; }
    // Starts a new record, as for the next listing on the same form.
    void forget_events() { events_.clear(); }

  private:
    std::array<std::string, control_count> texts_{};
    std::array<int, control_count> ticks_{};
    std::vector<FormEvent> events_;
    std::function<void(Control)> tick_changed_;
};

}  // namespace corvandel
