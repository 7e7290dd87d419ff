#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/memory_form.h"

namespace corvandel {

// The in-memory form that also keeps what a window would show beyond texts and ticks: which
// boxes are greyed, whether a text is selected whole, the pictures list.
class ObservedForm final : public MemoryForm {
  public:
    void set_text(Control control, std::string_view text) override;
    void set_tick(Control control, int value) override;
    void set_enabled(Control control, bool enabled) override;
    void select_all(Control control) override;
    void append_entry(Control control, std::string_view entry) override;

    // Called after every change of a tick value, as a window raises a box's click event.
    void when_tick_changes(std::function<void(Control)> handler) {
        tick_changed_ = std::move(handler);
    }

    bool is_enabled(Control control) const { return at(control).enabled; }
    bool is_all_selected(Control control) const { return at(control).all_selected; }
    const std::vector<std::string>& entries(Control control) const { return at(control).entries; }

  private:
    struct Looks {
        bool enabled = true;
        bool all_selected = false;
        std::vector<std::string> entries;
    };
    std::array<Looks, control_count> looks_{};
    std::function<void(Control)> tick_changed_;

    Looks& at(Control control) { return looks_[index(control)]; }
    const Looks& at(Control control) const { return looks_[index(control)]; }
};

}  // namespace corvandel
