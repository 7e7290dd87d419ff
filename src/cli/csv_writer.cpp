#include "cli/csv_writer.h"

#include <csv.h>

#include <algorithm>
#include <array>

namespace corvandel::cli {

namespace {

constexpr std::size_t flush_at = 1 << 16;

// The characters that make a cell need quotes, looked up once for each character written.
constexpr std::array<bool, 256> needs_quotes = [] {
    std::array<bool, 256> table{};
    for (const char c : {',', '"', '\r', '\n'}) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}();

}  // namespace

// Every cell is followed by a comma; the row's end turns the last one into the line break.
void CsvWriter::cell(std::string_view text) {
    row_started_ = true;
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return needs_quotes[static_cast<unsigned char>(c)];
    });
    if (plain) {
        buffer_ += text;
    } else {
        const std::size_t size = csv_write(nullptr, 0, text.data(), text.size());
        const std::size_t at = buffer_.size();
        buffer_.resize(at + size);
        csv_write(buffer_.data() + at, size, text.data(), text.size());
    }
    buffer_ += ',';
}

void CsvWriter::end_row() {
    if (row_started_) {
        buffer_.back() = '\n';
    } else {
        buffer_ += '\n';
    }
    row_started_ = false;
    if (buffer_.size() >= flush_at) {
        flush();
    }
}

void CsvWriter::rows(std::string_view csv) {
    buffer_ += csv;
    if (buffer_.size() >= flush_at) {
        flush();
    }
}

void CsvWriter::flush() {
    if (out_ == nullptr) {
        return;
    }
    std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    std::fflush(out_);
    buffer_.clear();
}

}  // namespace corvandel::cli
