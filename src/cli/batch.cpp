#include "cli/batch.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "calc/amount_text.h"
#include "calc/readings.h"
#include "cli/csv.h"
#include "cli/listing.h"

namespace corvandel::cli {

namespace {

// What a column of the file holds: an input of input_names, a result of result_columns, the
// PayPal box said the other way round (no_paypal, as the option says it), or nothing read.
struct Column {
    enum class Of { passed, input, result, no_paypal };
    Of of = Of::passed;
    std::size_t at = 0;  // among input_names or result_columns

    bool operator==(const Column&) const = default;
    bool is_tick() const { return of == Of::no_paypal || (of == Of::input && at >= text_inputs); }
    std::string_view name() const {
        return of == Of::input    ? input_names[at].column
               : of == Of::result ? result_columns[at]
                                  : "no_paypal";
    }
    // Every header it is known by, normalised: its name, the window's caption for its field and
    // the other spellings sellers use.
    std::vector<std::string> spellings() const {
        std::vector<std::string> all{std::string(name())};
        if (of == Of::input) {
            all.push_back(normalised_name(field_title(input_names[at].control)));
            for (std::string_view also = input_names[at].also; !also.empty();) {
                const std::size_t end = std::min(also.find(' '), also.size());
                all.emplace_back(also.substr(0, end));
                also.remove_prefix(std::min(end + 1, also.size()));
            }
        }
        std::erase(all, "");
        return all;
    }
};

constexpr auto known_columns = [] {
    std::array<Column, input_names.size() + result_columns.size() + 1> all{};
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = i < input_names.size() ? Column{Column::Of::input, i}
                 : i + 1 < all.size()   ? Column{Column::Of::result, i - input_names.size()}
                                        : Column{Column::Of::no_paypal};
    }
    return all;
}();

// The column a normalised header names, by any of its spellings; nothing read when none.
Column column_named(const std::string& name) {
    for (const Column& column : known_columns) {
        const auto spellings = column.spellings();
        if (std::find(spellings.begin(), spellings.end(), name) != spellings.end()) {
            return column;
        }
    }
    return {};
}

// The input columns a header that names none may mean: those it is a slip from, or shares a
// word with in any spelling.
std::string near_columns(const std::string& name) {
    std::string near;
    for (const Column& column : known_columns) {
        const auto spellings = column.spellings();
        if (column.of == Column::Of::input &&
            std::any_of(spellings.begin(), spellings.end(), [&](const std::string& spelling) {
                return is_near(name, spelling) || shares_a_word(name, spelling);
            })) {
            near += (near.empty() ? "" : ", ") + std::string(column.name());
        }
    }
    return near;
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
    Batch(const BatchRequest& request, const CsvForm& form, Output& out, std::FILE* errors)
        : request_(request), form_(form), out_(out), errors_(errors) {}

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
                    ": a cell that holds a '" + std::string(1, *form_.delimiter) +
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
            cell(i, columns_[i].of == Column::Of::result ? result(columns_[i].at)
                    : i < row.cells.size()               ? row.cells[i]
                                                         : std::string_view());
        }
        for (std::size_t i = 0; i < appended_.size(); ++i) {
            cell(columns_.size() + i, result(appended_[i]));
        }
        line_ += form_.line_end;
        rows_ += !blank;
        if (outcome.refused() || !outcome.warnings.empty()) {
            ++(outcome.refused() ? refused_ : warned_);
            first_line_ = first_line_ == 0 ? row.line : first_line_;
        }
        return out_.write(line_);
    }

    // The end of the file or its fault: says why the batch stopped, or counts the rows refused
    // and warned at the line of the first ("3 of 120 rows refused, 2 warned").
    int finish(const std::optional<CsvFault>& fault) {
        if (!out_.flush()) {
            return 1;
        }
        if (fault && fault->line == 0) {
            std::fprintf(errors_, "error: cannot read %s: %s\n", request_.name.c_str(),
                         fault->what.c_str());
        } else if (fault) {
            say(fault->line, "error", fault->what + (fault->line == 1 ? delimiter_hint() : ""));
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

    // Where the header may hold cells separated otherwise, the option that reads them so.
    std::string delimiter_hint() const {
        for (const char other : {';', '\t', ','}) {
            if (other != *form_.delimiter && form_.header.find(other) != std::string::npos) {
                return std::string("; if the cells are separated by ") +
                       (other == '\t' ? "tabs, give --delimiter tab"
                                      : "'" + std::string(1, other) + "', give --delimiter '" +
                                            std::string(1, other) + "'");
            }
        }
        return "";
    }

    // Adds a cell to the row being written, after a delimiter unless it is the row's first.
    void cell(std::size_t at, std::string_view text) {
        if (at > 0) {
            line_ += *form_.delimiter;
        }
        append_cell(line_, text, *form_.delimiter);
    }

    bool holds(Column column) const {
        return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
    }

    // Names each column from the header, and writes the header, with a column for each result
    // the file holds none of yet, once every column is accepted: a file refused writes nothing.
    // A header that names no column read but an amount of money, or a slip from a column's name,
    // is refused unless the seller passes it on by name: a cost left out is a wrong profit.
    bool header(const std::vector<std::string>& cells) {
        if (!request_.delimiter && *form_.delimiter != ',') {
            say(1, "note",
                "the header holds no comma: reading cells separated by '" +
                    std::string(1, *form_.delimiter) + "' (--delimiter chooses)");
        }
        std::string unread, replaced;  // the names of the columns passed through, and replaced
        line_ = form_.byte_order_mark ? "\xEF\xBB\xBF" : "";
        for (const std::string& text : cells) {
            const std::string name = normalised_name(text);
            const Column column = column_named(name);
            const std::string near = near_columns(name);
            const bool on_purpose = std::find(request_.passed_on.begin(), request_.passed_on.end(),
                                              name) != request_.passed_on.end();
            if (column.of == Column::Of::passed && !on_purpose &&
                (reads_as_money(name) ||
                 std::any_of(known_columns.begin(), known_columns.end(),
                             [&](const Column& known) { return is_near(name, known.name()); }))) {
                failed_ = true;
                say(1, "error",
                    "the column \"" + text + "\" names no column read" +
                        (near.empty() ? "" : "; did you mean " + near + "?") +
                        " Rename it as a column read, or give --pass-through \"" + text +
                        "\" to pass it on unread" + delimiter_hint());
            } else if (column.of != Column::Of::passed && holds(column)) {
                failed_ = true;
                say(1, "error",
                    "two columns name " + std::string(column.name()) + "; the second is \"" + text +
                        "\"");
            }
            if (column.of == Column::Of::passed || column.of == Column::Of::result) {
                std::string& named = column.of == Column::Of::passed ? unread : replaced;
                named += (named.empty() ? "" : ", ") + (text.empty() ? "\"\"" : text);
            }
            cell(columns_.size(), text);
            columns_.push_back(column);
        }
        if (holds({Column::Of::no_paypal}) &&
            holds({Column::Of::input, input_of(Control::chk_paypal)})) {
            failed_ = true;
            say(1, "error",
                "no_paypal and count_paypal both say whether the PayPal fee is counted; keep one");
        }
        if (!failed_ && std::all_of(columns_.begin(), columns_.end(), [](Column column) {
                return column.of == Column::Of::passed || column.of == Column::Of::result;
            })) {
            failed_ = true;
            std::string names;
            for (std::size_t i = 0; i < input_names.size(); ++i) {
                names += std::string(i == 0 ? "" : ", ") + std::string(input_names[i].column);
            }
            say(1, "error",
                "no column is read: name them " + names + ", or as the window's captions" +
                    delimiter_hint());
        }
        if (failed_) {
            columns_.clear();
            return false;
        }
        if (!unread.empty()) {
            say(1, "note", "not read, passed through: " + unread);
        }
        if (!replaced.empty()) {
            say(1, "note", "replaced by the results of this run: " + replaced);
        }
        for (std::size_t slot = 0; slot < result_columns.size(); ++slot) {
            if (!holds({Column::Of::result, slot}) && (slot != solved_slot || request_.solve)) {
                cell(columns_.size() + appended_.size(), result_columns[slot]);
                appended_.push_back(slot);
            }
        }
        line_ += form_.line_end;
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
            const Column column = columns_[at];
            std::optional<bool> tick;
            // An empty pictures cell keeps the start-up value, as an empty tick cell does.
            if (column.of == Column::Of::input && !column.is_tick() &&
                (column.at + 1 < text_inputs || !cells[at].empty())) {
                listing.texts[column.at] = cells[at];
            } else if (column.is_tick()) {
                if (!read_tick(cells[at], tick)) {
                    refused.error =
                        std::string(column.name()) + ": \"" + cells[at] +
                        "\" is not a tick value; write 1 or 0, yes or no, true or false";
                    return refused;
                }
                // no_paypal says the PayPal box the other way round.
                const bool inverted = column.of == Column::Of::no_paypal;
                listing
                    .ticks[(inverted ? input_of(Control::chk_paypal) : column.at) - text_inputs] =
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
    const CsvForm& form_;  // as read_csv finds it
    Output& out_;
    std::FILE* errors_;
    std::vector<Column> columns_;        // what each column holds
    std::vector<std::size_t> appended_;  // the result slots written after the input's columns
    ListingRunner runner_;
    std::string line_;  // the row being written, written whole
    bool failed_ = false;
    std::size_t rows_ = 0, refused_ = 0, warned_ = 0, first_line_ = 0;
};

}  // namespace

int run_batch(std::FILE* in, const BatchRequest& request, Output& out, std::FILE* errors) {
    CsvForm form{request.delimiter};
    Batch batch(request, form, out, errors);
    // Before each read, which may wait for the input, the rows written so far go out, so that a
    // signal that comes meanwhile can end the program at once.
    return batch.finish(read_csv(
        in, form, [&batch](const CsvRow& row) { return batch.row(row); }, [&out] { out.flush(); }));
}

}  // namespace corvandel::cli
