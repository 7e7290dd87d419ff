#pragma once

#include <csv.h>

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvandel::cli {

// Where and why a file is not CSV that can be read.
struct CsvFault {
    std::size_t line;
    std::string what;
};

// Streams CSV (RFC 4180: quoted cells may hold commas, quotes doubled and line breaks) row by
// row, with libcsv doing the quoting rules. Cells are passed exactly as written, blanks
// included. Blank lines are no rows. It remembers the line each row starts on, so that a fault
// can be named by its line.
class CsvReader {
  public:
    // Called for every row with its cells and the line it starts on; returns false to stop.
    using RowHandler = std::function<bool(std::span<const std::string> cells, std::size_t line)>;

    explicit CsvReader(RowHandler on_row);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Reads the whole stream. Nothing when it was read to its end (or the handler stopped it),
    // else the fault.
    std::optional<CsvFault> read(std::FILE* in);

  private:
    static void end_of_cell(void* text, std::size_t size, void* self);
    static void end_of_row(int terminator, void* self);
    std::optional<CsvFault> fault_of_unreadable_quoting();

    csv_parser parser_{};
    RowHandler on_row_;
    std::vector<std::string> cells_;
    std::size_t cell_count_ = 0;
    std::size_t line_ = 1;       // the line being fed to the parser
    std::size_t row_line_ = 0;   // the line the current row starts on, 0 before its first cell
    std::size_t cell_line_ = 1;  // the line the cell being read starts on, at the latest
    bool stopped_ = false;
};

}  // namespace corvandel::cli
