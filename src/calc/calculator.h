#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "calc/money.h"
#include "calc/refusal.h"
#include "form/form.h"

namespace corvandel {

// The Calculate command and the fee procedures it runs, on the main window's controls. Each
// procedure reads the fields it needs and writes its own result fields once its work is done;
// later procedures read earlier results back from those fields, so every step works with the
// rounded amounts the seller sees.
class Calculator {
  public:
    explicit Calculator(Form& form) : form_(form) {}

    void cmd_calc_Click();

    // What stopped the latest run, if a field could not be used.
    const std::optional<Refusal>& refusal() const { return refusal_; }

  private:
    void calc_list_fee();
    void calc_paypal_fee();
    void calc_fvf();
    void calc_total_fee();
    void calc_total_recv();
    void calc_total_spent();
    void calc_profit();
    void calc_profit_margin();

    bool ending_price_given() const;
    void refuse_run(const Refusal& refusal);

    // Readings of a field's text; the ones that give Money refuse amounts out of range. A text
    // is looked at in place and lasts until the next one is read.
    std::string_view text_of(Control field) const { return form_.read_text(field, text_buffer_); }
    double number_in(Control field) const;
    Money amount_in(Control field) const;
    Money strict_amount_in(Control field) const;
    bool is_chosen(Control box) const { return form_.tick(box) == 1; }

    // Every result is written through here, in run order.
    void show_result(Control field, std::string_view text);
    void show_amount(Control field, Money amount);

    Form& form_;
    // Holds the text being read, for a form that cannot lend its own.
    mutable std::string text_buffer_;
    // How many results, in run order, this run has written so far.
    std::size_t results_shown_ = 0;
    std::optional<Refusal> refusal_;
};

}  // namespace corvandel
