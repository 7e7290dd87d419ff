#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/amount_text.h"
#include "calc/letter_case.h"
#include "calc/number_text.h"
#include "cli/csv.h"
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

bool is_result(std::size_t column) {
    return column >= first_result && column < no_paypal;
}

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

// A tick cell: 1/0, yes/no or true/false in any letter case. An empty one leaves the box as it
// starts. False when the cell is none of these.
bool read_tick(std::string_view cell, std::optional<bool>& tick) {
    static constexpr std::pair<std::string_view, bool> spellings[] = {
        {"1", true}, {"0", false}, {"yes", true}, {"no", false}, {"true", true}, {"false", false}};
    const std::string_view word = trimmed(cell);
    for (const auto& [spelling, value] : spellings) {
        if (is_word_in_any_case(word, spelling)) {
            tick = value;
        }
    }
    return tick || word.empty();
}

// The text of a result column of result_columns for a row: the solved price and the warnings
// are made for it into `solved` and `warnings`.
std::string_view result_text(const Outcome& outcome, std::size_t slot, std::string& solved,
                             std::string& warnings) {
    if (slot < solved_slot) {
        return outcome.results[slot];
    }
    if (slot == solved_slot) {
        const bool found = outcome.solution && outcome.solution->kind == Solution::Kind::found;
        return solved = found ? two_decimal_text(outcome.solution->cents) : std::string();
    }
    if (slot == solved_slot + 1) {
        warnings.clear();
        for (const std::string& warning : outcome.warnings) {
            warnings += (warnings.empty() ? "" : "; ") + warning;
        }
        return warnings;
    }
    return outcome.error;
}

// The header names the columns; every later row is calculated and written in its place.
class Batch {
  public:
    Batch(const BatchRequest& request, const std::optional<char>& delimiter, Output& out,
          std::FILE* errors)
        : request_(request), delimiter_(delimiter), out_(out), errors_(errors) {}

    bool row(const CsvRow& row) {
        if (columns_.empty()) {
            return header(row.cells);
        }
        const bool blank = std::all_of(row.cells.begin(), row.cells.end(),
                                       [](std::string_view cell) { return trimmed(cell).empty(); });
        if (row.cells.size() > columns_.size() && !blank) {
            say(row.line, "error",
                "this row has " + std::to_string(row.cells.size()) +
                    " cells, more than the header's " + std::to_string(columns_.size()) +
                    ": a cell that holds a '" + std::string(1, *delimiter_) +
                    "' (a decimal comma, say) must be in quotes");
            failed_ = true;
            return false;
        }
        // A row of empty cells is no listing: it keeps its place, with nothing calculated.
        const Outcome outcome = blank ? Outcome{} : calculate(row.cells);
        std::string solved, warnings;
        const auto result = [&](std::size_t slot) {
            return result_text(outcome, slot, solved, warnings);
        };
        line_.clear();
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            cell(i, is_result(columns_[i]) ? result(columns_[i] - first_result)
                    : i < row.cells.size() ? row.cells[i]
                                           : std::string_view());
        }
        for (std::size_t i = 0; i < appended_.size(); ++i) {
            cell(columns_.size() + i, result(appended_[i]));
        }
        line_ += '\n';
        ++rows_;
        if (outcome.refused() || !outcome.warnings.empty()) {
            ++(outcome.refused() ? refused_ : warned_);
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
    void say(std::size_t line, const char* severity, const std::string& what) {
        std::fprintf(errors_, "%s:%zu: %s: %s\n", request_.name.c_str(), line, severity,
                     what.c_str());
    }

    // Adds a cell to the row being written, after a delimiter unless it is the row's first.
    void cell(std::size_t at, std::string_view text) {
        if (at > 0) {
            line_ += *delimiter_;
        }
        append_cell(line_, text, *delimiter_);
    }

    // Names each column from the header, and writes the header, with a column for each result
    // the file holds none of yet, once every column is accepted: a file refused writes nothing.
    bool header(const std::vector<std::string>& cells) {
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
            } else if (column != passed && holds(column)) {
                say(1, "error",
                    "two columns name " + std::string(column_name(column)) + "; the second is \"" +
                        std::string(text) + "\"");
                failed_ = true;
            }
            if (column == passed) {
                unread +=
                    (unread.empty() ? "" : ", ") + (text.empty() ? "\"\"" : std::string(text));
            }
            cell(columns_.size(), text);
            columns_.push_back(column);
        }
        if (holds(no_paypal) && holds(count_paypal)) {
            say(1, "error",
                "no_paypal and count_paypal both say whether the PayPal fee is counted; keep one");
            failed_ = true;
        }
        if (!failed_ && std::all_of(columns_.begin(), columns_.end(), [](std::size_t column) {
                return column == passed || is_result(column);
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
        for (std::size_t slot = 0; slot < result_columns.size(); ++slot) {
            if (!holds(first_result + slot) && (slot != solved_slot || request_.solve)) {
                cell(columns_.size() + appended_.size(), result_columns[slot]);
                appended_.push_back(slot);
            }
        }
        line_ += '\n';
        return out_.write(line_);
    }

    bool holds(std::size_t column) const {
        return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
    }

    // The row as a listing, entered and calculated.
    Outcome calculate(const std::vector<std::string>& cells) {
        Outcome refused;
        if (cells.size() < columns_.size()) {
            refused.error = "this row has " + std::to_string(cells.size()) +
                            " cells, fewer than the header's " + std::to_string(columns_.size()) +
                            ": a missing cell is not an empty one, so nothing was calculated";
            return refused;
        }
        Listing listing;
        for (std::size_t at = 0; at < columns_.size(); ++at) {
            const std::size_t input = columns_[at];
            if (input < text_inputs) {
                // An empty pictures cell keeps the start-up value, as an empty tick cell does.
                if (input + 1 < text_inputs || !cells[at].empty()) {
                    listing.texts[input] = cells[at];
                }
            } else if (input < first_result || input == no_paypal) {
                std::optional<bool> tick;
                if (!read_tick(cells[at], tick)) {
                    refused.error =
                        std::string(column_name(input)) + ": \"" + std::string(cells[at]) +
                        "\" is not a tick value; write 1 or 0, yes or no, true or false";
                    return refused;
                }
                // no_paypal says the PayPal box the other way round.
                listing
                    .ticks[input == no_paypal ? count_paypal - text_inputs : input - text_inputs] =
                    tick ? std::optional(*tick != (input == no_paypal)) : std::nullopt;
            }
        }
        Outcome outcome = runner_.run(listing, request_.solve);
        if (outcome.solution && outcome.solution->kind == Solution::Kind::unreachable) {
            outcome.error = "unreachable: no ending price reaches the target";
        }
        return outcome;
    }

    const BatchRequest& request_;
    const std::optional<char>& delimiter_;  // as read_csv chooses it
    Output& out_;
    std::FILE* errors_;
    std::vector<std::size_t> columns_;   // what each column holds
    std::vector<std::size_t> appended_;  // the result slots written after the input's columns
    ListingRunner runner_;
    std::string line_;  // the row being written, written whole
    bool failed_ = false;
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
