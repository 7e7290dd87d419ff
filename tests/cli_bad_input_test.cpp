#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "run_program.h"

namespace corvandel {
namespace {

struct BadInput {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;  // standard input
    int status;
    std::string message;                   // on standard error, or in what was written
    std::vector<std::string> first_cells;  // of every row a batch wrote, the header's included
    Output output = Output::kept;
    char delimiter = ',';
};

void PrintTo(const BadInput& c, std::ostream* out) {
    *out << c.name;
}

class BadInputs : public testing::TestWithParam<BadInput> {};

// Each fault is told in a clear sentence with its exit status, and nothing before it is lost.
TEST_P(BadInputs, AreToldAndLoseNoEarlierRow) {
    const BadInput& c = GetParam();
    const ProgramRun run = run_program(CORVANDEL_CALC, c.arguments, c.input, c.output);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE((run.err + run.out).find(c.message), std::string::npos) << run.err;
    if (c.output == Output::interrupted) {
        // The output ends after a whole row, however far the batch came.
        const auto rows = csv_rows(run.out, c.delimiter);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(run.out.back(), '\n');
        for (const auto& row : rows) {
            EXPECT_EQ(row.size(), rows.front().size()) << row.front();
        }
    } else if (c.arguments.size() > 1 && c.arguments.front() == "--batch") {
        std::vector<std::string> first_cells;
        for (const auto& row : csv_rows(run.out, c.delimiter)) {
            first_cells.push_back(row.front());
        }
        EXPECT_EQ(first_cells, c.first_cells);
        // A file refused before its first row writes nothing at all.
        if (c.first_cells.empty()) {
            EXPECT_EQ(run.out, "");
        }
    }
    if (c.status == 1 || c.status == 2) {
        EXPECT_NE(run.err.find("error: "), std::string::npos) << run.err;
    }
    if (c.output == Output::full_disk || c.output == Output::closed) {  // ends it at once
        EXPECT_EQ(run.err.find("error: "), run.err.rfind("error: ")) << run.err;
    }
}

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

const std::string huge_name(1'000'000, 'x');
const std::string huge_number(1'000'000, '9');

const BadInput bad_inputs[] = {
    {"UnknownOption", {"--colour=red"}, "", 2, "error: --colour: unknown option\n", {}},
    {"OptionTypo", {"--ends", "45"}, "", 2, "--ends: unknown option; did you mean --end?", {}},
    {"FifteenDigitsTooLarge", {"--end", "999999999999999"}, "", 1, "Ending Price is too large", {}},
    {"JustPastTheRange",
     {"--item-cost=922337203685478", "--end=45"},
     "",
     1,
     "Item Cost is too large",
     {}},
    {"MarginTargetWithThreeDecimals", {"--target-margin", "95.601"}, "", 3, "unreachable", {}},
    {"MissingValue", {"--end=45", "--start"}, "", 2, "--start needs a value", {}},
    {"ValueIsNeverTheNextOption", {"--end", "--json"}, "", 2, "--end needs a value", {}},
    {"EmptyValueAfterEquals", {"--item-cost=", "--json", "--end", "45"}, "", 0, "\"3.71\"", {}},
    {"EmptySolveTarget", {"--batch", "-", "--solve", ""}, "", 2, "--solve: takes", {}},
    {"NoArguments", {}, "", 2, "Usage: corvandel-calc", {}},
    {"RefusedListingAsJson", {"--end", "abc", "--json"}, "", 1, "{\"error\": \"Ending Price: ", {}},
    {"FullDisk", {"--end=45"}, "", 1, "No space left on device", {}, Output::full_disk},
    {"FullDiskInABatch",
     {"--batch", "-"},
     "sku,end_price\n" + huge_name + ",45\nB,45,too many\n",
     1,
     "error: cannot write the results: No space left on device",
     {},
     Output::full_disk},
    {"ClosedOutput", {"--help"}, "", 1, "results: Bad file descriptor", {}, Output::closed},
    {"GalleryWithGalleryFeatured",
     {"--end=45", "--gallery", "--gallery-featured"},
     "",
     2,
     "--gallery excludes --gallery-featured",
     {}},
    {"PicturePackWithSupersize",
     {"--picture-pack", "--supersize"},
     "",
     2,
     "--supersize excludes --picture-pack",
     {}},
    {"ListingOptionsWithABatch", {"--batch", "-", "--end=5"}, "", 2, "excludes --batch", {}},
    {"UnknownSolveTarget", {"--batch", "-", "--solve", "profit=lots"}, "", 2, "profit=lots", {}},
    {"BadTickCellsAndImpossibleRows",
     {"--batch", "-"},
     "sku,gallery,Gallery_Featured,end_price\nA,maybe,,45\nB,1,1,45\nC,1,,45\n",
     1,
     "gallery: \"\"maybe\"\" is not a tick value; write 1 or 0, yes or no, true or false",
     {"sku", "A", "B", "C"}},
    {"ByteOrderMarkBeforeAQuotedHeader",
     {"--batch", "-"},
     "\xEF\xBB\xBF\"sku\",item_cost,start_price,end_price\nA,12.50,9.99,45\n",
     0,
     ",28.64,",
     {"sku", "A"}},
    {"CaptionsAndSpellings",
     {"--batch", "-"},
     "Item Cost, start-price ,END_PRICE,item_cots\n12.50,9.99,45,x\n",
     0,
     "warning: the column \"item_cots\" is not read; did you mean item_cost?",
     {"Item Cost", "12.50"}},
    {"NoColumnRead", {"--batch", "-"}, "sku,title\nA,lamp\n", 1, "no column is read", {}},
    {"SemicolonsAndDecimalCommas",
     {"--batch", "-"},
     "item_cost;start_price;end_price\r\n12,50;9,99;45\r\n12.50;9.99;45\r\n",
     1,
     ";Item Cost: Please enter a valid price. You can also enter Free or 0 for no cost.\n",
     {"item_cost", "12,50", "12.50"},
     Output::kept,
     ';'},
    {"TabsChosenByTheOption",
     {"--batch", "-", "--delimiter", "tab"},
     "sku\tend_price\nA, the lamp\t45\n",
     0,
     "A, the lamp\t45\t0.20\t1.91",
     {"sku", "A, the lamp"},
     Output::kept,
     '\t'},
    {"InterlockedPairInARow",
     {"--batch", "-"},
     "sku,gallery,Gallery_Featured,end_price\nB,1,1,45\n",
     1,
     "Gallery and Gallery Featured cannot both be ticked",
     {"sku", "B"}},
    {"SemicolonsAreNoted",
     {"--batch", "-"},
     "item_cost;end_price\n5;45\n",
     0,
     "<stdin>:1: note: the header holds no comma: reading cells separated by ';'",
     {"item_cost", "5"},
     Output::kept,
     ';'},
    {"AmountsQuotedWhereTheDelimiterIsAPoint",
     {"--batch", "-", "--delimiter", "."},
     "end_price\n45\n",
     0,
     "45.\"0.20\".\"1.91\".",
     {"end_price", "45"},
     Output::kept,
     '.'},
    {"ShortRowSaysWhy",
     {"--batch", "-"},
     "sku,end_price,item_cost\nA,45\n",
     1,
     "this row has 2 cells, fewer than the header's 3: a missing cell is not an empty one",
     {"sku", "A"}},
    {"ShortRowAfterBlankLines",
     {"--batch", "-"},
     "sku,end_price,item_cost\n\n  \nA,45\nB,45,12.50\n",
     1,
     "<stdin>:4: error: 1 of 2 rows refused; see the error column",
     {"sku", "A", "B"}},
    {"OwnOutputReadAgain",
     {"--batch", "-"},
     "end_price,profit,error,PROFIT_MARGIN\n45,1.00,old,2.00\n",
     0,
     "end_price,profit,error,PROFIT_MARGIN,listing_fees,final_value_fees,total_ebay_fees,paypal_"
     "fees,total_fees,total_received,total_spent,warnings\n45,41.29,,91.76,0.20,",
     {"end_price", "45"}},
    {"MoreCellsThanTheHeader",
     {"--batch", "-"},
     "sku,end_price\nA,45\nB,45,extra\nC,45\n",
     1,
     "<stdin>:3: error: this row has 3 cells, more than the header's 2: a cell that holds a ','",
     {"sku", "A"}},
    {"CarriageReturnLineEnds",
     {"--batch", "-"},
     "sku,end_price\rA,45\r\rB,45,50\r",
     1,
     "<stdin>:4: error: this row has 3 cells",
     {"sku", "A"}},
    {"UnclosedQuoteAfterACellOfTwoLines",
     {"--batch", "-"},
     "sku,end_price\nA,45\n\"B\nsecond line\",45\nC,\"45\n",
     1,
     "<stdin>:5: error: a quoted cell is not closed",
     {"sku", "A", "B\nsecond line"}},
    {"StrayQuote",
     {"--batch", "-"},
     "sku,end_price\r\nA,45\r\nB\"x,45\r\n",
     1,
     "<stdin>:3: error: a quote in a cell that does not start with one",
     {"sku", "A"}},
    {"ColumnTwice", {"--batch", "-"}, "Ending Price,end_price\n45,45\n", 1, ":1: error: two", {}},
    {"ColumnsNotRead",
     {"--batch", "-"},
     "SKU,Cost,Ending Price,Shipping,item_cots\nA,30,45,5,1\n",
     0,
     "<stdin>:1: note: not read, passed through: SKU, Cost, Shipping, item_cots\n",
     {"SKU", "A"}},
    {"NoPayPalColumn",
     {"--batch", "-"},
     "Item Cost ($),end_price,no_paypal\n30,45,1\n",
     0,
     "30,45,1,0.20,1.91,2.11,1.60,2.11,45.00,32.11,12.89,",
     {"Item Cost ($)", "30"}},
    {"NoPayPalAndCountPayPal",
     {"--batch", "-"},
     "end_price,no_paypal,count_paypal\n45,1,0\n",
     1,
     "no_paypal and count_paypal both say",
     {}},
    {"EmptyRowsFromASpreadsheet",
     {"--batch", "-"},
     "SKU,Item Cost,Ending Price\nA,10,45\n,,\n, ,\n",
     0,
     "\n,,,,,,,,,,,,,\n, ,,,,,,,,,,,,\n",
     {"SKU", "A", "", ""}},
    {"InterruptedBatch",
     {"--batch", "-"},
     "sku,end_price,item_cost\n" + repeated("A,30.75,12.3456\n", 300'000),
     128 + SIGTERM,
     "",
     {},
     Output::interrupted},
    {"InventoryIsTheOutput",
     {"--batch", "/dev/stdin"},
     "end_price,profit\n45,41.29\n",
     1,
     "error: /dev/stdin: the inventory is also the output",
     {},
     Output::input_file},
    {"UTF16File",
     {"--batch", "-"},
     std::string("\xFF\xFEi\0t\0e\0m\0_\0c\0o\0s\0t\0\n\0", 22),
     1,
     "<stdin>:1: error: the file is UTF-16; save it as CSV UTF-8",
     {}},
    {"OneColumnIsReadWithCommas",
     {"--batch", "-"},
     "end_price\n45\n",
     0,
     "end_price,listing_fees,",
     {"end_price", "45"}},
    {"AsManySemicolonsAsTabs",
     {"--batch", "-"},
     "sku\tname;end_price\nA\tlamp;45\n",
     0,
     "<stdin>:1: note: the header holds no comma: reading cells separated by ';'",
     {"sku\tname", "A\tlamp"},
     Output::kept,
     ';'},
    {"SummaryNamesTheFirstRowAndCountsWarnings",
     {"--batch", "-"},
     "sku,start_price,reserve,end_price\nA,10,5,45\nB,10,20,45\nC,10,5,45\n",
     0,
     "<stdin>:2: warning: 2 of 3 rows warned; see the warnings column",
     {"sku", "A", "B", "C"}},
    {"EmptyFile", {"--batch", "-"}, "", 1, "<stdin>:1: error: the file is empty", {}},
    {"HeaderOnly", {"--batch", "-"}, "sku,end_price\n", 0, "", {"sku"}},
    {"MillionCharacterCells",
     {"--batch", "-"},
     "sku,item_cost,end_price\n" + huge_name + ",5,45\nB," + huge_number + ",45\nC,5,45\n",
     1,
     "The Item Cost is too large to calculate with",
     {"sku", huge_name, "B", "C"}},
    {"UnreadableFile",
     {"--batch", "/nonexistent/inventory.csv"},
     "",
     1,
     "error: cannot read /nonexistent/inventory.csv: No such file or directory",
     {}},
    {"Directory", {"--batch", "/"}, "", 1, "error: cannot read /: Is a directory", {}},
};

INSTANTIATE_TEST_SUITE_P(CommandLine, BadInputs, testing::ValuesIn(bad_inputs),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace corvandel
