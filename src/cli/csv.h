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

// Reads CSV (RFC 4180) row by row with libcsv, the rows handed on as the input comes, its cells
// exactly as written, blanks included. Byte-order marks before the header are dropped; a UTF-16
// file is refused. Lines may end in \n, \r\n or \r, and are counted right whichever it is; a line
// of blanks is no row. With no delimiter given, the header's line chooses one: a comma, unless it
// holds none but semicolons or tabs, the more of which it holds (semicolons where as many).
// `before_read` is called before each read, which may wait for the input. Nothing comes back when
// the stream was read to its end or the handler stopped it.
std::optional<CsvFault> read_csv(std::FILE* in, std::optional<char>& delimiter,
                                 const RowHandler& on_row,
                                 const std::function<void()>& before_read);

// Adds a cell to a row being written: as it is, or quoted by libcsv where it holds the delimiter,
// a quote or a line break.
void append_cell(std::string& row, std::string_view cell, char delimiter);

}  // namespace corvandel::cli
