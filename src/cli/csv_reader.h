#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvandel::cli {

// Where and why a file is not CSV that can be read; line 0 for the file as a whole.
struct CsvFault {
    std::size_t line;
    std::string what;
};

// A row as read: its cells, the line it starts on, and its text as written (the cells and their
// delimiters) when writing its cells again gives the same, every cell quoted that holds the
// delimiter, a quote or a line break and no other; the texts last until the next row is read.
struct CsvRow {
    std::span<const std::string_view> cells;
    std::size_t line;
    std::string_view as_written;
};

// The characters a plain cell cannot hold, by their byte: the delimiter, a quote and the line
// breaks. Reading, they end a cell; writing, a cell that holds one is quoted.
std::array<bool, 256> special_characters(char delimiter);

// Called for every row; returns false to stop.
using RowHandler = std::function<bool(const CsvRow& row)>;

// Streams CSV (RFC 4180: quoted cells may hold the delimiter, quotes doubled and line breaks)
// row by row, with libcsv doing the quoting rules wherever a line needs them. A UTF-8 byte-order
// mark before the header is dropped (every one, where a program wrote it twice); a UTF-16 file
// (with its byte-order mark, or NUL bytes in its first line) is refused before any row. Lines may
// end in \n, \r\n or \r, and are counted right whichever it is. Cells are passed exactly as
// written, blanks included; a line of blanks alone is no row. With no delimiter given, the header's
// line chooses one before the first row is handled: a comma, unless it holds none but semicolons or
// tabs, the more of which it holds (semicolons where there are as many of each). `before_read` is
// called before each read of the stream, which may wait for its input. Nothing comes back when the
// stream was read to its end or the handler stopped it.
std::optional<CsvFault> read_csv(std::FILE* in, std::optional<char>& delimiter,
                                 const RowHandler& on_row,
                                 const std::function<void()>& before_read);

}  // namespace corvandel::cli
