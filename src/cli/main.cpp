// corvandel-calc: the calculator's fee schedule from the command line. It runs the window's own
// rules on an in-memory window: the leaving test of each price field, the option interlocks and
// the Calculate run, so that its answers are the window's answers, character for character.

#include <sys/stat.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "cli/batch.h"
#include "cli/listing.h"
#include "cli/names.h"
#include "cli/output.h"
#include "cli/solver.h"
#include "input/option_interlocks.h"
#include "input/start_up.h"

namespace corvandel::cli {
namespace {

enum ExitStatus { results_printed = 0, refused = 1, usage_error = 2, unreachable = 3 };

constexpr const char* about =
    "Works out an auction listing's fees, totals, profit and margin with the Corvandel "
    "calculator's fee schedule: for one listing given by options, for a whole inventory in CSV "
    "(--batch), or as the lowest ending price that reaches a profit or margin.";

constexpr const char* explained =
    "The results are the texts the window shows, in its reading order; a warning it would show "
    "goes to standard error as a \"warning: \" line, a listing it would refuse as one \"error: "
    "\" line.\n\n"
    "Exit status: 0 the results were printed; 1 the listing or a row of the batch was refused, "
    "the file could not be read through, or the results could not be written; 2 a usage error; "
    "3 no ending price reaches the target. A batch stopped by a signal ends as the signal ends "
    "a program.\n\n"
    "--batch reads CSV with a header row and writes it back with the results added, or put in "
    "the columns that hold results already. It reads the columns item_cost, start_price, "
    "buy_it_now, reserve, end_price, shipping_charged, shipping_cost, other_costs and pictures, "
    "each cell the text typed into that field, and one per option named as the option with "
    "underscores (ten_day, ..., count_paypal) holding 1/0, yes/no or true/false, empty for the "
    "start-up value, or no_paypal as the option (1 leaves the PayPal fee out); or by the window's "
    "captions, in any letter case, with every run of characters other than letters and digits "
    "alike. Every other column is passed through, and named on standard error. Cells are "
    "separated by commas, or by semicolons or tabs when the header holds no comma. A row of empty "
    "cells keeps its place with nothing calculated; a row that cannot be calculated keeps its "
    "place with the reason in error; malformed CSV stops the batch with its file and line. "
    "SIGINT, SIGTERM and SIGHUP stop a batch after the last whole row written.";

// The help shows each option with its value's name and, after its description, the options of
// its group it needs or excludes; the descriptions tell the rules between groups.
class Help : public CLI::Formatter {
  public:
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_type_size() == 0 ? "" : " " + option->get_type_name();
    }
    std::string make_option_desc(const CLI::Option* option) const override {
        std::string text = option->get_description();
        for (const auto& [words, others] : {std::pair{" (with ", option->get_needs()},
                                            std::pair{" (not with ", option->get_excludes()}}) {
            std::vector<std::string> names;
            for (const CLI::Option* other : others) {
                if (other->get_group() == option->get_group()) {
                    names.push_back(other->get_name());
                }
            }
            std::sort(names.begin(), names.end());
            for (std::size_t i = 0; i < names.size(); ++i) {
                text += (i == 0 ? words : ", ") + names[i] + (i + 1 == names.size() ? ")" : "");
            }
        }
        return text;
    }
};

struct Options {
    std::array<std::string, text_inputs> texts;
    std::array<CLI::Option*, input_names.size()> given{};
    std::array<bool, tick_inputs> ticks{};
    bool json = false;
    std::optional<Target> target;  // from whichever option asks for one
    std::string batch, delimiter;
};

void define(CLI::App& app, Options& options) {
    MemoryForm start_up;
    open_as_at_start_up(start_up);
    const char* listing = "One listing";
    for (std::size_t i = 0; i < input_names.size(); ++i) {
        const Control control = input_names[i].control;
        const std::string name = "--" + std::string(input_names[i].option);
        options.given[i] = i < text_inputs
                               ? app.add_option(name, options.texts[i],
                                                std::string(field_title(control)) +
                                                    ", any text the field takes (start-up value: " +
                                                    start_up.text(control) + ")")
                               : app.add_flag(name, options.ticks[i - text_inputs],
                                              control == Control::chk_paypal
                                                  ? "Leave the PayPal fee out of the total fees"
                                                  : "Tick " + std::string(caption(control)));
        options.given[i]->group(listing);
    }
    const auto option_of = [&](Control box) {
        for (std::size_t i = 0;; ++i) {
            if (input_names[i].control == box) {
                return options.given[i];
            }
        }
    };
    for (const Interlock& lock : option_interlocks) {
        option_of(lock.box)->excludes(option_of(lock.other));
    }
    auto* json = app.add_flag("--json", options.json,
                              "Print the results as one JSON object, a refusal as {\"error\": ...}")
                     ->group(listing);

    const char* targets = "The lowest ending price that reaches a target";
    const auto number = [](const std::string& value) -> std::string {
        return strict_amount(value) ? "" : "takes a number, not \"" + value + "\"";
    };
    auto* break_even = app.add_flag_callback(
        "--break-even",
        [&options] {
            options.target = Target{Target::Of::profit, Money{}};
        },
        "Print the lowest ending price at which the profit is at least 0.00, for the listing "
        "given without --end or --json");
    const auto target = [&](const char* name, Target::Of of, const char* what) {
        return app
            .add_option_function<std::string>(
                name,
                [&options, of](const std::string& value) {
                    options.target = Target{of, *strict_amount(value)};
                },
                std::string("The same for a ") + what)
            ->check(number);
    };
    auto* profit = target("--target-profit", Target::Of::profit, "profit of at least AMOUNT")
                       ->type_name("AMOUNT");
    auto* margin =
        target("--target-margin", Target::Of::margin, "profit margin of at least PERCENT")
            ->type_name("PERCENT");
    for (CLI::Option* option : {break_even, profit, margin}) {
        option->group(targets)->excludes(json)->excludes(option_of(Control::txt_end_price));
    }
    break_even->excludes(profit)->excludes(margin);
    profit->excludes(margin);

    const char* inventory = "A whole inventory";
    auto* batch = app.add_option("--batch", options.batch,
                                 "Calculate every row of a CSV file (- for standard input) as a "
                                 "listing of its own, so no option of one listing or target goes "
                                 "with it")
                      ->type_name("FILE")
                      ->group(inventory)
                      ->check([](const std::string& value) -> std::string {
                          return value.empty() ? "needs a file name, or - for standard input" : "";
                      });
    for (CLI::Option* option : app.get_options()) {
        if (option->get_group() == listing || option->get_group() == targets) {
            batch->excludes(option);
        }
    }
    app.add_option("--delimiter", options.delimiter,
                   "The character between cells: , ; or tab (by default a comma, unless the "
                   "header holds none but semicolons or tabs)")
        ->type_name("CHAR")
        ->group(inventory)
        ->needs(batch)
        ->check([](const std::string& value) -> std::string {
            return value == "tab" || (value.size() == 1 && value.find_first_of("\"\r\n") != 0)
                       ? ""
                       : "takes one character, or tab, not \"" + value + "\"";
        });
    app.add_option_function<std::string>(
           "--solve", [&options](const std::string& words) { options.target = target_from(words); },
           "Add a solved_end_price column for break-even, profit=AMOUNT or margin=PERCENT")
        ->type_name("TARGET")
        ->group(inventory)
        ->needs(batch)
        ->check([](const std::string& value) -> std::string {
            return target_from(value)
                       ? ""
                       : "takes break-even, profit=AMOUNT or margin=PERCENT, not \"" + value + "\"";
        });
    app.footer(std::string(explained) + "\n\n" + std::string(lowest_explained));
}

// CLI11 takes the word after an option as its value even when that word is another option, and
// reads "--opt=" as an option still waiting for its value. Here a value is never an option, and
// "--opt=" is the empty text, as an empty cell is. The words come back last first, as CLI11
// takes them, or nothing with the option whose value is missing.
std::vector<std::string> words_to_parse(int argc, char** argv, const CLI::App& app,
                                        std::string& missing) {
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        const std::string name = word.substr(0, word.find('='));
        const CLI::Option* option =
            word.starts_with("--") ? app.get_option_no_throw(name) : nullptr;
        if (option == nullptr || option->get_items_expected_min() == 0) {
            words.push_back(word);
        } else if (word.size() == name.size() + 1) {
            words.insert(words.end(), {name, ""});
        } else if (word == name &&
                   (i + 1 == argc || std::string_view(argv[i + 1]).starts_with("--"))) {
            missing = name;
            return {};
        } else {
            words.push_back(word);
        }
    }
    std::reverse(words.begin(), words.end());
    return words;
}

// What is wrong with the first option of the words that names none, with the option it is a
// slip from where there is one: "--ends: unknown option; did you mean --end?".
std::string unknown_option(const std::vector<std::string>& words, const CLI::App& app) {
    for (auto word = words.rbegin(); word != words.rend(); ++word) {
        const std::string name = word->substr(0, word->find('='));
        if (!name.starts_with("--") || name == "--" || app.get_option_no_throw(name) != nullptr) {
            continue;
        }
        for (const CLI::Option* option : app.get_options()) {
            for (const std::string& known : option->get_lnames()) {
                if (is_near(name.substr(2), known)) {
                    return name + ": unknown option; did you mean --" + known + "?";
                }
            }
        }
        return name + ": unknown option";
    }
    return {};
}

// A text as a JSON string.
std::string json_text(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        char escaped[8] = {c, '\0'};
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
        }
        quoted += escaped;
    }
    return quoted + '"';
}

// One listing, as the window shows it: the results as it labels them, or as JSON, whose amounts
// are the window's texts as strings so that every digit stays as shown; or the lowest ending
// price that reaches the target.
int one_listing(const Options& options, Output& out) {
    Listing listing;
    for (std::size_t i = 0; i < text_inputs; ++i) {
        if (options.given[i]->count() > 0) {
            listing.texts[i] = options.texts[i];
        }
    }
    for (std::size_t i = 0; i < tick_inputs; ++i) {
        if (options.ticks[i]) {
            listing.ticks[i] = input_names[text_inputs + i].control != Control::chk_paypal;
        }
    }
    ListingRunner runner;
    const Outcome outcome = runner.run(listing, options.target);
    if (outcome.refused()) {
        std::fprintf(stderr, "error: %s\n", outcome.error.c_str());
        if (options.json) {
            out.write("{\"error\": " + json_text(outcome.error) + "}\n");
        }
        return refused;
    }
    for (const std::string& warning : outcome.warnings) {
        std::fprintf(stderr, "warning: %s\n", warning.c_str());
    }
    if (outcome.solution) {
        const bool found = outcome.solution->kind == Solution::Kind::found;
        out.write(found ? two_decimal_text(outcome.solution->cents) + "\n" : "unreachable\n");
        return found ? results_printed : unreachable;
    }
    std::size_t width = 0;
    for (const Control field : result_fields) {
        width = std::max(width, field_title(field).size() + 2);
    }
    std::string text = options.json ? "{" : "";
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        std::string label = std::string(field_title(result_fields[i])) + ":";
        label.resize(outcome.results[i].empty() ? label.size() : width, ' ');
        text += options.json
                    ? json_text(result_columns[i]) + ": " + json_text(outcome.results[i]) + ", "
                    : label + outcome.results[i] + "\n";
    }
    if (options.json) {
        text += "\"warnings\": [";
        for (std::size_t i = 0; i < outcome.warnings.size(); ++i) {
            text += (i == 0 ? "" : ", ") + json_text(outcome.warnings[i]);
        }
        text += "]}\n";
    }
    out.write(text);
    return results_printed;
}

// Whether two streams are the same file, as when the inventory is also where its results go:
// reading it would then read back every row written, without end.
bool same_file(std::FILE* a, std::FILE* b) {
    struct stat first = {};
    struct stat second = {};
    return fstat(fileno(a), &first) == 0 && fstat(fileno(b), &second) == 0 &&
           S_ISREG(first.st_mode) && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

int batch(const Options& options, Output& out) {
    BatchRequest request{options.batch == "-" ? "<stdin>" : options.batch};
    if (!options.delimiter.empty()) {
        request.delimiter = options.delimiter == "tab" ? '\t' : options.delimiter[0];
    }
    request.solve = options.target;
    std::FILE* in = options.batch == "-" ? stdin : std::fopen(options.batch.c_str(), "rb");
    if (in == nullptr) {
        std::fprintf(stderr, "error: cannot read %s: %s\n", options.batch.c_str(),
                     std::strerror(errno));
        return refused;
    }
    if (same_file(in, stdout)) {
        std::fprintf(stderr, "error: %s: the inventory is also the output\n", request.name.c_str());
        std::fclose(in);
        return refused;
    }
    Output::end_between_rows_on_signals();
    const int status = run_batch(in, request, out, stderr);
    std::fclose(in);
    return status;
}

int run(int argc, char** argv, Output& out) {
    CLI::App app(about, "corvandel-calc");
    app.set_version_flag("--version", "corvandel-calc " CORVANDEL_VERSION);
    app.formatter(std::make_shared<Help>());
    app.get_formatter()->column_width(34);
    Options options;
    define(app, options);
    std::string missing;
    std::vector<std::string> words = words_to_parse(argc, argv, app, missing);
    std::string wrong = unknown_option(words, app);
    if (argc == 1) {
        std::fprintf(stderr, "%s", Help().make_usage(&app, "corvandel-calc").c_str());
        wrong = "give a listing's options (--end 45, say), or --batch FILE";
    } else if (wrong.empty() && !missing.empty()) {
        wrong = missing + " needs a value";
    }
    try {
        if (wrong.empty()) {
            app.parse(words);
        }
    } catch (const CLI::CallForHelp&) {
        out.write(app.help());
        return results_printed;
    } catch (const CLI::CallForVersion& version) {
        out.write(std::string(version.what()) + "\n");
        return results_printed;
    } catch (const CLI::ParseError& error) {
        wrong = error.what();
    }
    if (!wrong.empty()) {
        std::fprintf(stderr, "error: %s\nRun with --help for more information.\n", wrong.c_str());
        return usage_error;
    }
    return options.batch.empty() ? one_listing(options, out) : batch(options, out);
}

}  // namespace
}  // namespace corvandel::cli

int main(int argc, char** argv) {
    corvandel::cli::Output out(stdout);
    const int status = out.close(corvandel::cli::run(argc, argv, out), stderr);
    corvandel::cli::Output::end_by_signal_caught();
    return status;
}
