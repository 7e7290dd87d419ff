// Any bytes as an inventory: the reader must find the rows libcsv finds in the whole text at once,
// and the batch must give back every cell it read as the same bytes, in the same rows and order,
// beside the results; nothing may crash on the way.
#include <sys/mman.h>
#include <unistd.h>

#include <csv.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "cli/batch.h"
#include "cli/csv.h"
#include "cli/names.h"
#include "cli/output.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// Says which requirement failed, to tell the crashes apart.
void require(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "csv_fuzz.cpp:%d: requirement not met\n", line);
        std::abort();
    }
}

// A file in memory holding the bytes, to read from its start.
std::FILE* file_of(std::string_view bytes, const char* mode) {
    const int fd = memfd_create("csv", 0);
    require(fd >= 0 && write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
    lseek(fd, 0, SEEK_SET);
    return fdopen(fd, mode);
}

// The rows the reader hands on, with the delimiter it chose, as far as it reads.
struct Read {
    Rows rows;
    std::optional<char> delimiter;
    bool whole = false;  // read to the end with no fault
    bool utf16 = false;  // refused as a UTF-16 file
};

Read read_all(std::string_view bytes, std::optional<char> delimiter) {
    Read read{{}, delimiter};
    corvandel::cli::CsvForm form{delimiter};
    std::FILE* in = file_of(bytes, "rb");
    const auto fault = corvandel::cli::read_csv(
        in, form,
        [&read](const corvandel::cli::CsvRow& row) {
            read.rows.push_back(row.cells);
            return true;
        },
        [] {});
    read.delimiter = form.delimiter;
    std::fclose(in);
    read.whole = !fault;
    read.utf16 = fault && fault->what.find("UTF-16") != std::string::npos;
    return read;
}

// The rows libcsv finds in the whole text at once, rows of blank cells before the first left
// out and the byte-order marks before the first cell dropped, as the reader does; `whole` when
// it found no fault.
Read libcsv_rows(std::string_view bytes, char delimiter) {
    struct Parse {
        Read read;
        std::vector<std::string> row;
    } parse;
    csv_parser parser{};
    csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
    csv_set_space_func(&parser, [](unsigned char) { return 0; });
    csv_set_delim(&parser, static_cast<unsigned char>(delimiter));
    const auto end_of_cell = [](void* text, std::size_t length, void* data) {
        static_cast<Parse*>(data)->row.emplace_back(static_cast<const char*>(text), length);
    };
    const auto end_of_row = [](int, void* data) {
        auto& p = *static_cast<Parse*>(data);
        if (!p.read.rows.empty() ||
            std::any_of(p.row.begin(), p.row.end(), [](const std::string& cell) {
                return cell.find_first_not_of(" \t") != std::string::npos;
            })) {
            while (p.read.rows.empty() && p.row[0].starts_with("\xEF\xBB\xBF")) {
                p.row[0].erase(0, 3);
            }
            p.read.rows.push_back(p.row);
        }
        p.row.clear();
    };
    while (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    parse.read.whole = csv_parse(&parser, bytes.data(), bytes.size(), end_of_cell, end_of_row,
                                 &parse) == bytes.size() &&
                       csv_fini(&parser, end_of_cell, end_of_row, &parse) == 0;
    csv_free(&parser);
    return parse.read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvandel::cli;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const Read read = read_all(bytes, std::nullopt);
    if (read.utf16) {
        require(read.rows.empty());
        return 0;
    }
    // Every row read is a row libcsv reads, up to where either finds a fault; an empty line,
    // which libcsv passes over, is a row of no cells here.
    const Read reference = libcsv_rows(bytes, *read.delimiter);
    Rows rows = read.rows;
    std::erase_if(rows, [](const auto& row) { return row.empty(); });
    const std::size_t common = std::min(rows.size(), reference.rows.size());
    require(std::equal(rows.begin(), rows.begin() + common, reference.rows.begin()));
    require(read.whole == reference.whole);
    if (read.whole) {
        require(rows.size() == reference.rows.size());
    }

    // The batch writes every row it took with each of its cells as read, but for the columns
    // of results it fills.
    std::FILE* in = file_of(bytes, "rb");
    std::FILE* errors = std::fopen("/dev/null", "w");
    std::FILE* out = file_of({}, "w+b");
    Output output(fileno(out));
    run_batch(in, {"fuzz", read.delimiter}, output, errors);
    std::fclose(in);
    std::fclose(errors);
    require(output.flush());
    std::string written(static_cast<std::size_t>(lseek(fileno(out), 0, SEEK_END)), '\0');
    require(pread(fileno(out), written.data(), written.size(), 0) ==
            static_cast<ssize_t>(written.size()));
    output.close(0, stderr);
    const Read again = read_all(written, read.delimiter);
    require(again.whole && again.rows.size() <= read.rows.size());
    for (std::size_t r = 0; r < again.rows.size(); ++r) {
        const auto& in_row = read.rows[r];
        const auto& out_row = again.rows[r];
        require(out_row.size() >= read.rows.front().size());
        for (std::size_t c = 0; c < in_row.size() && c < read.rows.front().size(); ++c) {
            const std::string name = normalised_name(again.rows.front()[c]);
            const bool result = r > 0 && std::find(result_columns.begin(), result_columns.end(),
                                                   name) != result_columns.end();
            require(result || out_row[c] == in_row[c]);
        }
    }
    return 0;
}
