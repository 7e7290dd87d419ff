#include "cli/batch.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <thread>
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

// Calculates rows and writes each, its cells as they came, then what was calculated.
class RowCalculator {
  public:
    RowCalculator(const std::vector<Column>& columns, const std::optional<Target>& solve)
        : columns_(columns), solve_(solve) {}

    void write(std::span<const std::string> cells, CsvWriter& writer) {
        calculate(cells);
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            writer.cell(i < cells.size() ? std::string_view(cells[i]) : std::string_view());
        }
        for (const std::string& result : outcome_.results) {
            writer.cell(result);
        }
        if (solve_) {
            writer.cell(solved_);
        }
        warnings_.clear();
        for (const std::string& warning : outcome_.warnings) {
            if (!warnings_.empty()) {
                warnings_ += warning_separator;
            }
            warnings_ += warning;
        }
        writer.cell(warnings_);
        writer.cell(outcome_.error);
        writer.end_row();
    }

  private:
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

    const std::vector<Column>& columns_;
    std::optional<Target> solve_;
    ListingRunner runner_;
    Outcome outcome_;
    std::string solved_;
    std::string warnings_;
};

// Rows calculated by several threads, a chunk of rows at a time, and written in the order they
// came. Only a few chunks are under way at once, so memory stays flat whatever the file's size.
class ParallelRows {
  public:
    ParallelRows(std::size_t jobs, const std::vector<Column>& columns,
                 const std::optional<Target>& solve, CsvWriter& writer)
        : writer_(writer), most_under_way_(2 * jobs) {
        for (std::size_t i = 0; i < jobs; ++i) {
            workers_.emplace_back([this, &columns, solve] { work(columns, solve); });
        }
    }
    ParallelRows(const ParallelRows&) = delete;
    ParallelRows& operator=(const ParallelRows&) = delete;
    ~ParallelRows() { finish(); }

    void add(std::span<const std::string> cells) {
        filling_->rows.emplace_back(cells.begin(), cells.end());
        if (filling_->rows.size() == chunk_rows) {
            send();
        }
    }

    // Writes every row added, once calculated, and ends the threads.
    void finish() {
        if (workers_.empty()) {
            return;
        }
        if (!filling_->rows.empty()) {
            send();
        }
        while (!under_way_.empty()) {
            write_oldest();
        }
        {
            const std::lock_guard lock(mutex_);
            closing_ = true;
        }
        work_waiting_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
        workers_.clear();
    }

  private:
    static constexpr std::size_t chunk_rows = 1024;

    struct Chunk {
        std::vector<std::vector<std::string>> rows;
        std::string csv;
        bool done = false;
    };

    void send() {
        if (under_way_.size() == most_under_way_) {
            write_oldest();
        }
        {
            const std::lock_guard lock(mutex_);
            under_way_.push_back(std::move(filling_));
            waiting_.push_back(under_way_.back().get());
        }
        work_waiting_.notify_one();
        filling_ = std::make_unique<Chunk>();
    }

    void write_oldest() {
        std::unique_ptr<Chunk> oldest;
        {
            std::unique_lock lock(mutex_);
            chunk_done_.wait(lock, [this] { return under_way_.front()->done; });
            oldest = std::move(under_way_.front());
            under_way_.pop_front();
        }
        writer_.rows(oldest->csv);
    }

    void work(const std::vector<Column>& columns, const std::optional<Target>& solve) {
        RowCalculator calculator(columns, solve);
        while (true) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock lock(mutex_);
                work_waiting_.wait(lock, [this] { return closing_ || !waiting_.empty(); });
                if (waiting_.empty()) {
                    return;
                }
                chunk = waiting_.front();
                waiting_.pop_front();
            }
            CsvWriter csv;
            for (const std::vector<std::string>& row : chunk->rows) {
                calculator.write(row, csv);
            }
            {
                const std::lock_guard lock(mutex_);
                chunk->csv = csv.take_text();
                chunk->done = true;
            }
            chunk_done_.notify_one();
        }
    }

    CsvWriter& writer_;
    const std::size_t most_under_way_;
    std::unique_ptr<Chunk> filling_ = std::make_unique<Chunk>();
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable work_waiting_;
    std::condition_variable chunk_done_;
    // Sent and not yet written, oldest first; changed by the reading thread alone, under the mutex.
    std::deque<std::unique_ptr<Chunk>> under_way_;
    // Sent and not yet taken by a thread; guarded by the mutex, as are the chunks' results.
    std::deque<Chunk*> waiting_;
    bool closing_ = false;  // guarded by the mutex
};

// The header names the columns; every later row is checked against it and calculated, on this
// thread or, with more than one job, on others.
class Batch {
  public:
    Batch(std::FILE* out, const std::optional<Target>& solve, std::size_t jobs)
        : writer_(out), solve_(solve), jobs_(jobs) {}

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
        if (parallel_rows_) {
            parallel_rows_->add(cells);
        } else {
            rows_->write(cells, writer_);
        }
        return true;
    }

    const std::optional<CsvFault>& fault() const { return fault_; }
    void finish() {
        if (parallel_rows_) {
            parallel_rows_->finish();
        }
        writer_.flush();
    }
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
        if (jobs_ > 1) {
            parallel_rows_ = std::make_unique<ParallelRows>(jobs_, columns_, solve_, writer_);
        } else {
            rows_ = std::make_unique<RowCalculator>(columns_, solve_);
        }
        return true;
    }

    CsvWriter writer_;
    std::optional<Target> solve_;
    std::size_t jobs_;
    std::vector<Column> columns_;
    std::unique_ptr<RowCalculator> rows_;
    std::unique_ptr<ParallelRows> parallel_rows_;
    std::optional<CsvFault> fault_;
};

void report(std::FILE* errors, const CsvFault& fault) {
    std::fprintf(errors, "error: line %zu: %s\n", fault.line, fault.what.c_str());
}

}  // namespace

int run_batch(std::FILE* in, std::FILE* out, std::FILE* errors, const std::optional<Target>& solve,
              std::size_t jobs) {
    Batch batch(out, solve, jobs);
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
