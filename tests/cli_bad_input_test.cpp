#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/csv_reader.h"
#include "run_program.h"

namespace corvandel {
namespace {

struct BadInput {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;  // standard input
    int status;
    std::string message;                   // on standard error, or in a row's error cell
    std::vector<std::string> first_cells;  // of every row written, the header's included
};

void PrintTo(const BadInput& c, std::ostream* out) {
    *out << c.name;
}

std::vector<std::string> first_cells_of(const std::string& csv) {
    std::vector<std::string> cells;
    cli::CsvReader reader([&](std::span<const std::string> row, std::size_t) {
        cells.push_back(row.front());
        return true;
    });
    std::FILE* in = fmemopen(const_cast<char*>(csv.data()), csv.size(), "r");
    if (in != nullptr) {
        EXPECT_FALSE(reader.read(in));
        std::fclose(in);
    }
    return cells;
}

class BadInputs : public testing::TestWithParam<BadInput> {};

// Each fault is told in a clear sentence with its exit status, and nothing before it is lost.
TEST_P(BadInputs, AreToldAndLoseNoEarlierRow) {
    const BadInput& c = GetParam();
    const ProgramRun run = run_program(CORVANDEL_CALC, c.arguments, c.input);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE((run.err + run.out).find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(first_cells_of(run.out), c.first_cells);
    if (c.status != 0) {
        EXPECT_TRUE(run.err.starts_with("error: ")) << run.err;
    }
}

const std::string huge_name(1'000'000, 'x');
const std::string huge_number(1'000'000, '9');

const BadInput bad_inputs[] = {
    {"UnknownOption", {"--colour=red"}, "", 2, "--colour=red", {}},
    {"MissingValue", {"--end=45", "--start"}, "", 2, "--start", {}},
    {"GalleryWithGalleryFeatured",
     {"--end=45", "--gallery", "--gallery-featured"},
     "",
     2,
     "Gallery and Gallery Featured cannot both be ticked",
     {}},
    {"PicturePackWithSupersize",
     {"--picture-pack", "--supersize"},
     "",
     2,
     "Picture Pack and Supersize Pictures cannot both be ticked",
     {}},
    {"ListingOptionsWithABatch", {"--batch", "-", "--end=5"}, "", 2, "--batch", {}},
    {"UnknownSolveTarget", {"--batch", "-", "--solve", "profit=lots"}, "", 2, "profit=lots", {}},
    {"BadTickCellsAndImpossibleRows",
     {"--batch", "-"},
     "sku,gallery,Gallery_Featured,end_price\nA,maybe,,45\nB,1,1,45\nC,1,,45\n",
     0,
     "gallery: \"\"maybe\"\" is not a tick value; write 1 or 0, yes or no, true or false",
     {"sku", "A", "B", "C"}},
    {"MoreCellsThanTheHeader",
     {"--batch", "-"},
     "sku,end_price\nA,45\nB,45,extra\nC,45\n",
     1,
     "error: line 3: this row has 3 cells, more than the header's 2",
     {"sku", "A"}},
    {"UnclosedQuoteAfterACellOfTwoLines",
     {"--batch", "-"},
     "sku,end_price\nA,45\n\"B\nsecond line\",45\nC,\"45\n",
     1,
     "error: line 5: a quoted cell is not closed",
     {"sku", "A", "B\nsecond line"}},
    {"StrayQuote",
     {"--batch", "-"},
     "sku,end_price\r\nA,45\r\nB\"x,45\r\n",
     1,
     "error: line 3: a quote in a cell that does not start with one",
     {"sku", "A"}},
    {"ColumnTwice", {"--batch", "-"}, "END_PRICE,end_price\n45,45\n", 1, "line 1: the column", {}},
    {"EmptyFile", {"--batch", "-"}, "", 1, "error: line 1: the file is empty", {}},
    {"HeaderOnly", {"--batch", "-"}, "sku,end_price\n", 0, "", {"sku"}},
    {"MillionCharacterCells",
     {"--batch", "-"},
     "sku,item_cost,end_price\n" + huge_name + ",5,45\nB," + huge_number + ",45\nC,5,45\n",
     0,
     "The Item Cost is too large to calculate with",
     {"sku", huge_name, "B", "C"}},
    {"UnreadableFile",
     {"--batch", "/nonexistent/inventory.csv"},
     "",
     1,
     "error: cannot open /nonexistent/inventory.csv",
     {}},
};

INSTANTIATE_TEST_SUITE_P(CommandLine, BadInputs, testing::ValuesIn(bad_inputs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvandel
