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

// What a column holds: an input of input_names, a result of result_columns after them, or
// neither (passed).
constexpr std::size_t passed = std::size_t(-1);
constexpr std::size_t first_result = input_names.size();

// Every character an amount's text is written with.
constexpr std::string_view amount_characters = "0123456789.-";

std::string_view column_name(std::size_t column) {
    return column < first_result ? input_names[column].column
                                 : result_columns[column - first_result];
}

// A header cell as it is compared: in lower case, without blanks around it, and with each run of
// blanks, hyphens and underscores made one underscore ("Buy-It-Now Price" is buy_it_now_price).
std::string normalised(std::string_view name) {
    std::string plain;
    for (const char c : lower_case(trimmed(name))) {
        const bool gap = c == ' ' || c == '\t' || c == '-' || c == '_';
        if (!gap || plain.empty() || plain.back() != '_') {
            plain += gap ? '_' : c;
        }
    }
    return plain;
}

// Each column's names, normalised: its own, and the window's caption for its field or box.
const std::vector<std::pair<std::string, std::size_t>>& known_names() {
    static const auto names = [] {
        std::vector<std::pair<std::string, std::size_t>> list;
        for (std::size_t i = 0; i < first_result + result_columns.size(); ++i) {
            list.emplace_back(normalised(column_name(i)), i);
            if (i < first_result && !field_title(input_names[i].control).empty()) {
                list.emplace_back(normalised(field_title(input_names[i].control)), i);
            }
        }
        return list;
    }();
    return names;
}

// How many letters must be added, dropped or changed to make one name the other.
std::size_t edits_between(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        for (std::size_t j = 0; j <= b.size(); ++j) {
            d[i][j] = i == 0 || j == 0 ? i + j
                                       : std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                                   d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
        }
    }
    return d[a.size()][b.size()];
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
        if (cells.size() > columns_.size()) {
            say(row.line, "error",
                "this row has " + std::to_string(cells.size()) + " cells, more than the header's " +
                    std::to_string(columns_.size()) + ": a cell that holds a '" +
                    std::string(1, *delimiter_) + "' (a decimal comma, say) must be in quotes");
            failed_ = true;
            return false;
        }
        calculate(cells);
        warnings_.clear();
        for (const std::string_view warning : outcome_.warnings) {
            warnings_.append(warnings_.empty() ? "" : "; ").append(warning);
        }
        // A whole row of cells that pass through is written as it was read, where that is what
        // writing its cells would give.
        if (cells_pass_through_ && cells.size() == columns_.size() && !row.as_written.empty()) {
            out_.write(row.as_written);
        } else {
            for (std::size_t i = 0; i < columns_.size(); ++i) {
                cell(i, columns_[i] >= first_result && columns_[i] != passed
                            ? result_text(columns_[i] - first_result)
                        : i < cells.size() ? cells[i]
                                           : std::string_view());
            }
        }
        // The results after the input's columns; an amount is written as it stands unless the
        // delimiter is a character amounts are written with.
        for (const std::size_t slot : appended_) {
            if (slot <= solved_slot && amounts_need_no_quotes_) {
                out_.put(*delimiter_);
                out_.write(result_text(slot));
            } else {
                cell(columns_.size(), result_text(slot));
            }
        }
        ++rows_;
        if (outcome_.refused() || !outcome_.warnings.empty()) {
            ++(outcome_.refused() ? refused_ : warned_);
            first_line_ = first_line_ == 0 ? row.line : first_line_;
        }
        return out_.write("\n");
    }

    int finish(const std::optional<CsvFault>& fault) {
        if (!out_.flush()) {
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

    // Writes a cell, after a delimiter unless it is the row's first; libcsv quotes one that holds
    // the delimiter, a quote or a line break.
    void cell(std::size_t at, std::string_view text) {
        if (at > 0) {
            out_.put(*delimiter_);
        }
        for (const char c : text) {
            if (needs_quotes_[static_cast<unsigned char>(c)]) {
                quoted_.resize(csv_write(nullptr, 0, text.data(), text.size()));
                csv_write(quoted_.data(), quoted_.size(), text.data(), text.size());
                out_.write(quoted_);
                return;
            }
        }
        out_.write(text);
    }

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
        bool reads_any = false;
        for (const std::string_view text : cells) {
            const std::string name = normalised(text);
            const auto known = std::find_if(known_names().begin(), known_names().end(),
                                            [&](const auto& k) { return k.first == name; });
            const std::size_t column = known == known_names().end() ? passed : known->second;
            // A cell a slip of a letter or two from a name, not a column of its own, is told of.
            const auto meant =
                std::find_if(known_names().begin(), known_names().end(), [&](const auto& k) {
                    const std::size_t slips = k.first.size() > 4 ? 2 : 1;
                    return column == passed &&
                           std::max(name.size(), k.first.size()) <=
                               std::min(name.size(), k.first.size()) + slips &&
                           edits_between(name, k.first) <= slips;
                });
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
            reads_any = reads_any || column < first_result;
            cell(columns_.size(), text);
            columns_.push_back(column);
        }
        if (!reads_any && !failed_) {
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
        cells_pass_through_ = std::none_of(columns_.begin(), columns_.end(), [](std::size_t c) {
            return c >= first_result && c != passed;
        });
        for (std::size_t at = 0; at < columns_.size(); ++at) {
            if (columns_[at] < text_inputs) {
                text_cells_.emplace_back(at, columns_[at]);
            } else if (columns_[at] < first_result) {
                tick_cells_.emplace_back(at, columns_[at]);
            }
        }
        for (std::size_t slot = 0; slot < result_columns.size(); ++slot) {
            if (std::find(columns_.begin(), columns_.end(), first_result + slot) ==
                    columns_.end() &&
                (slot != solved_slot || request_.solve)) {
                cell(columns_.size() + appended_.size(), result_columns[slot]);
                appended_.push_back(slot);
            }
        }
        return out_.write("\n");
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
                listing_.set_tick(input - text_inputs, *tick);
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
    std::string solved_, warnings_, quoted_;
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
    return batch.finish(
        read_csv(in, delimiter, [&batch](const CsvRow& row) { return batch.row(row); }));
}

}  // namespace corvandel::cli
