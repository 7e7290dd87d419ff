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
                         [](const auto& test) { return std::string(test.param.name); });

// Rows of every kind, several chunks of them, and a fault at the end: calculated on several
// threads, they come out as one thread writes them, in order, up to the fault.
TEST(SeveralJobs, WriteWhatOneJobWrites) {
    const std::string kinds[] = {
        "12.50,9.99,None,None,45,5,4.20,None,3,1,0,0",
        "Free,0.99,None,None,None,None,None,None,,,,",
        "5,2,None,1,30,0,0,0,1,0,0,0",              // a reserve below the start: a warning
        "5,1.5,None,None,\"1,000\",0,0,0,1,0,0,0",  // refused by the field's rules
        "5,1,None,None,45,0,0,0,1,maybe,0,0",       // not a tick value
        "5,1,None,None,45,0,0,0,1,1,1,0",           // impossible options
        "5,1,None,None,45,0,0," + std::string(40, '9') + ",1,0,0,0",  // refused by the run
        "\" 7\",3,None,None,1000.005,2.5,1,NONE,12,yes,no,true",
        "1,1,1,None,0.01",  // a short row
    };
    std::string csv =
        "sku,item_cost,start_price,buy_it_now,reserve,end_price,shipping_charged,shipping_cost,"
        "other_costs,pictures,gallery,gallery_featured,picture_pack\n";
    for (int row = 0; row < 5000; ++row) {
        csv += "\"SKU " + std::to_string(row) + ",\n\"\"x\"\"\"," +
               kinds[static_cast<std::size_t>(row) % std::size(kinds)] + "\n";
    }
    csv += "last,1,2,3,4,5,6,7,8,9,0,0,0,too many\n";

    for (const std::vector<std::string>& extra :
         {std::vector<std::string>{}, std::vector<std::string>{"--solve", "break-even"}}) {
        std::vector<std::string> arguments{"--batch", "-"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const ProgramRun one = run_program(CORVANDEL_CALC, arguments, csv);
        EXPECT_EQ(one.status, 1);
        EXPECT_EQ(first_cells_of(one.out).size(), 5001U);
        for (const char* jobs : {"2", "3"}) {
            auto with_jobs = arguments;
            with_jobs.insert(with_jobs.end(), {"--jobs", jobs});
            const ProgramRun several = run_program(CORVANDEL_CALC, with_jobs, csv);
            EXPECT_EQ(several.status, one.status) << jobs;
            EXPECT_EQ(several.err, one.err) << jobs;
            EXPECT_TRUE(several.out == one.out) << jobs << " jobs write other rows";
        }
    }
}

}  // namespace
}  // namespace corvandel
