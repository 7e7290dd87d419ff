#include "cli/batch.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "cli/csv.h"
#include "cli/listing.h"

namespace corvandel::cli {

namespace {

// What a column holds: an input of input_names, a result of result_columns after them, the
// PayPal box said the other way round (no_paypal, as the option says it), or none (passed).
constexpr std::size_t passed = std::size_t(-1);
constexpr std::size_t first_result = input_names.size();
constexpr std::size_t no_paypal = first_result + result_columns.size();
constexpr std::size_t count_paypal = input_of(Control::chk_paypal);

bool is_result(std::size_t column) {
    return column >= first_result && column < no_paypal;
}

std::string_view column_name(std::size_t column) {
    return column < first_result ? input_names[column].column
           : column == no_paypal ? "no_paypal"
                                 : result_columns[column - first_result];
}

// The column a header cell names, normalised: by its own name or by the window's caption for its
// field; or, with `slip`, the one it is a slip of a letter or two from.
std::size_t column_named(const std::string& name, bool slip) {
    for (std::size_t column = 0; column <= no_paypal; ++column) {
        const std::string_view title =
            column < first_result ? field_title(input_names[column].control) : "";
        for (const std::string_view known : {column_name(column), title}) {
            const std::string plain = normalised_name(known);
            if (!plain.empty() && (slip ? is_near(name, plain) : name == plain)) {
                return column;
            }
        }
    }
    return passed;
}

// A tick cell: 1/0, yes/no or true/false in any letter case; an empty one leaves the box as it
// starts. False when the cell is none of these.
bool read_tick(std::string_view cell, std::optional<bool>& tick) {
    const std::string_view word = trimmed(cell);
    for (const auto& [spelling, value] : {std::pair{"1", true},
                                          {"0", false},
                                          {"yes", true},
                                          {"no", false},
                                          {"true", true},
                                          {"false", false}}) {
        tick = is_word_in_any_case(word, spelling) ? std::optional(value) : tick;
    }
    return tick || word.empty();
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
            failed_ = true;
            say(row.line, "error",
                "this row has " + std::to_string(row.cells.size()) +
                    " cells, more than the header's " + std::to_string(columns_.size()) +
                    ": a cell that holds a '" + std::string(1, *delimiter_) +
                    "' (a decimal comma, say) must be in quotes");
            return false;
        }
        // A row of empty cells is no listing: it keeps its place, with nothing calculated.
        const Outcome outcome = blank ? Outcome{} : calculate(row.cells);
        std::string warnings;
        for (const std::string& warning : outcome.warnings) {
            warnings += (warnings.empty() ? "" : "; ") + warning;
        }
        const bool found = outcome.solution && outcome.solution->kind == Solution::Kind::found;
        const std::string solved = found ? two_decimal_text(outcome.solution->cents) : "";
        const auto result = [&](std::size_t slot) -> std::string_view {
            return slot < solved_slot        ? outcome.results[slot]
                   : slot == solved_slot     ? solved
                   : slot == solved_slot + 1 ? warnings
                                             : outcome.error;
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

    // The end of the file or its fault: says why the batch stopped, or counts the rows refused
    // and warned at the line of the first ("3 of 120 rows refused, 2 warned").
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
        std::string counts;
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

    bool holds(std::size_t column) const {
        return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
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
        for (const std::string& text : cells) {
            const std::string name = normalised_name(text);
            const std::size_t column = column_named(name, false);
            const std::size_t meant = column == passed ? column_named(name, true) : passed;
            if (meant != passed) {
                say(1, "warning",
                    "the column \"" + text + "\" is not read; did you mean " +
                        std::string(column_name(meant)) + "?");
            } else if (column != passed && holds(column)) {
                failed_ = true;
                say(1, "error",
                    "two columns name " + std::string(column_name(column)) + "; the second is \"" +
                        text + "\"");
            }
            if (column == passed) {
                unread += (unread.empty() ? "" : ", ") + (text.empty() ? "\"\"" : text);
            }
            cell(columns_.size(), text);
            columns_.push_back(column);
        }
        if (holds(no_paypal) && holds(count_paypal)) {
            failed_ = true;
            say(1, "error",
                "no_paypal and count_paypal both say whether the PayPal fee is counted; keep one");
        }
        if (!failed_ && std::all_of(columns_.begin(), columns_.end(), [](std::size_t column) {
                return column == passed || is_result(column);
            })) {
            failed_ = true;
            std::string names;
            for (std::size_t i = 0; i < first_result; ++i) {
                names += std::string(i == 0 ? "" : ", ") + std::string(column_name(i));
            }
            say(1, "error",
                "no column is read: name them " + names + ", or as the window's captions");
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
            std::optional<bool> tick;
            // An empty pictures cell keeps the start-up value, as an empty tick cell does.
            if (input < text_inputs && (input + 1 < text_inputs || !cells[at].empty())) {
                listing.texts[input] = cells[at];
            } else if ((input >= text_inputs && input < first_result) || input == no_paypal) {
                if (!read_tick(cells[at], tick)) {
                    refused.error =
                        std::string(column_name(input)) + ": \"" + cells[at] +
                        "\" is not a tick value; write 1 or 0, yes or no, true or false";
                    return refused;
                }
                // no_paypal says the PayPal box the other way round.
                const bool inverted = input == no_paypal;
                listing.ticks[(inverted ? count_paypal : input) - text_inputs] =
                    tick ? std::optional(*tick != inverted) : std::nullopt;
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
