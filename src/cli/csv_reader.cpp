#include "cli/csv_reader.h"

#include <csv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

namespace corvandel::cli {

namespace {

struct Reader {
    const RowHandler& on_row;
    csv_parser parser{};
    std::vector<std::string> cells;
    std::size_t cell_count = 0;
    std::size_t line = 1;       // the line being fed to the parser
    bool after_return = false;  // the last byte fed was a \r
    std::size_t row_line = 0;   // the line the current row starts on, 0 before it starts
    std::size_t cell_line = 1;  // the line the cell being read starts on, at the latest
    bool stopped = false;

    static void end_of_cell(void* text, std::size_t length, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        if (reader.cell_count == reader.cells.size()) {
            reader.cells.emplace_back();
        }
        reader.cells[reader.cell_count++].assign(static_cast<const char*>(text), length);
        reader.cell_line = reader.line;
    }

    static void end_of_row(int, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        const std::span<const std::string> row(reader.cells.data(), reader.cell_count);
        const bool blank = row.size() == 1 && row[0].find_first_not_of(" \t") == row[0].npos;
        if (!reader.stopped && !blank) {
            reader.stopped = !reader.on_row(row, reader.row_line);
        }
        reader.cell_count = 0;
        reader.row_line = 0;
    }

    // Feeds the parser a line at a time, so that each row knows the line it starts on.
    bool feed(const char* data, const char* end) {
        while (data < end && !stopped) {
            const auto* newline = static_cast<const char*>(std::memchr(data, '\n', end - data));
            const auto* return_ = static_cast<const char*>(
                std::memchr(data, '\r', (newline == nullptr ? end : newline) - data));
            const char* line_end = return_ != nullptr   ? return_
                                   : newline != nullptr ? newline
                                                        : end;
            if (row_line == 0 && line_end != data) {
                row_line = cell_line = line;
            }
            const auto length = static_cast<std::size_t>(std::min(line_end + 1, end) - data);
            if (csv_parse(&parser, data, length, end_of_cell, end_of_row, this) != length) {
                return false;
            }
            // The \n of a \r\n ends no line of its own.
            line += line_end != end && !(*line_end == '\n' && line_end == data && after_return);
            after_return = line_end != end && *line_end == '\r';
            data += length;
        }
        return true;
    }
};

}  // namespace

std::optional<CsvFault> read_csv(std::FILE* in, std::optional<char>& delimiter,
                                 const RowHandler& on_row) {
    std::vector<char> buffer(1 << 16);
    int read_error = 0;
    const auto read_chunk = [&] {
        errno = 0;
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), in);
        read_error = std::ferror(in) ? (errno != 0 ? errno : EIO) : 0;
        return got;
    };
    std::size_t size = read_chunk();
    std::string_view start(buffer.data(), size);
    if (start.starts_with("\xEF\xBB\xBF")) {
        start.remove_prefix(3);
    }
    if (!delimiter) {
        const std::string_view header = start.substr(0, start.find_first_of("\r\n"));
        const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
        delimiter = count(',') > 0 || count(';') + count('\t') == 0 ? ','
                    : count(';') >= count('\t')                     ? ';'
                                                                    : '\t';
    }
    Reader reader{on_row, {}, {}};
    csv_init(&reader.parser, CSV_STRICT | CSV_STRICT_FINI);
    // Cells are taken as written: a blank is part of the text, as in a price field.
    csv_set_space_func(&reader.parser, [](unsigned char) { return 0; });
    csv_set_delim(&reader.parser, static_cast<unsigned char>(*delimiter));
    std::optional<CsvFault> fault;
    for (const char* data = start.data(); size > 0 && !reader.stopped && !fault;
         data = buffer.data(), size = read_chunk()) {
        if (!reader.feed(data, buffer.data() + size)) {
            fault = csv_error(&reader.parser) == CSV_EPARSE
                        ? CsvFault{reader.line,
                                   "a quote in a cell that does not start with one, or text "
                                   "after a cell's closing quote (a cell with quotes is quoted "
                                   "whole, each quote inside it doubled)"}
                        : CsvFault{reader.cell_line, "a cell too large to hold in memory"};
        }
    }
    if (!fault && read_error != 0) {
        fault = CsvFault{0, std::strerror(read_error)};
    } else if (!fault && !reader.stopped &&
               csv_fini(&reader.parser, Reader::end_of_cell, Reader::end_of_row, &reader) != 0) {
        fault =
            CsvFault{reader.cell_line, "a quoted cell is not closed: its closing quote is missing"};
    }
    csv_free(&reader.parser);
    return fault;
}

}  // namespace corvandel::cli
