// corvandel-calc: the calculator's fee schedule from the command line. It runs the window's own
// rules on an in-memory window: the leaving test of each price field, the option interlocks and
// the Calculate run, so that its answers are the window's answers, character for character.

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "calc/amount_text.h"
#include "cli/batch.h"
#include "cli/listing.h"
#include "cli/names.h"
#include "cli/solver.h"
#include "form/memory_form.h"
#include "input/start_up_memory_form.h"

namespace corvandel::cli {
namespace {

enum ExitStatus { results_printed = 0, refused = 1, usage_error = 2, unreachable = 3 };

constexpr const char* about =
    "Works out an auction listing's fees, totals, profit and margin with the Corvandel "
    "calculator's fee schedule: for one listing given by options, for a whole inventory in CSV "
    "(--batch), or as the lowest ending price that reaches a profit or margin "
    "(--break-even, --target-profit, --target-margin; --solve in a batch).";

constexpr const char* batch_explained =
    "--batch reads CSV with a header row and writes CSV: every input column as it came, then "
    "listing_fees, final_value_fees, total_ebay_fees, paypal_fees, total_fees, total_received, "
    "total_spent, profit, profit_margin, solved_end_price with --solve, warnings and error. The "
    "input columns it reads, named in any letter case: item_cost, start_price, buy_it_now, "
    "reserve, end_price, shipping_charged, shipping_cost, other_costs and pictures, each cell "
    "taken as the text typed into that field (an empty cell as an emptied field); and one per "
    "option, named as the option with underscores (subtitle, ten_day, ...) and count_paypal, "
    "holding 1/0, yes/no or true/false, empty for the start-up value. A missing column keeps "
    "the start-up value. A row that cannot be calculated keeps its place, with the reason in "
    "error; malformed CSV stops the batch with the line it is on.";

struct Options {
    std::array<std::string, price_names.size()> prices;
    std::array<CLI::Option*, price_names.size()> price_options{};
    std::string pictures;
    CLI::Option* pictures_option = nullptr;
    std::array<bool, option_names.size()> ticks{};
    bool no_paypal = false;
    bool json = false;
    std::string batch;
    std::string solve;
    std::size_t jobs = 1;
    bool break_even = false;
    std::string target_profit;
    std::string target_margin;
};

void define(CLI::App& app, Options& options) {
    MemoryForm start_up;
    open_as_at_start_up(start_up);
    for (std::size_t i = 0; i < price_names.size(); ++i) {
        const Control field = price_names[i].control;
        options.price_options[i] = app.add_option(
            "--" + std::string(price_names[i].option), options.prices[i],
            std::string(field_title(field)) +
                ", any text the field takes (start-up value: " + start_up.text(field) + ")");
    }
    options.pictures_option =
        app.add_option("--" + std::string(pictures_option), options.pictures,
                       std::string(field_title(Control::combo_num_pics)) +
                           " (start-up value: " + start_up.text(Control::combo_num_pics) + ")");
    for (std::size_t i = 0; i < option_names.size(); ++i) {
        app.add_flag("--" + std::string(option_names[i].option), options.ticks[i],
                     "Tick " + std::string(caption(option_names[i].control)));
    }
    app.add_flag("--" + std::string(no_paypal_option), options.no_paypal,
                 "Leave the PayPal fee out of the total fees");
    app.add_flag("--json", options.json, "Print the nine results as one JSON object");
    app.add_option("--batch", options.batch,
                   "Calculate every row of a CSV file (- for standard input), see below")
        ->type_name("FILE");
    app.add_option("--solve", options.solve,
                   "With --batch: add a solved_end_price column for break-even, profit=AMOUNT "
                   "or margin=PERCENT")
        ->type_name("TARGET");
    app.add_option("--jobs", options.jobs,
                   "With --batch: calculate the rows on N threads, written in their order "
                   "(default 1)")
        ->type_name("N")
        ->check(CLI::Range(1, 64));
    auto* break_even = app.add_flag("--break-even", options.break_even,
                                    "Print the lowest ending price at which the profit is at "
                                    "least 0.00");
    auto* profit = app.add_option("--target-profit", options.target_profit,
                                  "Print the lowest ending price at which the profit is at "
                                  "least AMOUNT")
                       ->type_name("AMOUNT");
    auto* margin = app.add_option("--target-margin", options.target_margin,
                                  "Print the lowest ending price at which the profit margin is "
                                  "at least PERCENT")
                       ->type_name("PERCENT");
    break_even->excludes(profit)->excludes(margin);
    profit->excludes(margin);
    app.footer(
        "The results are the texts the window shows, in its reading order; the warnings it would "
        "show go to standard error as \"warning: \" lines, and a listing it would refuse as one "
        "\"error: \" line. Exit status: 0 results printed, 1 a refused listing or a malformed "
        "or unreadable file, 2 a usage error, 3 no ending price reaches the target "
        "(\"unreachable\").\n\n" +
        std::string(batch_explained) + "\n\n" + std::string(lowest_explained));
}

int usage(const std::string& message) {
    std::fprintf(stderr, "error: %s\nRun with --help for more information.\n", message.c_str());
    return usage_error;
}

void print_warnings(const Outcome& outcome) {
    for (const std::string& warning : outcome.warnings) {
        std::fprintf(stderr, "warning: %s\n", warning.c_str());
    }
}

int print_refusal(const Outcome& outcome) {
    std::fprintf(stderr, "error: %s\n", outcome.error.c_str());
    return refused;
}

void print_results(const Outcome& outcome, bool json) {
    if (json) {
        // Result texts are numbers: nothing in them needs escaping.
        std::string line = "{";
        for (std::size_t i = 0; i < result_names.size(); ++i) {
            line += (i == 0 ? "\"" : ", \"") + std::string(result_names[i].key) + "\": \"" +
                    outcome.results[i] + "\"";
        }
        std::printf("%s}\n", line.c_str());
        return;
    }
    std::size_t width = 0;
    for (const ResultName& result : result_names) {
        width = std::max(width, field_title(result.control).size() + 1);
    }
    for (std::size_t i = 0; i < result_names.size(); ++i) {
        const std::string label = std::string(field_title(result_names[i].control)) + ":";
        if (outcome.results[i].empty()) {
            std::printf("%s\n", label.c_str());
        } else {
            std::printf("%-*s %s\n", static_cast<int>(width), label.c_str(),
                        outcome.results[i].c_str());
        }
    }
}

int solve_one(ListingRunner& runner, const Target& target) {
    Outcome outcome;
    const Solution solution = lowest_end_price(runner, target);
    runner.calculate_with_end_price(solution.kind == Solution::Kind::found ? solution.cents : 1);
    runner.read_outcome(outcome);
    if (solution.kind == Solution::Kind::refused) {
        return print_refusal(outcome);
    }
    print_warnings(outcome);
    if (solution.kind == Solution::Kind::unreachable) {
        std::printf("unreachable\n");
        return unreachable;
    }
    std::printf("%s\n", two_decimal_text(solution.cents).c_str());
    return results_printed;
}

int batch(const Options& options) {
    std::optional<Target> solve;
    if (!options.solve.empty()) {
        solve = target_from(options.solve);
        if (!solve) {
            return usage("--solve takes break-even, profit=AMOUNT or margin=PERCENT, not \"" +
                         options.solve + "\"");
        }
    }
    if (options.batch == "-") {
        return run_batch(stdin, stdout, stderr, solve, options.jobs);
    }
    std::FILE* in = std::fopen(options.batch.c_str(), "rb");
    if (in == nullptr) {
        std::fprintf(stderr, "error: cannot open %s: %s\n", options.batch.c_str(),
                     std::strerror(errno));
        return refused;
    }
    const int status = run_batch(in, stdout, stderr, solve, options.jobs);
    std::fclose(in);
    return status;
}

int run(int argc, char** argv) {
    CLI::App app(about, "corvandel-calc");
    app.set_version_flag("--version", "corvandel-calc " CORVANDEL_VERSION);
    app.get_formatter()->column_width(34);
    Options options;
    define(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        return usage(error.what());
    }

    const bool gives_listing =
        std::any_of(options.price_options.begin(), options.price_options.end(),
                    [](const CLI::Option* option) { return option->count() > 0; }) ||
        options.pictures_option->count() > 0 ||
        std::find(options.ticks.begin(), options.ticks.end(), true) != options.ticks.end() ||
        options.no_paypal || options.json;
    const bool solves_one =
        options.break_even || app.count("--target-profit") > 0 || app.count("--target-margin") > 0;
    if (app.count("--batch") > 0) {
        if (gives_listing || solves_one) {
            return usage(
                "--batch takes every listing from its file: give it no listing options, "
                "and --solve for a target");
        }
        return batch(options);
    }
    if (app.count("--solve") > 0) {
        return usage(
            "--solve works with --batch; for one listing use --break-even, "
            "--target-profit or --target-margin");
    }
    if (app.count("--jobs") > 0) {
        return usage("--jobs works with --batch");
    }

    Listing listing;
    for (std::size_t i = 0; i < price_names.size(); ++i) {
        if (options.price_options[i]->count() > 0) {
            listing.prices[i] = options.prices[i];
        }
    }
    if (options.pictures_option->count() > 0) {
        listing.pictures = options.pictures;
    }
    listing.options = options.ticks;
    listing.count_paypal = !options.no_paypal;
    if (const auto clash = impossible_options(listing)) {
        return usage(*clash);
    }

    std::optional<Target> target;
    if (options.break_even) {
        target = target_from("break-even");
    } else if (app.count("--target-profit") > 0) {
        target = target_from(Target::Of::profit, options.target_profit);
        if (!target) {
            return usage("--target-profit takes an amount, not \"" + options.target_profit + "\"");
        }
    } else if (app.count("--target-margin") > 0) {
        target = target_from(Target::Of::margin, options.target_margin);
        if (!target) {
            return usage("--target-margin takes a percentage, not \"" + options.target_margin +
                         "\"");
        }
    }
    if (target &&
        (options.json || options.price_options[price_index(Control::txt_end_price)]->count() > 0)) {
        return usage("a target asks for the ending price: give no --end and no --json with it");
    }

    ListingRunner runner;
    Outcome outcome;
    if (!runner.enter(listing, outcome)) {
        return print_refusal(outcome);
    }
    if (target) {
        return solve_one(runner, *target);
    }
    runner.calculate(outcome);
    if (outcome.refused()) {
        return print_refusal(outcome);
    }
    print_warnings(outcome);
    print_results(outcome, options.json);
    return results_printed;
}

}  // namespace
}  // namespace corvandel::cli

int main(int argc, char** argv) {
    return corvandel::cli::run(argc, argv);
}
