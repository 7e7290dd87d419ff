#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace corvandel::cli {

// Writes CSV rows to a stream through a buffer of its own. A cell that holds a comma, a quote
// or a line break is quoted by libcsv; every other cell is written as it stands.
class CsvWriter {
  public:
    explicit CsvWriter(std::FILE* out) : out_(out) {}
    ~CsvWriter() { flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void cell(std::string_view text);
    void end_row();
    void flush();

  private:
    std::FILE* out_;
    std::string buffer_;
    bool row_started_ = false;
};

}  // namespace corvandel::cli
