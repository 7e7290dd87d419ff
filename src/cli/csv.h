#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvandel::cli {

// Where and why a file is not CSV that can be read; line 0 for the file as a whole.
struct CsvFault {
    std::size_t line;
    std::string what;
};

// A row as read: its cells, and the line it starts on.
struct CsvRow {
    std::vector<std::string> cells;
    std::size_t line = 0;
};

// Called for every row; returns false to stop.
using RowHandler = std::function<bool(const CsvRow& row)>;

// How a file is written, as its start shows it: the character between cells, whether a
// byte-order mark starts it, how its header's line ends, and that line (as far as it was read).
struct CsvForm {
    std::optional<char> delimiter;
    bool byte_order_mark = false;
    std::string line_end = "\n";
    std::string header = {};
};

// The most a row may take, its line breaks within quotes included: a file without line breaks
// (or with a quote never closed) is refused there, not held in memory whole.
inline constexpr std::size_t longest_row_mib = 1;
inline constexpr std::size_t longest_row = longest_row_mib << 20;
inline const std::string longest_row_text = std::to_string(longest_row_mib) + " MiB";

// Reads CSV (RFC 4180) row by row with libcsv, the rows handed on as the input comes, its cells
// exactly as written, blanks included. Byte-order marks before the header are dropped; a file
// whose first line holds NUL bytes or starts with a UTF-16 mark is refused as UTF-16. Lines may
// end in \n, \r\n or \r, and are counted right whichever it is; blank lines before the header
// are skipped, and after it each is a row of its own (of no cells where it is empty). With no
// delimiter given, the header's line chooses one from what it holds outside quotes: a comma,
// unless it holds none but semicolons or tabs, the more of which it holds (semicolons where as
// many). `before_read` is called before each read, which may wait for the input. Nothing comes
// back when the stream was read to its end or the handler stopped it.
std::optional<CsvFault> read_csv(std::FILE* in, CsvForm& form, const RowHandler& on_row,
                                 const std::function<void()>& before_read);

// Adds a cell to a row being written: as it is, or quoted by libcsv where it holds the delimiter,
// a quote or a line break.
void append_cell(std::string& row, std::string_view cell, char delimiter);

}  // namespace corvandel::cli
