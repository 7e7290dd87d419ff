#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace corvandel::bench {

// A seller's inventory made up for measuring: the header, then rows with a realistic mix of
// texts (prices with and without cents, keywords in several cases, empty cells, quoted titles
// with commas) and options. The same seed gives the same rows.
class Inventory {
  public:
    explicit Inventory(std::uint64_t seed) : random_(seed) {}

    static std::string header();
    // Appends the next row, line break included.
    void append_row(std::string& csv);

  private:
    std::mt19937_64 random_;
    std::uint64_t row_ = 0;
};

}  // namespace corvandel::bench
