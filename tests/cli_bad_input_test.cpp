#include <gtest/gtest.h>
#include <sys/ioctl.h>

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
     {"\xEF\xBB\xBFsku", "A"}},
    {"CaptionsAndSpellings",
     {"--batch", "-"},
     "Item Cost, start-price ,END_PRICE,item_cots\n12.50,9.99,45,x\n",
     1,
     "error: the column \"item_cots\" names no column read; did you mean item_cost?",
     {}},
    {"NoColumnRead", {"--batch", "-"}, "sku,title\nA,lamp\n", 1, "no column is read", {}},
    {"SemicolonsAndDecimalCommas",
     {"--batch", "-"},
     "item_cost;start_price;end_price\r\n12,50;9,99;45\r\n12.50;9.99;45\r\n",
     1,
     ";Item Cost: Please enter a valid price. You can also enter Free or 0 for no cost.\r\n",
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
     {"sku", "", "  ", "A", "B"}},
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
     {"sku", "A", ""}},
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
     "SKU,Cost,Ending Price,Shipping,Title\nA,30,45,5,1\n",
     1,
     "<stdin>:1: error: the column \"Shipping\" names no column read; did you mean "
     "shipping_charged, shipping_cost? Rename",
     {}},
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
    {"UnitOutsideAscii",
     {"--batch", "-"},
     "SKU,Item Cost (\xE2\x82\xAC),Ending Price\nA,20,45\n",
     0,
     ",45,0.20,1.91,2.11,1.60,3.71,45.00,23.71,21.29,47.31,,",
     {"SKU", "A"}},
    {"MoneyHeaderNamingNoColumn",
     {"--batch", "-"},
     "SKU,Item Cost \xE2\x80\x93 net,Ending Price\nA,20,45\n",
     1,
     "<stdin>:1: error: the column \"Item Cost \xE2\x80\x93 net\" names no column read; did you "
     "mean item_cost, shipping_cost, other_costs? Rename it as a column read, or give "
     "--pass-through \"Item Cost \xE2\x80\x93 net\"",
     {}},
    {"MoneyHeaderPassedOnPurpose",
     {"--batch", "-", "--pass-through", "COST"},
     "SKU,Cost,Ending Price\nA,20,45\n",
     0,
     "<stdin>:1: note: not read, passed through: SKU, Cost\n",
     {"SKU", "A"}},
    {"ResultColumnsReplacedAreNamed",
     {"--batch", "-"},
     "sku,Profit ($),Item Cost,end_price,solved_end_price\nA,99.99,20,45,3\n",
     0,
     "<stdin>:1: note: replaced by the results of this run: Profit ($), solved_end_price\n",
     {"sku", "A"}},
    {"EmptiedStartPriceOption",
     {"--start", "", "--end", "45"},
     "",
     1,
     "error: Starting Price: Please enter a valid price. You must enter a number greater 0.01",
     {}},
    {"EmptiedStartPriceCell",
     {"--batch", "-"},
     "sku,start_price,end_price\nA,,45\n",
     1,
     ",Starting Price: Please enter a valid price. You must enter a number greater 0.01 or "
     "higher.\n",
     {"sku", "A"}},
    {"BlankRowInOneColumn",
     {"--batch", "-"},
     "end_price\n45\n\n46\n",
     0,
     "",
     {"end_price", "45", "", "46"}},
    {"BlankRowInOneColumnWithReturns",
     {"--batch", "-"},
     "end_price\r\n45\r\n\r\n46\r\n",
     0,
     "",
     {"end_price", "45", "", "46"}},
    {"QuotedBlankRowInOneColumn",
     {"--batch", "-"},
     "end_price\n45\n\"\"\n46\n",
     0,
     "",
     {"end_price", "45", "", "46"}},
    {"BlankRowsAreNotCounted",
     {"--batch", "-"},
     "sku,end_price\nA,abc\n,\nB,45\n",
     1,
     "<stdin>:2: error: 1 of 2 rows refused",
     {"sku", "A", "", "B"}},
    {"LineHoldingATab",
     {"--batch", "-"},
     "sku,end_price\nA,45\n\t\nB,45\n",
     0,
     "",
     {"sku", "A", "\t", "B"}},
    {"TwoByteOrderMarks",
     {"--batch", "-"},
     "\xEF\xBB\xBF\xEF\xBB\xBFsku,end_price\nA,45\n",
     0,
     "",
     {"\xEF\xBB\xBFsku", "A"}},
    {"QuoteInAWrittenCell",
     {"--batch", "-"},
     "sku,end_price\n\"A \"\"lamp\"\"\",45\n",
     0,
     "\"A \"\"lamp\"\"\",45,",
     {"sku", "A \"lamp\""}},
    {"TargetOfARefusedRow",
     {"--batch", "-", "--solve", "break-even"},
     "sku,item_cost\nA,abc\n",
     1,
     "A,abc,,,,,,,,,,,,Item Cost: Please enter",
     {"sku", "A"}},
    {"TickOptionWithAValue",
     {"--gallery=0", "--gallery-featured", "--end=45"},
     "",
     2,
     "error: --gallery takes no value: give --gallery alone, or leave it out",
     {}},
    {"TickOptionWithAWord", {"--gallery=maybe"}, "", 2, "--gallery takes no value", {}},
    {"InventoryWithNoOutput",
     {"--batch", "/dev/stdin"},
     "end_price\n45\n",
     1,
     "error: cannot write the results: Bad file descriptor",
     {},
     Output::closed},
    {"SemicolonsWithAQuotedComma",
     {"--batch", "-"},
     "\"Title, short\";Ending Price\n\"Lamp, brass\";45\n",
     0,
     "reading cells separated by ';'",
     {"Title, short", "Lamp, brass"},
     Output::kept,
     ';'},
    {"SemicolonsWithACommaInAHeader",
     {"--batch", "-"},
     "Item Cost;Ending Price;Notes, misc\n5;45;x\n",
     1,
     "if the cells are separated by ';', give --delimiter ';'",
     {}},
    {"OptionWithoutItsNo", {"--paypal"}, "", 2, "did you mean --no-paypal?", {}},
    {"OptionInCapitals", {"--END", "45"}, "", 2, "--END: unknown option; did you mean --end?", {}},
    {"OneHyphen", {"-e", "45"}, "", 2, "-e: unknown option; did you mean --end?", {}},
    {"TargetBeyondTheAmounts",
     {"--target-profit", "-1e300"},
     "",
     2,
     "takes an amount the calculator can hold",
     {}},
    {"OptionTwice",
     {"--end", "45", "--end", "46"},
     "",
     2,
     "--end is given twice; give it once",
     {}},
    {"MarginBeyondExactCents",
     {"--item-cost", "1e10", "--no-paypal", "--target-margin", "98.499"},
     "",
     1,
     "the target is reached only where the amounts pass 10000000000000.00",
     {}},
    {"TargetSlopeWithoutPayPal",
     {"--item-cost=8.5842", "--shipping-charged=-18.5150", "--no-paypal", "--other-costs=1.809",
      "--target-profit=-27.25"},
     "",
     0,
     "1.95\n",
     {}},
    {"PicturePackWithPictureShow",
     {"--picture-pack", "--picture-show"},
     "",
     2,
     "--picture-show excludes --picture-pack",
     {}},
    {"BreakEvenWithAMargin", {"--break-even", "--target-margin=40"}, "", 2, "excludes", {}},
    {"TargetWithAnEndingPrice", {"--target-profit=5", "--end=45"}, "", 2, "excludes", {}},
    {"TargetAsJson", {"--break-even", "--json"}, "", 2, "excludes", {}},
    {"SolveWithoutABatch", {"--solve", "break-even"}, "", 2, "requires --batch", {}},
    {"UTF16WithoutAMark",
     {"--batch", "-"},
     std::string("i\0t\0e\0m\0_\0c\0o\0s\0t\0\n\0", 20),
     1,
     "<stdin>:1: error: the file is UTF-16",
     {}},
    {"UTF16WithAQuotedFirstCell",
     {"--batch", "-"},
     std::string("\xFF\xFE\"\0s\0\"\0\n\0", 10),
     1,
     "<stdin>:1: error: the file is UTF-16",
     {}},
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

// An input without end, given by a shell ($0 is the program), and what refuses it.
struct EndlessInput {
    const char* name;
    std::string script;
    std::string message;
};

void PrintTo(const EndlessInput& c, std::ostream* out) {
    *out << c.name;
}

class EndlessInputs : public testing::TestWithParam<EndlessInput> {};

// Under a limit of 64 MiB of address space, a program that held such an input would fail to
// grow, and say another thing or crash: each is refused with its reason first. The address
// sanitizer reserves more than that for itself, so its build is held to the reason alone.
#ifdef __SANITIZE_ADDRESS__
constexpr const char* address_space_limit = "";
#else
constexpr const char* address_space_limit = "ulimit -v 65536; ";
#endif

TEST_P(EndlessInputs, AreRefusedWithin64MiB) {
    const ProgramRun run =
        run_program("/bin/bash", {"-c", address_space_limit + GetParam().script, CORVANDEL_CALC});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
}

const EndlessInput endless_inputs[] = {
    {"Zeros", "exec \"$0\" --batch /dev/zero", "/dev/zero:1: error: the file is UTF-16"},
    {"HeaderWithoutEnd", "yes sku, | tr -d '\\n' | \"$0\" --batch -", ":1: error: a row longer"},
    {"LineWithoutEnd", "{ echo sku,end_price; yes A | tr -d '\\n'; } | \"$0\" --batch -",
     ":2: error: a row longer than 1 MiB"},
    {"UnclosedQuote", "{ echo sku,end_price; echo '\"A'; yes; } | \"$0\" --batch -",
     ":2: error: a row longer than 1 MiB"},
};

INSTANTIATE_TEST_SUITE_P(CommandLine, EndlessInputs, testing::ValuesIn(endless_inputs),
                         [](const auto& test) { return std::string(test.param.name); });

// SIGTERM ends a batch whose output pipe is full and never read within a second, and what the
// pipe holds then is whole rows.
TEST(Signal, EndsABatchAtOnceWithAFullPipe) {
    const auto in_path = std::filesystem::temp_directory_path() /
                         ("corvandel-pipe-" + std::to_string(::getpid()) + ".csv");
    std::ofstream(in_path) << "sku,end_price,item_cost\n" + repeated("A,30.75,12.3456\n", 100'000);
    int pipe_ends[2];
    ASSERT_EQ(::pipe(pipe_ends), 0);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, pipe_ends[1], 1);
    posix_spawn_file_actions_addclose(&files, pipe_ends[0]);
    std::string program = CORVANDEL_CALC, batch = "--batch", path = in_path;
    char* argv[] = {program.data(), batch.data(), path.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &files, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&files);
    ::close(pipe_ends[1]);
    // Full: the pipe holds nearly its 64 KiB and the program sleeps, waiting to write.
    const auto full = [&] {
        int held = 0;
        const std::string stat = contents_of("/proc/" + std::to_string(pid) + "/stat");
        return ioctl(pipe_ends[0], FIONREAD, &held) == 0 && held > 60'000 &&
               stat.find(") S ") != std::string::npos;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!full() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(full());
    const auto signalled = std::chrono::steady_clock::now();
    ::kill(pid, SIGTERM);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0 &&
           std::chrono::steady_clock::now() - signalled < std::chrono::seconds(5)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const auto took = std::chrono::steady_clock::now() - signalled;
    ::kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_LT(took, std::chrono::seconds(1));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    std::string out(1 << 17, '\0');
    out.resize(static_cast<std::size_t>(
        std::max<ssize_t>(0, ::read(pipe_ends[0], out.data(), out.size()))));
    ::close(pipe_ends[0]);
    std::filesystem::remove(in_path);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.back(), '\n');
    for (const auto& row : csv_rows(out)) {
        EXPECT_EQ(row.size(), 14U) << row.front();
    }
}

}  // namespace
}  // namespace corvandel
