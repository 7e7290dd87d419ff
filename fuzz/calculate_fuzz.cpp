// Any texts in the price fields and the pictures box, any ticks: the Calculate run must finish,
// and every result field must hold empty text or a well-formed number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculator.h"
#include "form/memory_form.h"
#include "input/start_up_values.h"

namespace {

using corvandel::Control;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool is_digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// -?digits.dd, or in the plain form -?digits(.d or .dd without a trailing zero); never -0.
bool is_well_formed(std::string_view text, bool plain) {
    if (text.empty()) {
        return true;
    }
    const bool negative = text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (!is_digits(whole) || (whole.size() > 1 && whole.front() == '0')) {
        return false;
    }
    if (plain) {
        if (point != std::string_view::npos && (decimals.empty() || decimals.size() > 2 ||
                                                !is_digits(decimals) || decimals.back() == '0')) {
            return false;
        }
    } else if (decimals.size() != 2 || !is_digits(decimals)) {
        return false;
    }
    const bool zero = text.find_first_not_of("0.") == std::string_view::npos;
    return !(negative && zero);
}

}  // namespace

// The input: two bytes of ticks, then the field texts separated by the unit separator 0x1f.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvandel;
    if (size < 2) {
        return 0;
    }
    MemoryForm form;
    open_as_at_start_up(form);

    // One bit for each option box in order, the last for the PayPal box.
    const unsigned ticks = data[0] | (data[1] << 8);
    for (std::size_t i = 0; i < option_boxes.size(); ++i) {
        form.set_tick(option_boxes[i], (ticks >> i) & 1);
    }
    form.set_tick(Control::chk_paypal, (ticks >> option_boxes.size()) & 1);
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    // The price fields in tab order, then the pictures box.
    std::vector<Control> typed(price_fields.begin(), price_fields.end());
    typed.push_back(Control::combo_num_pics);
    for (Control field : typed) {
        const auto separator = rest.find('\x1f');
        form.set_text(field, rest.substr(0, separator));
        if (separator == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(separator + 1);
    }

    Calculator calculator(form);
    calculator.cmd_calc_Click();

    for (Control field : result_fields) {
        require(is_well_formed(form.text(field), field == Control::txt_fvf));
    }
    for (const FormEvent& event : form.events()) {
        require(event.kind == FormEvent::Kind::focus || event.title == "Error");
    }
    return 0;
}
