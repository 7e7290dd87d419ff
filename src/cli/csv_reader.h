#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace corvandel::cli {

// Where and why a file is not CSV that can be read; line 0 for the file as a whole.
struct CsvFault {
    std::size_t line;
    std::string what;
};

// Called for every row with its cells and the line it starts on; returns false to stop.
using RowHandler = std::function<bool(std::span<const std::string> cells, std::size_t line)>;

// Streams CSV (RFC 4180: quoted cells may hold the delimiter, quotes doubled and line breaks)
// row by row, with libcsv doing the quoting rules. A UTF-8 byte-order mark before the header is
// dropped; lines may end in \n, \r\n or \r, and are counted right whichever it is. Cells are
// passed exactly as written, blanks included; a line of blanks alone is no row. With no
// delimiter given, the header's line chooses one before the first row is handled: a comma,
// unless it holds none but semicolons or tabs, the more of which it holds. Nothing comes back
// when the stream was read to its end or the handler stopped it.
std::optional<CsvFault> read_csv(std::FILE* in, std::optional<char>& delimiter,
                                 const RowHandler& on_row);

}  // namespace corvandel::cli
