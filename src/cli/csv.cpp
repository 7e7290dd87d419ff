#include "cli/csv.h"

#include <csv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace corvandel::cli {

namespace {

constexpr const char* utf16_refused = "the file is UTF-16; save it as CSV UTF-8";

bool is_line_break(char c) {
    return c == '\n' || c == '\r';
}

// A byte-order mark says how a file is written and is no part of its first cell, wherever a
// program put it before the header and however many times.
std::string_view without_byte_order_marks(std::string_view text) {
    while (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return text;
}

// libcsv, given the input a line at a time, so that each row knows the line it starts on.
class Reader {
  public:
    Reader(char delimiter, const RowHandler& on_row) : on_row_(on_row) {
        csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
        // libcsv grows a cell's room 128 bytes at a time, so a cell of a megabyte would be copied
        // thousands of times on its way to the limit; in steps of 64 KiB, a few times.
        csv_set_blk_size(&parser_, 64 * 1024);
        // Cells are taken as written: a blank is part of the text, as in a price field.
        csv_set_space_func(&parser_, [](unsigned char) { return 0; });
        csv_set_delim(&parser_, static_cast<unsigned char>(delimiter));
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    ~Reader() { csv_free(&parser_); }

    // Reads the next part of the input; false once the handler or a fault has stopped it.
    bool feed(std::string_view data) {
        while (!data.empty() && !stopped_) {
            const auto end = static_cast<std::size_t>(
                std::find_if(data.begin(), data.end(), is_line_break) - data.begin());
            const std::size_t length = std::min(end + 1, data.size());
            // The \n of a \r\n ends no line of its own.
            const bool second_half = end == 0 && data[0] == '\n' && after_return_;
            if (end == 0 && !second_half && row_size_ == 0 && !at_header_) {
                // An empty line outside quotes, which libcsv passes over, keeps its place.
                row_.line = line_;
                end_of_row(0, this);
            }
            if (row_.line == 0 && end != 0) {
                row_.line = cell_line_ = line_;
            }
            row_size_ += second_half ? 0 : length;
            if (csv_parse(&parser_, data.data(), length, end_of_cell, end_of_row, this) != length) {
                stop(csv_error(&parser_) == CSV_EPARSE
                         ? CsvFault{line_,
                                    "a quote in a cell that does not start with one, or text "
                                    "after a cell's closing quote (a cell with quotes is quoted "
                                    "whole, each quote inside it doubled)"}
                         : CsvFault{cell_line_, "a cell too large to hold in memory"});
            } else if (row_size_ > longest_row) {
                stop(CsvFault{row_.line, "a row longer than " + longest_row_text +
                                             ", the most one may take: is a quote not closed, "
                                             "or do the lines not end?"});
            }
            line_ += end < data.size() && !second_half;
            after_return_ = end < data.size() && data[end] == '\r';
            data.remove_prefix(length);
        }
        return !stopped_;
    }

    // The input has ended: the last row, if no line break ends it.
    std::optional<CsvFault> finish() {
        if (!stopped_ && csv_fini(&parser_, end_of_cell, end_of_row, this) != 0) {
            stop(CsvFault{cell_line_, "a quoted cell is not closed: its closing quote is missing"});
        }
        return fault_;
    }

  private:
    void stop(std::optional<CsvFault> fault) {
        stopped_ = true;
        fault_ = std::move(fault);
    }

    static void end_of_cell(void* text, std::size_t length, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        reader.row_.cells.emplace_back(static_cast<const char*>(text), length);
        reader.cell_line_ = reader.line_;
    }

    // A row of blank cells before the header is a line of blanks, no row.
    static void end_of_row(int, void* self) {
        auto& reader = *static_cast<Reader*>(self);
        auto& cells = reader.row_.cells;
        reader.row_size_ = 0;
        if (!reader.stopped_ &&
            (!reader.at_header_ ||
             !std::all_of(cells.begin(), cells.end(), [](const std::string& cell) {
                 return cell.find_first_not_of(" \t") == std::string::npos;
             }))) {
            if (reader.at_header_) {
                reader.at_header_ = false;
                cells[0] = without_byte_order_marks(cells[0]);
            }
            if (!reader.on_row_(reader.row_)) {
                reader.stop(std::nullopt);
            }
        }
        cells.clear();
        reader.row_.line = 0;
    }

    const RowHandler& on_row_;
    csv_parser parser_{};
    CsvRow row_;
    std::size_t line_ = 1;       // the line being read
    bool after_return_ = false;  // the last byte read was a \r
    std::size_t cell_line_ = 1;  // the line the cell being read starts on, at the latest
    std::size_t row_size_ = 0;   // the bytes of the row being read, so far
    bool at_header_ = true;
    bool stopped_ = false;
    std::optional<CsvFault> fault_;
};

}  // namespace

std::optional<CsvFault> read_csv(std::FILE* in, CsvForm& form, const RowHandler& on_row,
                                 const std::function<void()>& before_read) {
    std::vector<char> buffer(1 << 16);
    int read_error = 0;
    // What has come of the input, once some has.
    const auto read_into = [&](std::size_t from) -> std::size_t {
        before_read();
        ssize_t got = 0;
        do {
            got = ::read(fileno(in), buffer.data() + from, buffer.size() - from);
        } while (got < 0 && errno == EINTR);
        read_error = got < 0 ? errno : 0;
        return got < 0 ? 0 : static_cast<std::size_t>(got);
    };
    // The header's line as a whole tells how the file is written: the first line that is not
    // blank, read to its end where the input holds one within the buffer. A quote that begins
    // the first cell must be the first thing libcsv reads, so the byte-order marks go before it
    // does.
    std::size_t size = 0;
    std::string_view start, header;
    for (std::size_t got = 1; got > 0; size += got) {
        start = without_byte_order_marks({buffer.data(), size});
        const std::size_t from = std::min(start.find_first_not_of("\r\n \t"), start.size());
        header =
            without_byte_order_marks(start.substr(from, start.find_first_of("\r\n", from) - from));
        const bool whole = from + header.size() < start.size() || size == buffer.size();
        got = whole ? 0 : read_into(size);
    }
    // UTF-16 read byte by byte begins with its mark, or holds a NUL in every other byte.
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF") ||
        header.find('\0') != std::string_view::npos) {
        return CsvFault{1, utf16_refused};
    }
    form.byte_order_mark = start.size() != size;
    form.header = header;
    const std::string_view line_end = start.substr(header.data() + header.size() - start.data(), 2);
    form.line_end = line_end == "\r\n" ? "\r\n" : line_end.starts_with('\r') ? "\r" : "\n";
    if (!form.delimiter) {
        const auto count = [&](char wanted) {
            bool quoted = false;
            return std::count_if(header.begin(), header.end(), [&](char c) {
                quoted = quoted != (c == '"');
                return !quoted && c == wanted;
            });
        };
        form.delimiter = count(',') > 0 || count(';') + count('\t') == 0 ? ','
                         : count(';') >= count('\t')                     ? ';'
                                                                         : '\t';
    }
    Reader reader(*form.delimiter, on_row);
    bool reading = true;
    for (std::string_view data = start; !data.empty() && (reading = reader.feed(data));) {
        data = {buffer.data(), read_into(0)};
    }
    if (reading && read_error != 0) {
        return CsvFault{0, std::strerror(read_error)};
    }
    return reader.finish();
}

void append_cell(std::string& row, std::string_view cell, char delimiter) {
    if (std::none_of(cell.begin(), cell.end(), [delimiter](char c) {
            return c == delimiter || c == '"' || is_line_break(c);
        })) {
        row += cell;
        return;
    }
    const std::size_t start = row.size();
    row.resize(start + csv_write(nullptr, 0, cell.data(), cell.size()));
    csv_write(row.data() + start, row.size() - start, cell.data(), cell.size());
}

}  // namespace corvandel::cli
