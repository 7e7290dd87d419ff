// make_inventory ROWS [SEED]: writes a made-up inventory of ROWS rows as CSV to standard output,
// for measuring corvandel-calc --batch.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "inventory.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_inventory ROWS [SEED]\n");
        return 2;
    }
    const unsigned long long rows = std::strtoull(argv[1], nullptr, 10);
    corvandel::bench::Inventory inventory(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1);
    std::string csv = corvandel::bench::Inventory::header();
    for (unsigned long long row = 0; row < rows; ++row) {
        inventory.append_row(csv);
        if (csv.size() > (1 << 20)) {
            std::fwrite(csv.data(), 1, csv.size(), stdout);
            csv.clear();
        }
    }
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return 0;
}
