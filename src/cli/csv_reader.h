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

// Where and why a file is not CSV that can be read; line 0 for the file as a whole.
struct CsvFault {
    std::size_t line;
    std::string what;
};

// Streams CSV (RFC 4180: quoted cells may hold the delimiter, quotes doubled and line breaks)
// row by row, with libcsv doing the quoting rules. A UTF-8 byte-order mark before the header is
// dropped; lines may end in \n, \r\n or \r, and are counted right whichever it is. Cells are
// passed exactly as written, blanks included; a line of blanks alone is no row.
class CsvReader {
  public:
    // Called for every row with its cells and the line it starts on; returns false to stop.
    using RowHandler = std::function<bool(std::span<const std::string> cells, std::size_t line)>;

    // With no delimiter, the header's line chooses: a comma, unless it holds none but semicolons
    // or tabs, the more of which it holds separate the cells.
    CsvReader(std::FILE* in, std::optional<char> delimiter);
    ~CsvReader() { csv_free(&parser_); }
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Reads the whole stream: nothing when it was read to its end or the handler stopped it.
    std::optional<CsvFault> read(const RowHandler& on_row);

    char delimiter() const { return delimiter_; }
    bool delimiter_guessed() const { return guessed_; }

  private:
    void fill();
    bool feed(const char* data, std::size_t size);
    static void end_of_cell(void* text, std::size_t length, void* self);
    static void end_of_row(int, void* self);

    std::FILE* in_;
    std::vector<char> buffer_ = std::vector<char>(1 << 16);
    std::size_t buffered_ = 0;
    int read_error_ = 0;
    char delimiter_ = ',';
    bool guessed_ = false;
    csv_parser parser_{};
    const RowHandler* on_row_ = nullptr;
    std::vector<std::string> cells_;
    std::size_t cell_count_ = 0;
    std::size_t line_ = 1;       // the line being fed to the parser
    bool after_return_ = false;  // the last byte fed was a \r
    std::size_t row_line_ = 0;   // the line the current row starts on, 0 before it starts
    std::size_t cell_line_ = 1;  // the line the cell being read starts on, at the latest
    bool stopped_ = false;
};

}  // namespace corvandel::cli
