#include "cli/csv_reader.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace corvandel::cli {

namespace {

// Cells are taken as written: a blank is part of the text, as in a price field.
int no_blank_is_trimmed(unsigned char) {
    return 0;
}

bool is_line_break(char c) {
    return c == '\n' || c == '\r';
}

}  // namespace

CsvReader::CsvReader(RowHandler on_row) : on_row_(std::move(on_row)) {
    csv_init(&parser_, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_space_func(&parser_, no_blank_is_trimmed);
}

CsvReader::~CsvReader() {
    csv_free(&parser_);
}

void CsvReader::end_of_cell(void* text, std::size_t size, void* self) {
    auto& reader = *static_cast<CsvReader*>(self);
    if (reader.stopped_) {
        return;
    }
    if (reader.cell_count_ == reader.cells_.size()) {
        reader.cells_.emplace_back();
    }
    reader.cells_[reader.cell_count_++].assign(static_cast<const char*>(text), size);
    reader.cell_line_ = reader.line_;
}

void CsvReader::end_of_row(int, void* self) {
    auto& reader = *static_cast<CsvReader*>(self);
    if (reader.stopped_) {
        return;
    }
    const std::span<const std::string> cells(reader.cells_.data(), reader.cell_count_);
    reader.stopped_ = !reader.on_row_(cells, reader.row_line_);
    reader.cell_count_ = 0;
    reader.row_line_ = 0;
}

std::optional<CsvFault> CsvReader::fault_of_unreadable_quoting() {
    switch (csv_error(&parser_)) {
        case CSV_EPARSE:
            return CsvFault{line_,
                            "a quote in a cell that does not start with one, or text after a "
                            "cell's closing quote (a cell with quotes is quoted whole, each quote "
                            "inside it doubled)"};
        default:
            return CsvFault{cell_line_, "a cell too large to hold in memory"};
    }
}

std::optional<CsvFault> CsvReader::read(std::FILE* in) {
    std::vector<char> buffer(1 << 16);
    bool at_line_start = true;
    while (!stopped_) {
        const std::size_t size = std::fread(buffer.data(), 1, buffer.size(), in);
        if (size == 0) {
            break;
        }
        const char* data = buffer.data();
        const char* const end = data + size;
        while (data < end && !stopped_) {
            const char* newline = static_cast<const char*>(std::memchr(data, '\n', end - data));
            const char* const stop = newline == nullptr ? end : newline + 1;
            // Only the start of a line can begin a row.
            if (at_line_start && row_line_ == 0 && !is_line_break(*data)) {
                row_line_ = line_;
                cell_line_ = line_;
            }
            const auto length = static_cast<std::size_t>(stop - data);
            if (csv_parse(&parser_, data, length, end_of_cell, end_of_row, this) != length) {
                return fault_of_unreadable_quoting();
            }
            at_line_start = newline != nullptr;
            if (newline != nullptr) {
                ++line_;
            }
            data = stop;
        }
    }
    if (std::ferror(in)) {
        return CsvFault{0, std::string("cannot be read: ") + std::strerror(errno)};
    }
    if (stopped_) {
        return std::nullopt;
    }
    if (csv_fini(&parser_, end_of_cell, end_of_row, this) != 0) {
        return CsvFault{cell_line_, "a quoted cell is not closed: its closing quote is missing"};
    }
    return std::nullopt;
}

}  // namespace corvandel::cli
