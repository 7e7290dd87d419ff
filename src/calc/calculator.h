#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/money.h"
#include "calc/readings.h"
#include "calc/refusal.h"
#include "form/form.h"

namespace corvandel {

// The Calculate command and the fee procedures it runs, on the main window's controls. Each
// procedure reads the fields it needs and writes its own result fields once its work is done.
// Every step works with the rounded amounts the seller sees: a result is kept, as it is written,
// as the whole cents its text shows, and later procedures take it from there exactly as reading
// the text back would give it.
class Calculator {
  public:
    explicit Calculator(Form& form) : form_(form) {}

    void cmd_calc_Click();

    // A price field's or the pictures box's text as the latest run read it, or, where it did
    // not read the field, as it is now: what the run calculated with is what gets tested.
    const std::string& text_read(Control field) { return read(field).text; }

    // How many results, in run order, the latest run showed.
    std::size_t results_shown() const { return results_shown_; }

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

    bool ending_price_given();
    void refuse_run(const Refusal& refusal);

    // The readings that give Money refuse amounts out of range.
    double number_in(Control field) { return read(field).number; }
    Money amount_in(Control field) { return within_range(read(field).amount, field); }
    Money strict_amount_in(Control field);
    bool is_chosen(Control box) const { return form_.tick(box) == 1; }

    // Every result is written through here, in run order. The amounts come back as the whole
    // cents their texts show.
    void show_result(Control field, std::string_view text);
    std::int64_t show_cents(Control field, std::int64_t cents);
    std::int64_t show_amount(Control field, Money amount) {
        return show_cents(field, amount.cents());
    }

    Form& form_;
    // A field's text and leading-number readings, taken when a step of the run first needs them.
    struct FieldRead {
        std::string text;
        double number;
        std::optional<Money> amount;
    };
    const FieldRead& read(Control field);
    std::array<std::optional<FieldRead>, control_count> fields_read_;
    // How many results, in run order, this run has written so far.
    std::size_t results_shown_ = 0;
    // The results this run has shown that later steps use, in whole cents.
    struct ShownCents {
        std::int64_t list_fee = 0;
        std::int64_t paypal_fee = 0;
        std::int64_t fvf = 0;
        std::int64_t total_fee = 0;
        std::int64_t total_recv = 0;
        std::int64_t total_spent = 0;
        std::int64_t profit = 0;
    };
    ShownCents shown_;
    std::optional<Refusal> refusal_;
};

}  // namespace corvandel
