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

std::string describe(const FormEvent& event);

// The main window's controls held in memory: texts, ticks, the pictures list, and a record of
// every warning shown and every focus move, in the order they happened.
class MemoryForm final : public Form {
  public:
    std::string text(Control control) const override;
    void set_text(Control control, std::string_view text) override;
    int tick(Control control) const override;
    void set_tick(Control control, int value) override;
    void set_enabled(Control control, bool enabled) override;
    void focus(Control control) override;
    void select_all(Control control) override;
    void append_entry(Control control, std::string_view entry) override;
    void warn(std::string_view title, std::string_view message) override;

    // Called after every change of a tick value, as a window raises a box's click event.
    void when_tick_changes(std::function<void(Control)> handler) {
        tick_changed_ = std::move(handler);
    }

    bool is_enabled(Control control) const { return at(control).enabled; }
    bool is_all_selected(Control control) const { return at(control).all_selected; }
    const std::vector<std::string>& entries(Control control) const;
    const std::vector<FormEvent>& events() const { return events_; }
    void forget_events() { events_.clear(); }

  private:
    struct State {
        std::string text;
        int tick = 0;
        bool enabled = true;
        bool all_selected = false;
        std::vector<std::string> entries;
    };
    std::array<State, control_count> controls_{};
    std::vector<FormEvent> events_;
    std::function<void(Control)> tick_changed_;

    State& at(Control control) { return controls_[index(control)]; }
    const State& at(Control control) const { return controls_[index(control)]; }
};

}  // namespace corvandel
