#include "cli/sweep.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "calc/amount_text.h"
#include "calc/fee_schedule.h"
#include "calc/readings.h"
#include "cli/chart_svg.h"
#include "cli/file_at_once.h"
#include "cli/output.h"

namespace corvandel::cli {

namespace {

constexpr std::size_t end_price = input_of(Control::txt_end_price);

// Where a result is among the nine.
std::size_t result_place(Control field) {
    return static_cast<std::size_t>(std::find(result_fields.begin(), result_fields.end(), field) -
                                    result_fields.begin());
}

std::optional<std::int64_t> cents_of(std::string_view words, std::string& why) {
    const auto amount = strict_amount(words);
    if (!amount) {
        why = "\"" + std::string(words) + "\" is not an amount";
    } else if (amount->count() % 100 != 0) {
        why = std::string(words) + " is not a whole number of cents";
    } else {
        return amount->count() / 100;
    }
    return std::nullopt;
}

// The listing's main inputs, as given: the texts other than the ending price, and the boxes.
std::string inputs_in_words(const Listing& listing) {
    std::string words;
    const auto add = [&words](std::string_view part) {
        words += (words.empty() ? "" : ", ") + std::string(part);
    };
    for (std::size_t i = 0; i < text_inputs; ++i) {
        if (i != end_price && listing.texts[i]) {
            add(std::string(field_title(input_names[i].control)) + " " + *listing.texts[i]);
        }
    }
    for (std::size_t i = 0; i < tick_inputs; ++i) {
        const Control box = input_names[text_inputs + i].control;
        if (listing.ticks[i] && *listing.ticks[i] && box != Control::chk_paypal) {
            add(caption(box));
        } else if (listing.ticks[i] && !*listing.ticks[i] && box == Control::chk_paypal) {
            add("PayPal fee not counted");
        }
    }
    return words.empty() ? "every input as the window starts" : words;
}

// The chart's name is refused before any row is written: a sweep of a million rows should not
// end in a chart that cannot be kept. The standard output cannot be the chart, which replaces
// the file it names.
std::string chart_refusal(const std::string& path) {
    struct stat chart = {};
    if (stat(path.c_str(), &chart) == 0 && is_standard_output(chart)) {
        return "the chart is also the output";
    }
    return refusal_to_write(path);
}

// The marks and words of the chart that do not come from its rows.
void describe(Chart& chart, const SweepRequest& request, std::optional<Solution> break_even,
              const std::optional<Solution>& target) {
    const SweepRange& range = request.range;
    chart.title = "Profit and total fees by ending price";
    chart.subtitle = inputs_in_words(request.listing);
    chart.from = number_of_cents(range.from);
    chart.to = number_of_cents(range.to);
    std::string summary = "Profit and total fees for ending prices from " +
                          two_decimal_text(range.from) + " to " + two_decimal_text(range.to) +
                          " dollars.";
    const auto within = [&range](const std::optional<Solution>& found) {
        return found && found->kind == Solution::Kind::found && found->cents >= range.from &&
               found->cents <= range.to;
    };
    if (within(break_even)) {
        chart.marks.push_back({number_of_cents(break_even->cents),
                               "break-even $" + two_decimal_text(break_even->cents), 0.0});
        summary += " The profit reaches zero at an ending price of " +
                   two_decimal_text(break_even->cents) + ".";
    } else {
        summary += " The profit does not reach zero within this range.";
    }
    if (within(target) && request.target) {
        const bool margin = request.target->of == Target::Of::margin;
        const std::string goal = margin ? "margin " + amount_text(request.target->at_least) + " %"
                                        : "profit $" + amount_text(request.target->at_least);
        chart.marks.push_back(
            {number_of_cents(target->cents), goal + " at $" + two_decimal_text(target->cents),
             margin ? std::nullopt : std::optional(request.target->at_least.to_double())});
        summary += " The " + goal + " is reached at " + two_decimal_text(target->cents) + ".";
    }
    for (const auto& band : fee_schedule::final_value_bands) {
        const std::int64_t edge = band.up_to.amount.cents();
        if (!band.up_to.unlimited && edge > range.from && edge < range.to) {
            chart.band_edges.push_back(number_of_cents(edge));
            summary += " The final value fee's rate changes at " + two_decimal_text(edge) + ".";
        }
    }
    chart.summary = summary;
}

}  // namespace

std::optional<SweepRange> sweep_range_from(std::string_view words, std::string& why) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t colon = words.find(':', start);
        parts.push_back(words.substr(start, colon - start));
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
    }
    if (parts.size() < 2 || parts.size() > 3) {
        why = "takes FROM:TO or FROM:TO:STEP, not \"" + std::string(words) + "\"";
        return std::nullopt;
    }
    std::int64_t cents[3] = {0, 0, 100};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const auto read = cents_of(parts[i], why);
        if (!read) {
            return std::nullopt;
        }
        cents[i] = *read;
    }
    const SweepRange range{cents[0], cents[1], cents[2]};
    if (range.step <= 0) {
        why = "the step must be more than 0.00";
    } else if (range.from > range.to) {
        why = "FROM must not be above TO";
    } else if (range.rows() > most_sweep_rows) {
        why = "would write " + std::to_string(range.rows()) + " rows, more than " +
              std::to_string(most_sweep_rows) + "; take a larger step";
    } else {
        return range;
    }
    return std::nullopt;
}

int run_sweep(const SweepRequest& request, Output& out, std::FILE* errors) {
    const std::string refusal = request.chart.empty() ? "" : chart_refusal(request.chart);
    if (!refusal.empty()) {
        std::fprintf(errors, "error: cannot write %s: %s\n", request.chart.c_str(),
                     refusal.c_str());
        return 1;
    }
    ListingRunner runner;
    const Outcome listing = runner.run(request.listing, request.target);
    if (listing.refused()) {
        std::fprintf(errors, "error: %s\n", listing.error.c_str());
        return 1;
    }
    for (const std::string& warning : listing.warnings) {
        std::fprintf(errors, "warning: %s\n", warning.c_str());
    }
    const std::optional<Solution> target = listing.solution;
    Chart chart;
    if (!request.chart.empty()) {
        describe(chart, request, lowest_end_price(runner, Target{Target::Of::profit, Money{}}),
                 target);
    }

    std::string line = "end_price";
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        line += "," + std::string(result_columns[i]);
    }
    line += request.target ? ",reaches_target\n" : "\n";
    Output::end_at_once_on_signals();
    if (!out.write(line)) {
        return 1;
    }
    const SweepRange& range = request.range;
    ChartPoints points(chart, range.rows());
    Listing priced = request.listing;
    for (std::int64_t row = 0; row < range.rows(); ++row) {
        const std::int64_t cents = range.from + row * range.step;
        line = two_decimal_text(cents);
        priced.texts[end_price] = line;
        const Outcome outcome = runner.run(priced);
        if (outcome.refused()) {
            std::fprintf(errors, "error: at the ending price %s: %s\n", line.c_str(),
                         outcome.error.c_str());
            return 1;
        }
        for (const std::string& result : outcome.results) {
            line += "," + result;
        }
        if (request.target) {
            const bool lowest = target->kind == Solution::Kind::found && target->cents == cents;
            line += lowest ? ",lowest" : ",";
        }
        line += '\n';
        if (!out.write(line)) {
            return 1;
        }
        const std::string& shown_profit = outcome.results[result_place(Control::txt_profit)];
        if (!request.chart.empty() && !shown_profit.empty()) {
            points.add(row,
                       {number_of_cents(cents), leading_number(shown_profit),
                        leading_number(outcome.results[result_place(Control::txt_total_fee)])});
        }
    }
    if (!request.chart.empty()) {
        const std::string failure = write_at_once(request.chart, chart_svg(chart));
        if (!failure.empty()) {
            std::fprintf(errors, "error: cannot write %s: %s\n", request.chart.c_str(),
                         failure.c_str());
            return 1;
        }
    }
    if (request.target) {
        const bool found = target->kind == Solution::Kind::found;
        const bool on_a_row = found && target->cents >= range.from && target->cents <= range.to &&
                              (target->cents - range.from) % range.step == 0;
        if (!on_a_row) {
            std::fprintf(errors, "note: %s\n",
                         found ? ("the target is reached from " + two_decimal_text(target->cents) +
                                  ", which is not a row of the sweep")
                                     .c_str()
                               : "no ending price reaches the target");
        }
        return found ? 0 : 3;
    }
    return 0;
}

}  // namespace corvandel::cli
