#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "calc/refusal.h"
#include "calculation.h"
#include "cli/csv_reader.h"
#include "cli/names.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "run_program.h"

namespace corvandel {
namespace {

using C = Control;
using cli::option_names;
using cli::price_names;
using cli::result_names;

// One listing as a seller gives it; whatever it leaves out keeps its start-up value.
struct ListingCase {
    const char* name;
    std::vector<Entry> typed;
    const char* pictures = nullptr;
    std::vector<Control> ticked = {};
    bool count_paypal = true;
};

void PrintTo(const ListingCase& c, std::ostream* out) {
    *out << c.name;
}

// What the window shows for a listing: its nine results in reading order, the warnings on the
// way, and why it would not calculate.
struct Shown {
    std::vector<std::string> results = std::vector<std::string>(result_fields.size());
    std::vector<std::string> warnings;
    std::string error;

    friend bool operator==(const Shown&, const Shown&) = default;
};

void PrintTo(const Shown& shown, std::ostream* out) {
    *out << "results:";
    for (const std::string& result : shown.results) {
        *out << " [" << result << "]";
    }
    for (const std::string& warning : shown.warnings) {
        *out << "\nwarning: " << warning;
    }
    *out << "\nerror: " << shown.error;
}

std::vector<std::string> warnings_in(const MemoryForm& form) {
    std::vector<std::string> warnings;
    for (const FormEvent& event : form.events()) {
        if (event.kind == FormEvent::Kind::warning) {
            warnings.push_back(event.message);
        }
    }
    return warnings;
}

// The seller at the in-memory window: types each text and leaves the field, ticks the options,
// presses Calculate.
Shown at_the_window(const ListingCase& c) {
    Calculation window;
    window.form.when_tick_changes([&](Control box) { tick_box_Click(window.form, box); });
    Shown shown;
    for (const Entry& entry : c.typed) {
        window.type(entry.field, entry.text);
        if (price_field_LostFocus(window.form, entry.field) && *entry.text != '\0') {
            shown.error = std::string(field_title(entry.field)) + ": " +
                          std::string(price_field_rule(entry.field)->message);
            return shown;
        }
    }
    shown.warnings = warnings_in(window.form);
    window.form.forget_events();
    if (c.pictures != nullptr) {
        window.type(C::combo_num_pics, c.pictures);
    }
    window.tick(c.ticked);
    window.tick(C::chk_paypal, c.count_paypal ? 1 : 0);
    window.calculate();
    if (const auto& refusal = window.calculator.refusal()) {
        Shown refused;
        refused.error = refusal_message(*refusal);
        return refused;
    }
    for (const std::string& warning : warnings_in(window.form)) {
        shown.warnings.push_back(warning);
    }
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        shown.results[i] = window.shows(result_fields[i]);
    }
    return shown;
}

const cli::PriceName& name_of_price(Control field) {
    return price_names[cli::price_index(field)];
}

std::string_view option_of(Control box) {
    for (const auto& option : option_names) {
        if (option.control == box) {
            return option.option;
        }
    }
    return {};
}

std::vector<std::string> arguments_for(const ListingCase& c) {
    std::vector<std::string> arguments;
    for (const Entry& entry : c.typed) {
        // Apart: the option library takes "--item-cost=" as an option still waiting for its text.
        arguments.push_back("--" + std::string(name_of_price(entry.field).option));
        arguments.emplace_back(entry.text);
    }
    if (c.pictures != nullptr) {
        arguments.emplace_back("--pictures");
        arguments.emplace_back(c.pictures);
    }
    for (Control box : c.ticked) {
        arguments.push_back("--" + std::string(option_of(box)));
    }
    if (!c.count_paypal) {
        arguments.emplace_back("--no-paypal");
    }
    return arguments;
}

// The warning and error lines of standard error.
void read_messages(const std::string& err, Shown& shown) {
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("warning: ")) {
            shown.warnings.push_back(line.substr(9));
        } else if (line.starts_with("error: ")) {
            shown.error = line.substr(7);
        } else {
            ADD_FAILURE() << "unexpected line on standard error: " << line;
        }
    }
}

Shown from_options(const ListingCase& c) {
    const ProgramRun run = run_program(CORVANDEL_CALC, arguments_for(c));
    Shown shown;
    read_messages(run.err, shown);
    EXPECT_EQ(run.status, shown.error.empty() ? 0 : 1) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    for (std::size_t i = 0; i < result_fields.size() && std::getline(lines, line); ++i) {
        const std::string label = std::string(field_title(result_fields[i])) + ":";
        EXPECT_TRUE(line.starts_with(label)) << line;
        const auto value = line.find_first_not_of(' ', label.size());
        shown.results[i] = value == std::string::npos ? "" : line.substr(value);
    }
    EXPECT_FALSE(std::getline(lines, line)) << "more lines than results: " << line;
    return shown;
}

Shown from_json(const ListingCase& c) {
    auto arguments = arguments_for(c);
    arguments.emplace_back("--json");
    const ProgramRun run = run_program(CORVANDEL_CALC, arguments);
    Shown shown;
    read_messages(run.err, shown);
    if (run.status == 0) {
        for (std::size_t i = 0; i < result_names.size(); ++i) {
            const std::string key = "\"" + std::string(result_names[i].key) + "\": \"";
            const auto at = run.out.find(key);
            EXPECT_NE(at, std::string::npos) << key;
            if (at != std::string::npos) {
                const auto start = at + key.size();
                shown.results[i] = run.out.substr(start, run.out.find('"', start) - start);
            }
        }
    }
    return shown;
}

class SameAnswers : public testing::TestWithParam<ListingCase> {};

// The command line gives the window's answers character for character.
TEST_P(SameAnswers, FromOptions) {
    EXPECT_EQ(from_options(GetParam()), at_the_window(GetParam()));
}

TEST_P(SameAnswers, AsJson) {
    EXPECT_EQ(from_json(GetParam()), at_the_window(GetParam()));
}

const ListingCase listing_cases[] = {
    {"StartUpValues", {}},
    {"UsageExample",
     {{C::txt_item_cost, "12.50"},
      {C::txt_start_price, "9.99"},
      {C::txt_end_price, "45"},
      {C::txt_ship_charged, "5"},
      {C::txt_ship_cost, "4.20"}},
     "3",
     {C::chk_gallery}},
    {"ReserveNotAboveStart",
     {{C::txt_start_price, "20"}, {C::txt_reserve, "15"}, {C::txt_end_price, "45"}}},
    {"StartBetweenTiers", {{C::txt_start_price, "0.995"}, {C::txt_end_price, "10"}}},
    {"EmptiedFieldsTakeTheirKeyword",
     {{C::txt_item_cost, ""}, {C::txt_bin, ""}, {C::txt_end_price, "30"}}},
    {"EmptiedStartPriceWarns", {{C::txt_start_price, ""}, {C::txt_end_price, "30"}}},
    {"StartPriceRefusesAWord", {{C::txt_start_price, "None"}, {C::txt_end_price, "30"}}},
    {"EndPriceRefusesTrailingLetters", {{C::txt_end_price, "12abc"}}},
    {"KeywordsInAnyCaseAndBlanks",
     {{C::txt_item_cost, "FREE"},
      {C::txt_reserve, "NONE"},
      {C::txt_bin, "49.99"},
      {C::txt_end_price, "1e3"},
      {C::txt_ship_charged, " 12 "}}},
    {"ReserveTooLarge", {{C::txt_reserve, "1e30"}, {C::txt_end_price, "5"}}},
    {"ItemCostTooLarge", {{C::txt_item_cost, "1e20"}, {C::txt_end_price, "5"}}},
    {"PackOfEightTwoCategoriesWithoutPayPal",
     {{C::txt_end_price, "150"}, {C::txt_other_costs, "1.25"}},
     "8",
     {C::chk_pic_pack, C::chk_doublecat},
     false},
    {"EveryFeatureAndBothDiscounts",
     {{C::txt_start_price, "250"}, {C::txt_end_price, "1000.01"}},
     "12",
     {C::chk_bold, C::chk_border, C::chk_gfeatured, C::chk_fplus, C::chk_highlight, C::chk_sub,
      C::chk_hfeatured, C::chk_10day, C::chk_gift, C::chk_pic_show, C::chk_supersize}},
    {"GallerySubtitleDiscount", {{C::txt_end_price, "25.01"}}, "2.5", {C::chk_gallery, C::chk_sub}},
    {"NegativeEndingPrice", {{C::txt_end_price, "-5"}, {C::txt_ship_charged, "5"}}},
};

INSTANTIATE_TEST_SUITE_P(Listings, SameAnswers, testing::ValuesIn(listing_cases),
                         [](const auto& test) { return std::string(test.param.name); });

// The whole table as one inventory: each row gives the window's answers, in its place, with the
// seller's own first column passed through.
TEST(SameAnswersInABatch, EveryRowInItsPlace) {
    MemoryForm start_up;
    open_as_at_start_up(start_up);
    std::string csv = "case";
    for (const auto& price : price_names) {
        csv += "," + std::string(price.column);
    }
    csv += ",PICTURES";  // columns are named in any letter case
    for (const auto& option : option_names) {
        csv += "," + std::string(option.column);
    }
    csv += ",count_paypal\n";
    for (const ListingCase& c : listing_cases) {
        csv += c.name;
        for (const auto& price : price_names) {
            std::string text = start_up.text(price.control);
            for (const Entry& entry : c.typed) {
                text = entry.field == price.control ? entry.text : text;
            }
            csv += "," + text;
        }
        csv += ",";
        csv += c.pictures != nullptr ? c.pictures : "";
        for (const auto& option : option_names) {
            const bool ticked =
                std::find(c.ticked.begin(), c.ticked.end(), option.control) != c.ticked.end();
            csv += ticked ? ",Yes" : ",0";
        }
        csv += c.count_paypal ? ",true\n" : ",no\n";
    }

    const ProgramRun run = run_program(CORVANDEL_CALC, {"--batch", "-"}, csv);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    std::vector<std::vector<std::string>> rows;
    cli::CsvReader reader([&](std::span<const std::string> cells, std::size_t) {
        rows.emplace_back(cells.begin(), cells.end());
        return true;
    });
    std::FILE* out = fmemopen(const_cast<char*>(run.out.data()), run.out.size(), "r");
    ASSERT_NE(out, nullptr);
    EXPECT_FALSE(reader.read(out));
    std::fclose(out);

    ASSERT_EQ(rows.size(), std::size(listing_cases) + 1);
    const std::vector<std::string>& header = rows.front();
    const auto column = [&](std::string_view name) {
        return std::find(header.begin(), header.end(), name) - header.begin();
    };
    for (std::size_t r = 0; r < std::size(listing_cases); ++r) {
        const ListingCase& c = listing_cases[r];
        const std::vector<std::string>& row = rows[r + 1];
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(row.front(), c.name);
        Shown shown;
        for (std::size_t i = 0; i < result_names.size(); ++i) {
            shown.results[i] = row[column(result_names[i].key)];
        }
        std::string_view warnings = row[column("warnings")];
        while (!warnings.empty()) {
            const auto end = std::min(warnings.find("; "), warnings.size());
            shown.warnings.emplace_back(warnings.substr(0, end));
            warnings.remove_prefix(std::min(end + 2, warnings.size()));
        }
        shown.error = row[column("error")];
        EXPECT_EQ(shown, at_the_window(c)) << c.name;
    }
}

}  // namespace
}  // namespace corvandel
