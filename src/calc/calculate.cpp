#include <algorithm>
#include <span>

#include "calc/calculator.h"
#include "calc/readings.h"
#include "calc/refusal.h"

namespace corvandel {

const Calculator::Step Calculator::steps[8] = {
    {&Calculator::calc_list_fee, Control::txt_list_fee},
    {&Calculator::calc_paypal_fee, Control::txt_paypal_fee},
    {&Calculator::calc_fvf, Control::txt_fvf},
    {&Calculator::calc_total_fee, Control::txt_total_fee},
    {&Calculator::calc_total_recv, Control::txt_total_recv},
    {&Calculator::calc_total_spent, Control::txt_total_spent},
    {&Calculator::calc_profit, Control::txt_profit},
    {&Calculator::calc_profit_margin, Control::txt_profit_margin},
};

void Calculator::cmd_calc_Click() {
    refusal_.reset();
    const auto& list_fee_step = steps[0];
    if (!run_step(list_fee_step) || !ending_price_given()) {
        return;
    }
    for (const Step& step : std::span(steps).subspan(1)) {
        if (!run_step(step)) {
            return;
        }
    }
}

// The second half of the run needs an ending price that reads as a number other than 0.
bool Calculator::ending_price_given() const {
    const std::string ending_price = text_of(Control::txt_end_price);
    return ending_price != "None" && leading_number(ending_price) != 0;
}

// A step that cannot use a field stops the run: its results and all later ones are emptied, so
// that nothing from an earlier run passes for this run's answer, and the seller is told which
// field to mend.
bool Calculator::run_step(const Step& step) {
    try {
        (this->*step.run)();
        return true;
    } catch (const Refusal& refusal) {
        const auto* first =
            std::find(results_in_run_order.begin(), results_in_run_order.end(), step.first_result);
        std::for_each(first, results_in_run_order.end(),
                      [this](Control field) { form_.set_text(field, ""); });
        refusal_ = refusal;
        form_.warn("Error", refusal_message(refusal));
        form_.focus(refusal.field);
        return false;
    }
}

}  // namespace corvandel
