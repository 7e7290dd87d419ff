#include "cli/batch.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/amount_text.h"
#include "calc/letter_case.h"
#include "calc/number_text.h"
#include "cli/csv_reader.h"
#include "cli/csv_writer.h"
#include "cli/listing.h"
#include "cli/names.h"

namespace corvandel::cli {

namespace {

constexpr std::string_view solved_column = "solved_end_price";
constexpr std::string_view warnings_column = "warnings";
constexpr std::string_view error_column = "error";
constexpr std::string_view warning_separator = "; ";

// What an input column feeds.
struct Column {
    enum class Feeds { nothing, price, pictures, option, count_paypal };
    Feeds feeds = Feeds::nothing;
    std::size_t index = 0;  // into the price fields or the option boxes

    friend bool operator==(const Column&, const Column&) = default;
};

Column column_named(std::string_view header) {
    const std::string name = lower_case(header);
    for (std::size_t i = 0; i < price_names.size(); ++i) {
        if (name == price_names[i].column) {
            return {Column::Feeds::price, i};
        }
    }
    for (std::size_t i = 0; i < option_names.size(); ++i) {
        if (name == option_names[i].column) {
            return {Column::Feeds::option, i};
        }
    }
    if (name == pictures_column) {
        return {Column::Feeds::pictures};
    }
    if (name == count_paypal_column) {
        return {Column::Feeds::count_paypal};
    }
    return {};
}

// A tick cell: 1/0, yes/no or true/false in any letter case; empty keeps the default. Called
// for a dozen cells a row, so it compares in place.
std::optional<bool> tick_in(std::string_view cell, bool if_empty) {
    const std::string_view word = trimmed(cell);
    if (word.empty()) {
        return if_empty;
    }
    if (is_word_in_any_case(word, "1") || is_word_in_any_case(word, "yes") ||
        is_word_in_any_case(word, "true")) {
        return true;
    }
    if (is_word_in_any_case(word, "0") || is_word_in_any_case(word, "no") ||
        is_word_in_any_case(word, "false")) {
        return false;
    }
    return std::nullopt;
}

class Batch {
  public:
    Batch(std::FILE* out, const std::optional<Target>& solve) : writer_(out), solve_(solve) {}

    bool row(std::span<const std::string> cells, std::size_t line) {
        if (columns_.empty()) {
            return header(cells, line);
        }
        if (cells.size() > columns_.size()) {
            fault_ = CsvFault{line, "this row has " + std::to_string(cells.size()) +
                                        " cells, more than the header's " +
                                        std::to_string(columns_.size())};
            return false;
        }
        calculate(cells);
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            writer_.cell(i < cells.size() ? std::string_view(cells[i]) : std::string_view());
        }
        for (const std::string& result : outcome_.results) {
            writer_.cell(result);
        }
        if (solve_) {
            writer_.cell(solved_);
        }
        warnings_.clear();
        for (const std::string& warning : outcome_.warnings) {
            if (!warnings_.empty()) {
                warnings_ += warning_separator;
            }
            warnings_ += warning;
        }
        writer_.cell(warnings_);
        writer_.cell(outcome_.error);
        writer_.end_row();
        return true;
    }

    const std::optional<CsvFault>& fault() const { return fault_; }
    void finish() { writer_.flush(); }
    bool saw_header() const { return !columns_.empty(); }

  private:
    bool header(std::span<const std::string> cells, std::size_t line) {
        for (const std::string& cell : cells) {
            const Column column = column_named(cell);
            if (column.feeds != Column::Feeds::nothing &&
                std::find(columns_.begin(), columns_.end(), column) != columns_.end()) {
                fault_ = CsvFault{line, "the column " + cell + " appears twice"};
                columns_.clear();
                return false;
            }
            columns_.push_back(column);
        }
        for (const std::string& cell : cells) {
            writer_.cell(cell);
        }
        for (const ResultName& result : result_names) {
            writer_.cell(result.key);
        }
        if (solve_) {
            writer_.cell(solved_column);
        }
        writer_.cell(warnings_column);
        writer_.cell(error_column);
        writer_.end_row();
        return true;
    }

    void calculate(std::span<const std::string> cells) {
        solved_.clear();
        Listing listing;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const Column& column = columns_[i];
            const std::string& cell = cells[i];
            switch (column.feeds) {
                case Column::Feeds::nothing:
                    break;
                case Column::Feeds::price:
                    listing.prices[column.index] = cell;
                    break;
                case Column::Feeds::pictures:
                    if (!cell.empty()) {
                        listing.pictures = cell;
                    }
                    break;
                case Column::Feeds::option:
                    if (!tick(cell, option_names[column.index].column, false,
                              listing.options[column.index])) {
                        return;
                    }
                    break;
                case Column::Feeds::count_paypal:
                    if (!tick(cell, count_paypal_column, true, listing.count_paypal)) {
                        return;
                    }
                    break;
            }
        }
        if (!runner_.enter(listing, outcome_)) {
            return;
        }
        runner_.calculate(outcome_);
        if (solve_ && !outcome_.refused()) {
            solve();
        }
    }

    bool tick(std::string_view cell, std::string_view column, bool if_empty, bool& ticked) {
        const auto value = tick_in(cell, if_empty);
        if (!value) {
            refuse(std::string(column) + ": \"" + std::string(cell) +
                   "\" is not a tick value; write 1 or 0, yes or no, true or false");
            return false;
        }
        ticked = *value;
        return true;
    }

    void refuse(std::string reason) {
        for (std::string& result : outcome_.results) {
            result.clear();
        }
        outcome_.warnings.clear();
        outcome_.error = std::move(reason);
    }

    void solve() {
        const Solution solution = lowest_end_price(runner_, *solve_);
        switch (solution.kind) {
            case Solution::Kind::found:
                solved_ = two_decimal_text(solution.cents);
                break;
            case Solution::Kind::unreachable:
                outcome_.error = "unreachable: no ending price reaches the target";
                break;
            case Solution::Kind::refused:
                outcome_.error = "unreachable: the calculation refuses every ending price";
                break;
        }
    }

    CsvWriter writer_;
    std::optional<Target> solve_;
    ListingRunner runner_;
    std::vector<Column> columns_;
    Outcome outcome_;
    std::string solved_;
    std::string warnings_;
    std::optional<CsvFault> fault_;
};

void report(std::FILE* errors, const CsvFault& fault) {
    std::fprintf(errors, "error: line %zu: %s\n", fault.line, fault.what.c_str());
}

}  // namespace

int run_batch(std::FILE* in, std::FILE* out, std::FILE* errors,
              const std::optional<Target>& solve) {
    Batch batch(out, solve);
    CsvReader reader([&batch](std::span<const std::string> cells, std::size_t line) {
        return batch.row(cells, line);
    });
    const std::optional<CsvFault> fault = reader.read(in);
    batch.finish();
    if (fault && fault->line == 0) {
        std::fprintf(errors, "error: the inventory %s\n", fault->what.c_str());
        return 1;
    }
    if (fault || batch.fault()) {
        report(errors, fault ? *fault : *batch.fault());
        return 1;
    }
    if (!batch.saw_header()) {
        report(errors, CsvFault{1, "the file is empty; it needs a header row naming its columns"});
        return 1;
    }
    return 0;
}

}  // namespace corvandel::cli
