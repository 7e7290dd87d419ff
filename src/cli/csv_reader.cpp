#include "cli/csv_reader.h"

#include <csv.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <span>
#include <vector>

namespace corvandel::cli {

namespace {

constexpr const char* utf16_refused = "the file is UTF-16; save it as CSV UTF-8";

// Whether a header is a UTF-16 text read byte by byte: it begins with a UTF-16 byte-order mark,
// or holds NUL bytes, which no header typed as UTF-8 holds.
bool is_utf16(std::span<const std::string_view> header) {
    return header[0].starts_with("\xFF\xFE") || header[0].starts_with("\xFE\xFF") ||
           std::any_of(header.begin(), header.end(), [](std::string_view cell) {
               return cell.find('\0') != std::string_view::npos;
           });
}

// A text without the UTF-8 byte-order marks it begins with: one that begins a file says how the
// file is written, and is no part of the first cell, wherever a program put it and however many.
std::string_view without_byte_order_marks(std::string_view text) {
    while (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return text;
}

const char* find(const char* from, const char* end, char c) {
    const auto* found = static_cast<const char*>(std::memchr(from, c, end - from));
    return found == nullptr ? end : found;
}

struct Reader {
    const RowHandler& on_row;
    char delimiter;
    // What ends a cell that is not quoted: the delimiter and a line break, and a quote stops
    // the split.
    const std::array<bool, 256> ends_plain_cell;
    csv_parser parser{};
    std::vector<std::string_view> cells;
    std::string_view as_written;    // the row's text, when it is what writing its cells gives
    std::string copied;             // the cells libcsv reads, one after another
    std::vector<std::size_t> ends;  // where each of them ends in `copied`
    std::size_t line = 1;           // the line being read
    bool after_return = false;      // the last byte read was a \r
    std::size_t row_line = 0;       // the line the row libcsv reads starts on, 0 when none
    std::size_t cell_line = 1;      // the line the cell being read starts on, at the latest
    bool stopped = false;
    bool at_header = true;  // no row handed on yet
    std::optional<CsvFault> header_fault = std::nullopt;

    static void end_of_cell(void* text, std::size_t length, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        reader.copied.append(static_cast<const char*>(text), length);
        reader.ends.push_back(reader.copied.size());
        reader.cell_line = reader.line;
    }

    static void end_of_row(int, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        reader.cells.clear();
        for (std::size_t i = 0, start = 0; i < reader.ends.size(); start = reader.ends[i++]) {
            reader.cells.emplace_back(reader.copied.data() + start, reader.ends[i] - start);
        }
        reader.as_written = {};
        reader.hand_on(reader.row_line);
        reader.copied.clear();
        reader.ends.clear();
        reader.row_line = 0;
    }

    void hand_on(std::size_t at) {
        const bool blank =
            cells.size() == 1 && cells[0].find_first_not_of(" \t") == std::string_view::npos;
        if (!stopped && !blank) {
            if (at_header) {
                cells[0] = without_byte_order_marks(cells[0]);
                at_header = false;
                if (is_utf16(cells)) {
                    header_fault = CsvFault{at, utf16_refused};
                    stopped = true;
                    return;
                }
            }
            stopped = !on_row({cells, at, as_written});
        }
    }

    // A line that holds no quote, or whose quotes only enclose whole cells with none inside
    // them, is its cells between delimiters: libcsv would find the same. Such a line is split
    // where it lies, with nothing copied; false for any other line. `end` is the line break that
    // ends the line, so no cell runs past it and it is never a quote.
    bool split_in_place(const char* begin, const char* end) {
        cells.clear();
        as_written = {begin, static_cast<std::size_t>(end - begin)};
        for (const char* c = begin;; ++c) {
            const char* start = c;
            if (*c == '"') {
                bool holds_delimiter = false;
                for (start = ++c; c != end && *c != '"'; ++c) {
                    holds_delimiter = holds_delimiter || *c == delimiter;
                }
                if (c == end || (c + 1 != end && c[1] != delimiter)) {
                    return false;
                }
                cells.emplace_back(start, c++ - start);
                if (!holds_delimiter) {
                    as_written = {};
                }
            } else {
                while (!ends_plain_cell[static_cast<unsigned char>(*c)]) {
                    ++c;
                }
                if (*c == '"') {
                    return false;
                }
                cells.emplace_back(start, c - start);
            }
            if (c == end) {
                return true;
            }
        }
    }

    // Reads a line at a time, so that each row knows the line it starts on. A whole line at the
    // start of a row is split in place when it can be; the rest goes through libcsv, which
    // keeps its place across lines and reads.
    bool feed(const char* data, const char* end) {
        // Most files end their lines in \n alone: one look along the whole read spares a look
        // for a \r along each line.
        const bool any_return = find(data, end, '\r') != end;
        while (data < end && !stopped) {
            const char* newline = find(data, end, '\n');
            const char* const line_end = any_return ? find(data, newline, '\r') : newline;
            const auto length = static_cast<std::size_t>(std::min(line_end + 1, end) - data);
            if (row_line == 0 && line_end != end && split_in_place(data, line_end)) {
                hand_on(line);
            } else {
                if (row_line == 0 && line_end != data) {
                    row_line = cell_line = line;
                }
                if (csv_parse(&parser, data, length, end_of_cell, end_of_row, this) != length) {
                    return false;
                }
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

std::array<bool, 256> special_characters(char delimiter) {
    std::array<bool, 256> special{};
    for (const char c : {delimiter, '"', '\r', '\n'}) {
        special[static_cast<unsigned char>(c)] = true;
    }
    return special;
}

std::optional<CsvFault> read_csv(std::FILE* in, std::optional<char>& delimiter,
                                 const RowHandler& on_row,
                                 const std::function<void()>& before_read) {
    std::vector<char> buffer(1 << 16);
    int read_error = 0;
    // What has come of the input, once some has: rows are calculated as a pipe brings them.
    const auto read_into = [&](std::size_t from) -> std::size_t {
        before_read();
        ssize_t got = 0;
        do {
            got = ::read(fileno(in), buffer.data() + from, buffer.size() - from);
        } while (got < 0 && errno == EINTR);
        read_error = got < 0 ? errno : 0;
        return got < 0 ? 0 : static_cast<std::size_t>(got);
    };
    const auto read_chunk = [&] { return read_into(0); };
    // The header's line as a whole chooses the delimiter and tells the encoding: the first line
    // that is not blank, read to its end where the input holds one.
    std::size_t size = 0;
    std::string_view start, header;
    for (;;) {
        // A quote that begins the first cell must be the first thing libcsv reads.
        start = without_byte_order_marks({buffer.data(), size});
        const std::size_t from = std::min(start.find_first_not_of("\r\n \t"), start.size());
        header =
            without_byte_order_marks(start.substr(from, start.find_first_of("\r\n", from) - from));
        const std::size_t got =
            from + header.size() < start.size() || size == buffer.size() ? 0 : read_into(size);
        if (got == 0) {
            break;
        }
        size += got;
    }
    // A quote after a UTF-16 byte-order mark would be taken for a stray one.
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) {
        return CsvFault{1, utf16_refused};
    }
    if (!delimiter) {
        const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
        delimiter = count(',') > 0 || count(';') + count('\t') == 0 ? ','
                    : count(';') >= count('\t')                     ? ';'
                                                                    : '\t';
    }
    Reader reader{on_row, *delimiter, special_characters(*delimiter), {}, {}, {}, {}, {}};
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
    return fault ? fault : reader.header_fault;
}

}  // namespace corvandel::cli
