#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "calc/refusal.h"
#include "calculation.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "run_program.h"

namespace corvandel {
namespace {

using C = Control;

// How a seller names each input: its option, and its column as an inventory's header may spell
// it, the window's captions among them. Written out here as the README gives them, apart from
// the program's own tables, so that a slip in those shows.
struct Name {
    Control control;
    const char* option;
    const char* column;
};

const Name names[] = {
    {C::txt_item_cost, "--item-cost", "Item Cost"},
    {C::txt_start_price, "--start", "start_price"},
    {C::txt_bin, "--buy-it-now", "Buy-It-Now Price"},
    {C::txt_reserve, "--reserve", "RESERVE"},
    {C::txt_end_price, "--end", "end-price"},
    {C::txt_ship_charged, "--shipping-charged", " shipping_charged "},
    {C::txt_ship_cost, "--shipping-cost", "Shipping Cost"},
    {C::txt_other_costs, "--other-costs", "other_costs"},
    {C::combo_num_pics, "--pictures", "PICTURES"},
    {C::chk_sub, "--subtitle", "Sub Title"},
    {C::chk_pic_show, "--picture-show", "picture_show"},
    {C::chk_supersize, "--supersize", "Supersize Pictures"},
    {C::chk_pic_pack, "--picture-pack", "picture_pack"},
    {C::chk_gallery, "--gallery", "gallery"},
    {C::chk_bold, "--bold", "Bold"},
    {C::chk_10day, "--ten-day", "10 Day Listing"},
    {C::chk_border, "--border", "border"},
    {C::chk_highlight, "--highlight", "highlight"},
    {C::chk_gift, "--gift", "Gift Services"},
    {C::chk_doublecat, "--double-category", "double_category"},
    {C::chk_gfeatured, "--gallery-featured", "Gallery Featured"},
    {C::chk_fplus, "--featured-plus", "featured-plus"},
    {C::chk_hfeatured, "--homepage-featured", "homepage_featured"},
    {C::chk_paypal, "--no-paypal", "count_paypal"},
};

const Name& name_of(Control control) {
    return *std::find_if(std::begin(names), std::end(names),
                         [control](const Name& name) { return name.control == control; });
}

// The results' column and JSON names, in the window's reading order.
const char* const result_keys[] = {"listing_fees", "final_value_fees", "total_ebay_fees",
                                   "paypal_fees",  "total_fees",       "total_received",
                                   "total_spent",  "profit",           "profit_margin"};

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
        if (price_field_LostFocus(window.form, entry.field)) {
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

std::vector<std::string> arguments_for(const ListingCase& c) {
    std::vector<std::string> arguments;
    for (const Entry& entry : c.typed) {
        arguments.emplace_back(name_of(entry.field).option);
        arguments.emplace_back(entry.text);
    }
    if (c.pictures != nullptr) {
        arguments.emplace_back(name_of(C::combo_num_pics).option);
        arguments.emplace_back(c.pictures);
    }
    for (Control box : c.ticked) {
        arguments.emplace_back(name_of(box).option);
    }
    if (!c.count_paypal) {
        arguments.emplace_back(name_of(C::chk_paypal).option);
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

// What the program prints with --json for what the window shows.
std::string as_json(const Shown& shown) {
    if (!shown.error.empty()) {
        return "{\"error\": \"" + shown.error + "\"}\n";
    }
    std::string json = "{";
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        json += "\"" + std::string(result_keys[i]) + "\": \"" + shown.results[i] + "\", ";
    }
    json += "\"warnings\": [";
    for (std::size_t i = 0; i < shown.warnings.size(); ++i) {
        json += (i == 0 ? "\"" : ", \"") + shown.warnings[i] + "\"";
    }
    return json + "]}\n";
}

class SameAnswers : public testing::TestWithParam<ListingCase> {};

// The command line gives the window's answers character for character.
TEST_P(SameAnswers, FromOptions) {
    EXPECT_EQ(from_options(GetParam()), at_the_window(GetParam()));
}

TEST_P(SameAnswers, AsJson) {
    auto arguments = arguments_for(GetParam());
    arguments.emplace_back("--json");
    const ProgramRun run = run_program(CORVANDEL_CALC, arguments);
    EXPECT_EQ(run.out, as_json(at_the_window(GetParam()))) << run.err;
}

const ListingCase listing_cases[] = {
    {"StartUpValues", {}, "1"},
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
    {"EmptiedStartPriceIsRefused", {{C::txt_start_price, ""}, {C::txt_end_price, "30"}}},
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

// The whole table as one inventory under these headers, one for each of names, in its order:
// each row gives the window's answers, in its place, with the seller's own first column passed
// through.
void expect_the_window_under(const std::vector<std::string>& headers) {
    Calculation start_up;
    std::string csv = "case";
    for (const std::string& header : headers) {
        csv += "," + header;
    }
    csv += "\n";
    for (const ListingCase& c : listing_cases) {
        csv += c.name;
        for (const Name& name : names) {
            const auto typed = std::find_if(c.typed.begin(), c.typed.end(), [&](const Entry& e) {
                return e.field == name.control;
            });
            const bool ticked =
                std::find(c.ticked.begin(), c.ticked.end(), name.control) != c.ticked.end();
            csv += ",";
            if (name.control == C::chk_paypal) {
                csv += c.count_paypal ? "true" : "no";
            } else if (name.control == C::combo_num_pics) {
                csv += c.pictures != nullptr ? c.pictures : "";
            } else if (std::find(price_fields.begin(), price_fields.end(), name.control) ==
                       price_fields.end()) {
                csv += ticked ? "Yes" : "0";
            } else {
                csv += typed != c.typed.end() ? typed->text : start_up.shows(name.control);
            }
        }
        csv += "\n";
    }

    const ProgramRun run = run_program(CORVANDEL_CALC, {"--batch", "-"}, csv);
    const auto rows = csv_rows(run.out);
    ASSERT_EQ(rows.size(), std::size(listing_cases) + 1) << csv.substr(0, csv.find('\n'));
    const std::vector<std::string>& header = rows.front();
    const auto column = [&](std::string_view name) {
        return std::find(header.begin(), header.end(), name) - header.begin();
    };
    int refused = 0;
    for (std::size_t r = 0; r < std::size(listing_cases); ++r) {
        const ListingCase& c = listing_cases[r];
        const std::vector<std::string>& row = rows[r + 1];
        ASSERT_EQ(row.size(), header.size());
        EXPECT_EQ(row.front(), c.name);
        Shown shown;
        for (std::size_t i = 0; i < result_fields.size(); ++i) {
            shown.results[i] = row[column(result_keys[i])];
        }
        std::string_view warnings = row[column("warnings")];
        while (!warnings.empty()) {
            const auto end = std::min(warnings.find("; "), warnings.size());
            shown.warnings.emplace_back(warnings.substr(0, end));
            warnings.remove_prefix(std::min(end + 2, warnings.size()));
        }
        shown.error = row[column("error")];
        refused += shown.error.empty() ? 0 : 1;
        EXPECT_EQ(shown, at_the_window(c)) << c.name;
    }
    EXPECT_EQ(run.status, refused > 0 ? 1 : 0) << run.err;
    EXPECT_NE(run.err.find("note: not read, passed through: case\n"), std::string::npos) << run.err;
}

TEST(SameAnswersInABatch, EveryRowInItsPlace) {
    std::vector<std::string> headers;
    for (const Name& name : names) {
        headers.emplace_back(name.column);
    }
    expect_the_window_under(headers);
}

// Other headers sellers give the inputs.
const Name sellers_spellings[] = {
    {C::txt_item_cost, "", "Unit Cost"},
    {C::txt_start_price, "", "Starting Bid"},
    {C::txt_bin, "", "BIN"},
    {C::txt_bin, "", "Buy It Now"},
    {C::txt_reserve, "", "Reserve Price"},
    {C::txt_end_price, "", "Sold Price"},
    {C::txt_ship_charged, "", "Postage Charged"},
    {C::txt_ship_cost, "", "Postage Cost"},
    {C::combo_num_pics, "", "Photos"},
    {C::chk_10day, "", "10 day"},
    {C::chk_paypal, "", "PayPal"},
};

// A header as a seller may write it: each letter in either case, each gap between words a blank,
// hyphen, underscore, no-break space, en dash or full-width space, and a unit or colon after it.
std::string spelled(std::string_view words, std::mt19937& random) {
    const char* const gaps[] = {" ", "-", "_", "\xC2\xA0", " \xE2\x80\x93 ", "\xE3\x80\x80", ". "};
    const char* const units[] = {
        "",  " ($)", " (\xE2\x82\xAC)", " (\xC2\xA3)", " \xC2\xA5", "\xEF\xBC\x88$\xEF\xBC\x89",
        ":", "  "};
    std::string header = random() % 2 ? " " : "";
    for (const char c : words) {
        header += c == ' ' || c == '_' || c == '-' ? std::string(gaps[random() % std::size(gaps)])
                  : random() % 2 ? std::string(1, static_cast<char>(std::toupper(c)))
                                 : std::string(1, static_cast<char>(std::tolower(c)));
    }
    return header + units[random() % std::size(units)];
}

// Each input's column name, caption or a seller's spelling, written at random: every one is read
// as its column; and a price's header with a word more is refused, never passed over.
TEST(SameAnswersInABatch, UnderHeadersAsSellersWriteThem) {
    std::mt19937 random(27);
    for (int round = 0; round < 12; ++round) {
        std::vector<std::string> headers;
        for (const Name& name : names) {
            // --no-paypal says the PayPal box the other way round from count_paypal.
            std::vector<std::string> ways{name.control == C::chk_paypal ? "" : name.option + 2,
                                          name.column, std::string(field_title(name.control))};
            for (const Name& other : sellers_spellings) {
                ways.emplace_back(other.control == name.control ? other.column : "");
            }
            std::erase(ways, "");
            headers.push_back(spelled(ways[random() % ways.size()], random));
        }
        expect_the_window_under(headers);

        const Control price = price_fields[random() % price_fields.size()];
        const std::string more = spelled(std::string(field_title(price)) + " net", random);
        const ProgramRun run = run_program(CORVANDEL_CALC, {"--batch", "-"}, more + ",bold\n1,1\n");
        EXPECT_EQ(run.status, 1) << more;
        EXPECT_NE(run.err.find("names no column read"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace corvandel
