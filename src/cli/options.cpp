#include "cli/options.h"

#include <CLI/CLI.hpp>

#include <limits>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "cli/csv.h"
#include "input/option_interlocks.h"
#include "input/start_up_values.h"

namespace corvandel::cli {

namespace {

constexpr const char* about =
    "Works out an auction listing's fees, totals, profit and margin with the Corvandel "
    "calculator's fee schedule: for one listing given by options, for a whole inventory in CSV "
    "(--batch), or as the lowest ending price that reaches a profit or margin.";

const std::string explained =
    "The results are the texts the window shows, in its reading order; a warning it would show "
    "goes to standard error as a \"warning: \" line, a listing it would refuse as one \"error: \" "
    "line.\n\nExit status: 0 the results were printed; 1 the listing or a row of the batch was "
    "refused, the file could not be read through, or the results could not be written; 2 a usage "
    "error; 3 no ending price reaches the target. A batch stopped by a signal ends as the signal "
    "ends a program.\n\n--batch reads CSV with a header row and writes it back with the results "
    "added, or put in the columns that hold results already. It reads the columns item_cost, "
    "start_price, buy_it_now, reserve, end_price, shipping_charged, shipping_cost, other_costs "
    "and pictures, each cell the text typed into that field, and one per option named as the "
    "option with underscores (ten_day, ..., count_paypal) holding 1/0, yes/no or true/false, empty "
    "for the start-up value, or no_paypal as the option (1 leaves the PayPal fee out); or by the "
    "window's captions, in any letter case, with every run of characters other than ASCII letters "
    "and digits alike. Every other column is passed through, and named on standard error, as are "
    "the columns replaced by results; one whose header names money (cost, price, fee, shipping, "
    "...) refuses the file unless --pass-through names it. Cells are separated by commas, or by "
    "semicolons or tabs when the header holds no comma outside quotes. A row of empty cells, or "
    "an empty line, keeps its place with nothing calculated; a row that cannot be calculated "
    "keeps its place with the reason in error; malformed CSV, or a row longer than " +
    longest_row_text +
    ", stops the batch with its file and line. The byte-order mark and line ends of the file are "
    "those written. SIGINT, SIGTERM and SIGHUP end a batch at once, after whole rows only.";

// Each option with the name of its value; the descriptions say which options go together.
class Help : public CLI::Formatter {
  public:
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_type_size() == 0 ? "" : " " + option->get_type_name();
    }
};

// A check that a value is one of a set of words, by what makes the value of `read`.
template <typename Read>
std::function<std::string(const std::string&)> taking(const char* words, Read read) {
    return [words, read](const std::string& value) {
        return read(value) ? std::string()
                           : "takes " + std::string(words) + ", not \"" + value + "\"";
    };
}

// A target's amount: a number the calculator can hold.
std::string amount_check(const std::string& text) {
    return strict_amount(text) ? std::string()
           : is_number(text)
               ? "takes an amount the calculator can hold, at most " +
                     two_decimal_text(std::numeric_limits<std::int64_t>::max() / 100) +
                     " either side of 0, not " + text
               : "takes a number, not \"" + text + "\"";
}

constexpr const char* listing_group = "One listing";
constexpr const char* targets_group = "The lowest ending price that reaches a target";

// --explain for one listing, and --sweep with its --chart for a range of ending prices.
void define_range_and_explain(CLI::App& app, Options& options, CLI::Option* json, CLI::Option* end,
                              CLI::Option* batch) {
    auto* explain = app.add_flag("--explain", options.explain,
                                 "After the results, each fee with the rule that sets it, and the "
                                 "items each result adds up (with --json, an items list)")
                        ->group(listing_group);
    const std::string range = "A range of ending prices";
    auto* sweep = app.add_option_function<std::string>(
                         "--sweep",
                         [&options](const std::string& words) {
                             std::string why;
                             options.sweep = sweep_range_from(words, why);
                         },
                         "Print CSV: the results at each ending price from FROM to TO, STEP "
                         "apart (1.00 unless given), in whole cents, at most " +
                             std::to_string(most_sweep_rows) +
                             " rows; with a target, its lowest price's row is marked")
                      ->type_name("FROM:TO[:STEP]")
                      ->group(range)
                      ->check([](const std::string& words) {
                          std::string why;
                          return sweep_range_from(words, why) ? std::string() : why;
                      });
    sweep->excludes(json)->excludes(end)->excludes(explain)->excludes(batch);
    explain->excludes(batch);
    app.add_option("--chart", options.chart,
                   "Draw profit and total fees against the ending price as an SVG file, with the "
                   "break-even price and the final value fee's band edges marked (with --sweep)")
        ->type_name("FILE.svg")
        ->group(range)
        ->needs(sweep)
        ->check(taking("a file name",
                       [](const std::string& name) { return !name.empty() && name != "-"; }));
    for (CLI::Option* option : app.get_options()) {
        if (option->get_group() == targets_group) {
            explain->excludes(option);
        }
    }
}

void define(CLI::App& app, Options& options) {
    MemoryForm start_up;
    open_as_at_start_up(start_up);
    const std::string listing = listing_group;
    const std::string targets = targets_group;
    std::array<CLI::Option*, input_names.size()> given{};
    for (std::size_t i = 0; i < input_names.size(); ++i) {
        const Control control = input_names[i].control;
        const std::string name = "--" + std::string(input_names[i].option);
        std::string what =
            i < text_inputs
                ? std::string(field_title(control)) +
                      ", any text the field takes (start-up value: " + start_up.text(control) + ")"
            : control == Control::chk_paypal ? "Leave the PayPal fee out of the total fees"
                                             : "Tick " + std::string(caption(control));
        for (const Interlock& lock : option_interlocks) {
            what +=
                lock.box != control
                    ? ""
                    : " (not with --" + std::string(input_names[input_of(lock.other)].option) + ")";
        }
        given[i] =
            i < text_inputs
                ? app.add_option_function<std::string>(
                      name, [&options, i](const std::string& text) { options.texts[i] = text; },
                      what)
                : app.add_flag(name, options.ticks[i - text_inputs], what);
        given[i]->group(listing);
    }
    for (const Interlock& lock : option_interlocks) {
        given[input_of(lock.box)]->excludes(given[input_of(lock.other)]);
    }
    auto* json = app.add_flag("--json", options.json,
                              "Print the results as one JSON object, a refusal as {\"error\": ...}")
                     ->group(listing);

    auto* break_even = app.add_flag_callback(
        "--break-even",
        [&options] {
            options.target = Target{Target::Of::profit, Money{}};
        },
        "Print the lowest ending price at which the profit is at least 0.00, for the listing "
        "given without --end or --json");
    const auto target = [&](const char* name, Target::Of of, const char* value, const char* what) {
        return app
            .add_option_function<std::string>(
                name,
                [&options, of](const std::string& text) {
                    options.target = Target{of, *strict_amount(text)};
                },
                std::string("The same for a ") + what + " of at least " + value)
            ->type_name(value)
            ->check(amount_check);
    };
    auto* profit = target("--target-profit", Target::Of::profit, "AMOUNT", "profit");
    auto* margin = target("--target-margin", Target::Of::margin, "PERCENT", "profit margin");
    for (CLI::Option* option : {break_even, profit, margin}) {
        option->group(targets)->excludes(json)->excludes(given[input_of(Control::txt_end_price)]);
    }
    break_even->excludes(profit)->excludes(margin);
    profit->excludes(margin);

    const std::string inventory = "A whole inventory";
    auto* batch = app.add_option("--batch", options.batch,
                                 "Calculate every row of a CSV file (- for standard input) as a "
                                 "listing of its own, so no option of one listing or target goes "
                                 "with it")
                      ->type_name("FILE")
                      ->group(inventory)
                      ->check(taking("a file name, or - for standard input",
                                     [](const std::string& name) { return !name.empty(); }));
    for (CLI::Option* option : app.get_options()) {
        if (option->get_group() == listing || option->get_group() == targets) {
            batch->excludes(option);
        }
    }
    app.add_option("--delimiter", options.delimiter,
                   "The character between cells: , ; or tab (by default a comma, unless the "
                   "header holds none but semicolons or tabs; with --batch)")
        ->type_name("CHAR")
        ->group(inventory)
        ->needs(batch)
        ->check(taking("one character, or tab", [](const std::string& text) {
            return text == "tab" || (text.size() == 1 && text.find_first_of("\"\r\n") != 0);
        }));
    app.add_option("--pass-through", options.passed_on,
                   "Pass on unread a column whose header names an amount of money but no column "
                   "read, which otherwise refuses the file (with --batch; may be repeated)")
        ->type_name("HEADER")
        ->group(inventory)
        ->needs(batch);
    app.add_option_function<std::string>(
           "--solve", [&options](const std::string& words) { options.target = target_from(words); },
           "Add a solved_end_price column for break-even, profit=AMOUNT or margin=PERCENT (with "
           "--batch)")
        ->type_name("TARGET")
        ->group(inventory)
        ->needs(batch)
        ->check(taking("break-even, profit=AMOUNT or margin=PERCENT",
                       [](const std::string& words) { return target_from(words); }));
    define_range_and_explain(app, options, json, given[input_of(Control::txt_end_price)], batch);
    app.footer(std::string(explained) + "\n\n" + std::string(lowest_explained));
}

// The long option a mistyped one may mean: the same in another letter case, a slip away, or one
// that holds it ("--paypal" for --no-paypal, "-e" for --end).
std::string meant(const std::string& typed, const CLI::App& app) {
    const std::string word = lower_case(typed);
    for (const CLI::Option* known : app.get_options()) {
        for (const std::string& name : known->get_lnames()) {
            if (name == word || is_near(word, name) ||
                (word.size() < 3 ? name.starts_with(word) : name.find(word) != name.npos)) {
                return "; did you mean --" + name + "?";
            }
        }
    }
    return "";
}

// CLI11 takes the word after an option as its value even when that word is another option, and
// reads "--opt=" as an option still waiting for its value. Here a value is never an option, and
// "--opt=" is the empty text, as an empty cell is; an option given twice, a value given to an
// option that takes none and a word that is no option are refused in the program's words. The
// words come back last first, as CLI11 takes them; what is wrong is told in `wrong`.
std::vector<std::string> words_to_parse(int argc, char** argv, const CLI::App& app,
                                        std::string& wrong) {
    std::vector<std::string> words;
    std::vector<const CLI::Option*> given;
    for (int i = 1; i < argc && wrong.empty(); ++i) {
        const std::string word = argv[i];
        const std::string name = word.substr(0, word.find('='));
        const CLI::Option* option =
            word.starts_with("--") ? app.get_option_no_throw(name) : nullptr;
        const bool takes_value = option != nullptr && option->get_items_expected_min() > 0;
        if (option == nullptr) {
            wrong =
                !word.starts_with('-') || word == "-" || word == "--"
                    ? "\"" + word + "\" is no option: a value follows its option, as in --end 45"
                    : name + ": unknown option" +
                          meant(name.substr(name.find_first_not_of('-')), app);
        } else if (std::find(given.begin(), given.end(), option) != given.end() &&
                   option->get_items_expected_max() <= 1) {
            wrong = name + " is given twice; give it once";
        } else if (!takes_value && word != name) {
            wrong = name + " takes no value: give " + name + " alone, or leave it out";
        } else if (!takes_value || word.size() > name.size() + 1) {
            words.push_back(word);
        } else if (word != name) {
            words.insert(words.end(), {name, ""});
        } else if (i + 1 == argc || std::string_view(argv[i + 1]).starts_with("--")) {
            wrong = name + " needs a value";
        } else {
            words.insert(words.end(), {word, argv[++i]});
        }
        given.push_back(option);
    }
    std::reverse(words.begin(), words.end());
    return words;
}

}  // namespace

std::optional<std::string> read_command_line(int argc, char** argv, Options& options,
                                             bool& usage_error) {
    CLI::App app(about, "corvandel-calc");
    app.set_version_flag("--version", "corvandel-calc " CORVANDEL_VERSION);
    app.formatter(std::make_shared<Help>());
    app.get_formatter()->column_width(34);
    define(app, options);
    std::string wrong;
    std::vector<std::string> words = words_to_parse(argc, argv, app, wrong);
    try {
        if (argc == 1) {
            wrong = Help().make_usage(&app, "corvandel-calc") +
                    "error: give a listing's options (--end 45, say), or --batch FILE";
        } else if (wrong.empty()) {
            app.parse(words);
            return std::nullopt;
        } else {
            wrong = "error: " + wrong;
        }
    } catch (const CLI::CallForHelp&) {
        return app.help();
    } catch (const CLI::CallForVersion& version) {
        return std::string(version.what()) + "\n";
    } catch (const CLI::ParseError& error) {
        wrong = "error: " + std::string(error.what());
    }
    usage_error = true;
    return wrong + "\nRun with --help for more information.\n";
}

}  // namespace corvandel::cli
