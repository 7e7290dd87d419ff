#pragma once

#include <array>
#include <cstdint>
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
    MemoryForm() = default;
    // What it shows may be held in place, so it is not copied.
    MemoryForm(const MemoryForm&) = delete;
    MemoryForm& operator=(const MemoryForm&) = delete;

    std::string text(Control control) const override;
    std::string_view read_text(Control control, std::string&) const override {
        return shown_[index(control)];
    }
    void set_text(Control control, std::string_view text) override;
    int tick(Control control) const override { return ticks_[index(control)]; }
    void set_tick(Control control, int value) override {
        if (ticks_[index(control)] != value) {
            ticks_[index(control)] = value;
            changed_ticks_ |= bit_of(control);
            if (tick_changed_) {
                tick_changed_(control);
            }
        }
    }
    void set_enabled(Control, bool) override {}
    void focus(Control control) override;
    void select_all(Control) override {}
    void append_entry(Control, std::string_view) override {}
    void warn(std::string_view title, std::string_view message) override;

    // Shows a text that the caller keeps, unchanged, until the control's text is set again or
    // the form starts afresh: readers look at it where it is, and nothing is copied.
    void lend_text(Control control, std::string_view text) {
        shown_[index(control)] = text;
        changed_texts_ |= bit_of(control);
    }

    // Called after every change of a tick value, as a window raises a box's click event.
    void when_tick_changes(std::function<void(Control)> handler) {
        tick_changed_ = std::move(handler);
    }

    const std::vector<FormEvent>& events() const { return events_; }
    // Starts a new record, as for the next listing on the same form.
    void forget_events() { events_.clear(); }

    // Keeps the texts and ticks as they stand, to start afresh from.
    void keep_as_fresh();
    // Puts back the texts and ticks kept, with no click rule running (they follow the rules
    // already), and starts a new record. Only what changed since is touched: a few controls for
    // one listing.
    void start_afresh();

  private:
    static std::uint64_t bit_of(Control control) { return std::uint64_t{1} << index(control); }

    // The texts set: most are short, and are kept in place without a string's bookkeeping.
    static constexpr std::size_t short_text = 24;
    std::array<std::array<char, short_text>, control_count> short_texts_{};
    std::array<std::string, control_count> long_texts_{};
    // What each control shows: its text set, a text lent or the text kept fresh.
    std::array<std::string_view, control_count> shown_{};
    std::array<int, control_count> ticks_{};
    std::vector<FormEvent> events_;
    std::function<void(Control)> tick_changed_;

    std::array<std::string, control_count> fresh_texts_{};
    // Each of them whole, as views: a batch puts many back for every listing, and a view is
    // cheaper to copy than to make from its string.
    std::array<std::string_view, control_count> fresh_shown_{};
    std::array<int, control_count> fresh_ticks_{};
    static_assert(control_count <= 64, "one bit for each control");
    // The controls whose texts and ticks changed since they were kept fresh.
    std::uint64_t changed_texts_ = 0;
    std::uint64_t changed_ticks_ = 0;
};

}  // namespace corvandel
