#include "cli/csv_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace corvandel::cli {

CsvReader::CsvReader(std::FILE* in, std::optional<char> delimiter) : in_(in) {
    fill();
    if (std::string_view(buffer_.data(), buffered_).starts_with("\xEF\xBB\xBF")) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + 3);
        buffered_ -= 3;
    }
    const auto header =
        std::string_view(buffer_.data(), buffered_)
            .substr(0, std::min(std::string_view(buffer_.data(), buffered_).find_first_of("\r\n"),
                                buffered_));
    const auto count = [&](char c) { return std::count(header.begin(), header.end(), c); };
    if (delimiter) {
        delimiter_ = *delimiter;
    } else if (count(',') == 0 && count(';') + count('\t') > 0) {
        delimiter_ = count(';') >= count('\t') ? ';' : '\t';
        guessed_ = true;
    }
    csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
    // Cells are taken as written: a blank is part of the text, as in a price field.
    csv_set_space_func(&parser_, [](unsigned char) { return 0; });
    csv_set_delim(&parser_, static_cast<unsigned char>(delimiter_));
}

void CsvReader::fill() {
    errno = 0;
    buffered_ = std::fread(buffer_.data(), 1, buffer_.size(), in_);
    if (std::ferror(in_)) {
        read_error_ = errno != 0 ? errno : EIO;
    }
}

void CsvReader::end_of_cell(void* text, std::size_t length, void* self) {
    auto& reader = *static_cast<CsvReader*>(self);
    if (reader.cell_count_ == reader.cells_.size()) {
        reader.cells_.emplace_back();
    }
    reader.cells_[reader.cell_count_++].assign(static_cast<const char*>(text), length);
    reader.cell_line_ = reader.line_;
}

void CsvReader::end_of_row(int, void* self) {
    auto& reader = *static_cast<CsvReader*>(self);
    const std::span<const std::string> cells(reader.cells_.data(), reader.cell_count_);
    const bool blank = cells.size() == 1 && cells[0].find_first_not_of(" \t") == cells[0].npos;
    if (!reader.stopped_ && !blank) {
        reader.stopped_ = !(*reader.on_row_)(cells, reader.row_line_);
    }
    reader.cell_count_ = 0;
    reader.row_line_ = 0;
}

// Feeds the parser a line at a time, so that each row knows the line it starts on.
bool CsvReader::feed(const char* data, std::size_t size) {
    const char* const end = data + size;
    while (data < end && !stopped_) {
        // A line ends at its first \n or \r.
        const auto* newline = static_cast<const char*>(std::memchr(data, '\n', end - data));
        const auto* return_ = static_cast<const char*>(
            std::memchr(data, '\r', (newline == nullptr ? end : newline) - data));
        const char* const line_end = return_ != nullptr   ? return_
                                     : newline != nullptr ? newline
                                                          : end;
        if (row_line_ == 0 && line_end != data) {
            row_line_ = cell_line_ = line_;
        }
        const auto length = static_cast<std::size_t>(std::min(line_end + 1, end) - data);
        if (csv_parse(&parser_, data, length, end_of_cell, end_of_row, this) != length) {
            return false;
        }
        // The \n of a \r\n ends no line of its own.
        if (line_end != end && !(*line_end == '\n' && line_end == data && after_return_)) {
            ++line_;
        }
        after_return_ = line_end != end && *line_end == '\r';
        data += length;
    }
    return true;
}

std::optional<CsvFault> CsvReader::read(const RowHandler& on_row) {
    on_row_ = &on_row;
    for (; buffered_ > 0 && !stopped_; fill()) {
        if (!feed(buffer_.data(), buffered_)) {
            if (csv_error(&parser_) == CSV_EPARSE) {
                return CsvFault{line_,
                                "a quote in a cell that does not start with one, or text after "
                                "a cell's closing quote (a cell with quotes is quoted whole, "
                                "each quote inside it doubled)"};
            }
            return CsvFault{cell_line_, "a cell too large to hold in memory"};
        }
    }
    if (read_error_ != 0) {
        return CsvFault{0, std::strerror(read_error_)};
    }
    if (!stopped_ && csv_fini(&parser_, end_of_cell, end_of_row, this) != 0) {
        return CsvFault{cell_line_, "a quoted cell is not closed: its closing quote is missing"};
    }
    return std::nullopt;
}

}  // namespace corvandel::cli
