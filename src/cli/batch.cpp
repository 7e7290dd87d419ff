#include "cli/batch.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "calc/amount_text.h"
#include "calc/letter_case.h"
#include "calc/number_text.h"
#include "cli/csv_reader.h"
#include "cli/listing.h"

namespace corvandel::cli {

namespace {

// What a column holds: an input of input_names, a result of result_columns after them, the
// PayPal box said the other way round (no_paypal, as the option says it), or none (passed).
constexpr std::size_t passed = std::size_t(-1);
constexpr std::size_t first_result = input_names.size();
constexpr std::size_t no_paypal = first_result + result_columns.size();
constexpr std::size_t count_paypal = input_names.size() - 1;
static_assert(input_names[count_paypal].control == Control::chk_paypal);

// Every character an amount's text is written with.
constexpr std::string_view amount_characters = "0123456789.-";

std::string_view column_name(std::size_t column) {
    return column < first_result ? input_names[column].column
           : column == no_paypal ? "no_paypal"
                                 : result_columns[column - first_result];
}

// Each column's names, normalised: its own, and the window's caption for its field or box.
const std::vector<std::pair<std::string, std::size_t>>& known_names() {
    static const auto names = [] {
        std::vector<std::pair<std::string, std::size_t>> list;
        for (std::size_t i = 0; i <= no_paypal; ++i) {
            list.emplace_back(normalised_name(column_name(i)), i);
            if (i < first_result && !field_title(input_names[i].control).empty()) {
                list.emplace_back(normalised_name(field_title(input_names[i].control)), i);
            }
        }
        return list;
    }();
    return names;
}

// Whether every cell of a row is empty or blank, as a spreadsheet writes an empty row.
bool is_blank(std::span<const std::string_view> cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](std::string_view cell) { return trimmed(cell).empty(); });
}

// A tick cell: 1/0, yes/no or true/false in any letter case. An empty one leaves the box as it
// starts. False when the cell is none of these.
bool read_tick(std::string_view cell, std::optional<bool>& tick) {
    static constexpr std::pair<std::string_view, bool> spellings[] = {
        {"1", true}, {"0", false}, {"yes", true}, {"no", false}, {"true", true}, {"false", false}};
    // Most cells hold a bare 1 or 0.
    if (cell == "1" || cell == "0") {
        tick = cell == "1";
        return true;
    }
    const std::string_view word = trimmed(cell);
    if (word.empty()) {
        return true;
    }
    for (const auto& [spelling, value] : spellings) {
        if (is_word_in_any_case(word, spelling)) {
            tick = value;
            return true;
        }
    }
    return false;
}

// The header names the columns; every later row is calculated and written in its place.
class Batch {
  public:
    Batch(const BatchRequest& request, const std::optional<char>& delimiter, Output& out,
          std::FILE* errors)
        : request_(request), delimiter_(delimiter), out_(out), errors_(errors) {}

    bool row(const CsvRow& row) {
        const std::span<const std::string_view> cells = row.cells;
        if (columns_.empty()) {
            return header(cells);
        }
        const bool blank = is_blank(cells);
        if (cells.size() > columns_.size() && !blank) {
            say(row.line, "error",
                "this row has " + std::to_string(cells.size()) + " cells, more than the header's " +
                    std::to_string(columns_.size()) + ": a cell that holds a '" +
                    std::string(1, *delimiter_) + "' (a decimal comma, say) must be in quotes");
            failed_ = true;
            return false;
        }
        // A row of empty cells is no listing: it keeps its place, with nothing calculated.
        if (blank) {
            outcome_ = {};
            solved_.clear();
        } else {
            calculate(cells);
        }
        warnings_.clear();
        for (const std::string_view warning : outcome_.warnings) {
            warnings_.append(warnings_.empty() ? "" : "; ").append(warning);
        }
        line_.clear();
        // A whole row of cells that pass through is written as it was read, where that is what
        // writing its cells would give.
        if (cells_pass_through_ && cells.size() == columns_.size() && !row.as_written.empty()) {
            line_ = row.as_written;
        } else {
            for (std::size_t i = 0; i < columns_.size(); ++i) {
                cell(i, is_result(columns_[i]) ? result_text(columns_[i] - first_result)
                        : i < cells.size()     ? cells[i]
                                               : std::string_view());
            }
        }
        // The results after the input's columns; an amount is written as it stands unless the
        // delimiter is a character amounts are written with.
        for (const std::size_t slot : appended_) {
            if (slot <= solved_slot && amounts_need_no_quotes_) {
                line_.append(1, *delimiter_).append(result_text(slot));
            } else {
                cell(columns_.size(), result_text(slot));
            }
        }
        line_ += '\n';
        ++rows_;
        if (outcome_.refused() || !outcome_.warnings.empty()) {
            ++(outcome_.refused() ? refused_ : warned_);
            first_line_ = first_line_ == 0 ? row.line : first_line_;
        }
        return out_.write(line_) && Output::signal_caught() == 0;
    }

    int finish(const std::optional<CsvFault>& fault) {
        if (!out_.flush() || Output::signal_caught() != 0) {
            return 1;
        }
        if (fault && fault->line == 0) {
            std::fprintf(errors_, "error: cannot read %s: %s\n", request_.name.c_str(),
                         fault->what.c_str());
        } else if (fault) {
            say(fault->line, "error", fault->what);
        } else if (columns_.empty() && !failed_) {
            say(1, "error", "the file is empty; it needs a header row naming its columns");
        }
        if (fault || failed_ || columns_.empty()) {
            return 1;
        }
        std::string counts;  // "3 of 120 rows refused, 2 warned"
        for (const auto& [count, what] :
             {std::pair{refused_, "refused"}, std::pair{warned_, "warned"}}) {
            if (count > 0) {
                counts += (counts.empty() ? "" : ", ") + std::to_string(count) +
                          (counts.empty() ? " of " + std::to_string(rows_) + " rows " : " ") + what;
            }
        }
        if (!counts.empty()) {
            say(first_line_, refused_ > 0 ? "error" : "warning",
                counts + "; see the " +
                    (refused_ == 0  ? "warnings column"
                     : warned_ == 0 ? "error column"
                                    : "error and warnings columns"));
        }
        return refused_ > 0 ? 1 : 0;
    }

  private:
    static bool is_result(std::size_t column) {
        return column >= first_result && column < no_paypal;
    }

    // The text of a result column of result_columns for the row just calculated.
    std::string_view result_text(std::size_t slot) const {
        if (slot < solved_slot) {
            return outcome_.results[slot];
        }
        const std::array<std::string_view, 3> after_results{solved_, warnings_, outcome_.error};
        return after_results[slot - solved_slot];
    }

    void say(std::size_t line, const char* severity, const std::string& what) {
        std::fprintf(errors_, "%s:%zu: %s: %s\n", request_.name.c_str(), line, severity,
                     what.c_str());
    }

    // Adds a cell to the line, after a delimiter unless it is the row's first; libcsv quotes one
    // that holds the delimiter, a quote or a line break.
    void cell(std::size_t at, std::string_view text) {
        if (at > 0) {
            line_ += *delimiter_;
        }
        for (const char c : text) {
            if (needs_quotes_[static_cast<unsigned char>(c)]) {
                const std::size_t start = line_.size();
                line_.resize(start + csv_write(nullptr, 0, text.data(), text.size()));
                csv_write(line_.data() + start, line_.size() - start, text.data(), text.size());
                return;
            }
        }
        line_.append(text);
    }

    // Names each column from the header, and writes the header, with a column for each result
    // the file holds none of yet, once every column is accepted: a file refused writes nothing.
    bool header(std::span<const std::string_view> cells) {
        needs_quotes_ = special_characters(*delimiter_);
        amounts_need_no_quotes_ =
            std::none_of(amount_characters.begin(), amount_characters.end(),
                         [this](char c) { return needs_quotes_[static_cast<unsigned char>(c)]; });
        if (!request_.delimiter && *delimiter_ != ',') {
            say(1, "note",
                "the header holds no comma: reading cells separated by '" +
                    std::string(1, *delimiter_) + "' (--delimiter chooses)");
        }
        std::string unread;  // the names of the columns passed through
        line_.clear();
        for (const std::string_view text : cells) {
            const std::string name = normalised_name(text);
            const auto known = std::find_if(known_names().begin(), known_names().end(),
                                            [&](const auto& k) { return k.first == name; });
            const std::size_t column = known == known_names().end() ? passed : known->second;
            const auto meant = std::find_if(
                known_names().begin(), known_names().end(),
                [&](const auto& k) { return column == passed && is_near(name, k.first); });
            if (meant != known_names().end()) {
                say(1, "warning",
                    "the column \"" + std::string(text) + "\" is not read; did you mean " +
                        std::string(column_name(meant->second)) + "?");
            } else if (column != passed &&
                       std::find(columns_.begin(), columns_.end(), column) != columns_.end()) {
                say(1, "error",
                    "two columns name " + std::string(column_name(column)) + "; the second is \"" +
                        std::string(text) + "\"");
                failed_ = true;
            }
            if (column == passed) {
                unread += (unread.empty() ? "" : ", ") +
                          (text.empty() ? std::string("\"\"") : std::string(text));
            }
            cell(columns_.size(), text);
            columns_.push_back(column);
        }
        const auto holds = [this](std::size_t column) {
            return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
        };
        if (holds(no_paypal) && holds(count_paypal)) {
            say(1, "error",
                "no_paypal and count_paypal both say whether the PayPal fee is counted; keep one");
            failed_ = true;
        }
        if (!failed_ && std::none_of(columns_.begin(), columns_.end(), [](std::size_t column) {
                return column != passed && !is_result(column);
            })) {
            std::string names;
            for (std::size_t i = 0; i < first_result; ++i) {
                names += std::string(i == 0 ? "" : ", ") + std::string(column_name(i));
            }
            say(1, "error",
                "no column is read: name them " + names + ", or as the window's captions");
            failed_ = true;
        }
        if (failed_) {
            columns_.clear();
            return false;
        }
        if (!unread.empty()) {
            say(1, "note", "not read, passed through: " + unread);
        }
        cells_pass_through_ = std::none_of(columns_.begin(), columns_.end(),
                                           [](std::size_t c) { return is_result(c); });
        for (std::size_t at = 0; at < columns_.size(); ++at) {
            if (columns_[at] < text_inputs) {
                text_cells_.emplace_back(at, columns_[at]);
            } else if (columns_[at] < first_result || columns_[at] == no_paypal) {
                tick_cells_.emplace_back(at, columns_[at]);
            }
        }
        for (std::size_t slot = 0; slot < result_columns.size(); ++slot) {
            if (!holds(first_result + slot) && (slot != solved_slot || request_.solve)) {
                cell(columns_.size() + appended_.size(), result_columns[slot]);
                appended_.push_back(slot);
            }
        }
        line_ += '\n';
        return out_.write(line_);
    }

    void calculate(std::span<const std::string_view> cells) {
        solved_.clear();
        if (cells.size() < columns_.size()) {
            return outcome_.refuse(
                "this row has " + std::to_string(cells.size()) +
                " cells, fewer than the header's " + std::to_string(columns_.size()) +
                ": a missing cell is not an empty one, so nothing was calculated");
        }
        // Every row sets the same inputs of the listing, so only those are set again.
        for (const auto& [at, input] : text_cells_) {
            // An empty pictures cell keeps the start-up value, as an empty tick cell does.
            auto& text = listing_.texts[input];
            text = input + 1 < text_inputs || !cells[at].empty() ? std::optional(cells[at])
                                                                 : std::nullopt;
        }
        listing_.ticks_given = 0;
        for (const auto& [at, input] : tick_cells_) {
            std::optional<bool> tick;
            if (!read_tick(cells[at], tick)) {
                return outcome_.refuse(
                    std::string(column_name(input)) + ": \"" + std::string(cells[at]) +
                    "\" is not a tick value; write 1 or 0, yes or no, true or false");
            }
            if (tick) {
                // no_paypal says the PayPal box the other way round.
                listing_.set_tick(
                    input == no_paypal ? count_paypal - text_inputs : input - text_inputs,
                    *tick != (input == no_paypal));
            }
        }
        if (!runner_.enter(listing_, outcome_)) {
            return;
        }
        runner_.calculate(outcome_);
        if (!request_.solve || outcome_.refused()) {
            return;
        }
        outcome_.keep(kept_);  // the search calculates again on the same window
        const Solution solution = lowest_end_price(runner_, *request_.solve);
        if (solution.kind == Solution::Kind::found) {
            solved_ = two_decimal_text(solution.cents);
        } else if (solution.kind == Solution::Kind::unreachable) {
            outcome_.error = "unreachable: no ending price reaches the target";
        } else {
            runner_.read_outcome(outcome_);  // why the calculation refuses every ending price
        }
    }

    const BatchRequest& request_;
    const std::optional<char>& delimiter_;  // as read_csv chooses it
    Output& out_;
    std::FILE* errors_;
    std::vector<std::size_t> columns_;   // what each column holds
    std::vector<std::size_t> appended_;  // the result slots written after the input's columns
    // Where the listing's texts and ticks are, as a cell and its input: each row takes them
    // from there, with no look at the columns that pass.
    std::vector<std::pair<std::size_t, std::size_t>> text_cells_, tick_cells_;
    Listing listing_;  // the row's inputs, as their cells give them
    ListingRunner runner_;
    Outcome outcome_;
    std::string solved_, warnings_;
    std::string line_;                      // the row being written, written whole
    std::vector<std::string> kept_;         // the outcome's texts, while a search runs
    std::array<bool, 256> needs_quotes_{};  // by character, looked up for each one written
    bool amounts_need_no_quotes_ = true;
    bool failed_ = false;
    bool cells_pass_through_ = false;  // no column holds results already
    std::size_t rows_ = 0, refused_ = 0, warned_ = 0, first_line_ = 0;
};

}  // namespace

int run_batch(std::FILE* in, const BatchRequest& request, Output& out, std::FILE* errors) {
    std::optional<char> delimiter = request.delimiter;
    Batch batch(request, delimiter, out, errors);
    // Before each read, which may wait for the input, the rows written so far go out, so that a
    // signal that comes meanwhile can end the program at once.
    return batch.finish(read_csv(
        in, delimiter, [&batch](const CsvRow& row) { return batch.row(row); },
        [&out] { out.flush(); }));
}

}  // namespace corvandel::cli
