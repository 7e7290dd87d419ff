#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace corvandel::cli {

// Writes CSV rows to a stream through a buffer of its own, or, with no stream, keeps them as
// text. A cell that holds a comma, a quote or a line break is quoted by libcsv; every other cell
// is written as it stands.
class CsvWriter {
  public:
    explicit CsvWriter(std::FILE* out = nullptr) : out_(out) {}
    ~CsvWriter() { flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void cell(std::string_view text);
    void end_row();
    // Rows another writer made, as they stand.
    void rows(std::string_view csv);
    void flush();
    // The rows kept by a writer with no stream, taken out of it.
    std::string take_text() { return std::exchange(buffer_, {}); }

  private:
    std::FILE* out_;
    std::string buffer_;
    bool row_started_ = false;
};

}  // namespace corvandel::cli
