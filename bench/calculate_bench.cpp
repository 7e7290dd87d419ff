#include <benchmark/benchmark.h>

#include "calc/calculator.h"
#include "form/memory_form.h"
#include "input/start_up_values.h"

namespace corvandel {
namespace {

// A listing with an ending price, a reserve, a Buy-It-Now price, several pictures and upgrades:
// every step of the run does its full work.
void WholeCalculateRun(benchmark::State& state) {
    MemoryForm form;
    open_as_at_start_up(form);
    form.set_text(Control::txt_start_price, "20");
    form.set_text(Control::txt_reserve, "212.50");
    form.set_text(Control::txt_bin, "49.99");
    form.set_text(Control::txt_end_price, "1001.67");
    form.set_text(Control::txt_ship_charged, "12.50");
    form.set_text(Control::txt_ship_cost, "9.80");
    form.set_text(Control::txt_other_costs, "1.25");
    form.set_text(Control::txt_item_cost, "350");
    form.set_text(Control::combo_num_pics, "7");
    for (Control box : {Control::chk_gallery, Control::chk_sub, Control::chk_bold,
                        Control::chk_10day, Control::chk_supersize, Control::chk_doublecat}) {
        form.set_tick(box, 1);
    }
    Calculator calculator(form);
    for (auto _ : state) {
        calculator.cmd_calc_Click();
        benchmark::DoNotOptimize(form.text(Control::txt_profit_margin));
    }
}
BENCHMARK(WholeCalculateRun);

}  // namespace
}  // namespace corvandel
