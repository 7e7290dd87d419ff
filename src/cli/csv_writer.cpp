#include "cli/csv_writer.h"

#include <csv.h>

#include <algorithm>

namespace corvandel::cli {

namespace {

constexpr std::size_t flush_at = 1 << 16;

}  // namespace

void CsvWriter::cell(std::string_view text) {
    if (row_started_) {
        buffer_ += ',';
    }
    row_started_ = true;
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        buffer_ += text;
        return;
    }
    const std::size_t size = csv_write(nullptr, 0, text.data(), text.size());
    const std::size_t at = buffer_.size();
    buffer_.resize(at + size);
    csv_write(buffer_.data() + at, size, text.data(), text.size());
}

void CsvWriter::end_row() {
    buffer_ += '\n';
    row_started_ = false;
    if (buffer_.size() >= flush_at) {
        flush();
    }
}

void CsvWriter::flush() {
    std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    std::fflush(out_);
    buffer_.clear();
}

}  // namespace corvandel::cli
