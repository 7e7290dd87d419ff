#pragma once

#include <string>
#include <string_view>

#include "form/control.h"

namespace corvandel {

// What the fee and field rules may do to the main window, with no windowing toolkit in sight.
// The real window implements it over its widgets; the tests use an in-memory one.
class Form {
  public:
    virtual ~Form() = default;

    // The text of a text box, the shown text of the drop-down box, or the caption of a label.
    virtual std::string text(Control control) const = 0;
    virtual void set_text(Control control, std::string_view text) = 0;

    // A tick box's value: 0 clear, 1 ticked.
    virtual int tick(Control control) const = 0;
    virtual void set_tick(Control control, int value) = 0;

    virtual void set_enabled(Control control, bool enabled) = 0;

    virtual void focus(Control control) = 0;

    // Selects the whole text of a text box, the caret at its end.
    virtual void select_all(Control control) = 0;

    // Appends an entry at the end of the drop-down box's list.
    virtual void append_entry(Control control, std::string_view entry) = 0;

    // A modal warning box with one OK button; returns when the user has closed it.
    virtual void warn(std::string_view title, std::string_view message) = 0;
    // The same about a field's entry: a window may show it over the field, and say more of it.
    virtual void warn_about([[maybe_unused]] Control field, std::string_view title,
                            std::string_view message) {
        warn(title, message);
    }
};

}  // namespace corvandel
