#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculator.h"
#include "form/memory_form.h"
#include "input/start_up_values.h"
#include "support/observed_form.h"

namespace corvandel {

// A text typed into a field.
struct Entry {
    Control field;
    const char* text;
};

inline void PrintTo(const FormEvent& event, std::ostream* out) {
    if (event.kind == FormEvent::Kind::focus) {
        *out << "focus " << name(event.control);
    } else {
        *out << "warning \"" << event.title << "\": \"" << event.message << '"';
    }
}

// A main window as it stands after start-up, held in memory, with its Calculate command.
class Calculation {
  public:
    Calculation() { open_as_at_start_up(form); }

    Calculation& type(Control field, std::string_view text) {
        form.set_text(field, text);
        return *this;
    }
    Calculation& type(const std::vector<Entry>& entries) {
        for (const Entry& entry : entries) {
            type(entry.field, entry.text);
        }
        return *this;
    }
    Calculation& tick(Control box, int value = 1) {
        form.set_tick(box, value);
        return *this;
    }
    Calculation& tick(const std::vector<Control>& boxes) {
        for (Control box : boxes) {
            tick(box);
        }
        return *this;
    }
    Calculation& calculate() {
        calculator.cmd_calc_Click();
        return *this;
    }
    std::string shows(Control field) const { return form.text(field); }

    ObservedForm form;
    Calculator calculator{form};
};

inline const FormEvent reserve_warning =
    FormEvent::warning("Error", "Reserve Price must be higher than the starting price");
inline const FormEvent start_price_warning =
    FormEvent::warning("Error", "Invalid Start price entered");

}  // namespace corvandel
