#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/batch.h"
#include "cli/listing.h"
#include "cli/output.h"
#include "cli/solver.h"
#include "inventory.h"

namespace corvandel {
namespace {

// A whole batch, from CSV in memory to CSV thrown away: reading, calculating and writing.
void BatchRows(benchmark::State& state) {
    bench::Inventory inventory(1);
    std::string csv = bench::Inventory::header();
    const auto rows = state.range(0);
    for (std::int64_t row = 0; row < rows; ++row) {
        inventory.append_row(csv);
    }
    std::FILE* nowhere = std::fopen("/dev/null", "w");
    cli::Output out(fileno(nowhere));
    cli::BatchRequest request;
    request.name = "inventory.csv";
    // The batch reads the file's descriptor, as it reads a pipe.
    std::FILE* in = std::tmpfile();
    std::fwrite(csv.data(), 1, csv.size(), in);
    std::fflush(in);
    for (auto _ : state) {
        lseek(fileno(in), 0, SEEK_SET);
        benchmark::DoNotOptimize(cli::run_batch(in, request, out, stderr));
    }
    std::fclose(in);
    out.close(0, stderr);
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(csv.size()));
}
BENCHMARK(BatchRows)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The listing of a typical row entered and calculated on the in-memory window.
void OneListing(benchmark::State& state) {
    cli::Listing listing;
    listing.texts[0] = "12.50";
    listing.texts[1] = "9.99";
    listing.texts[4] = "45";
    listing.texts[5] = "5";
    listing.texts[6] = "4.20";
    listing.texts[8] = "3";
    listing.ticks[4] = true;  // Gallery
    cli::ListingRunner runner;
    for (auto _ : state) {
        benchmark::DoNotOptimize(runner.run(listing).results.back().data());
    }
}
BENCHMARK(OneListing);

// The lowest ending price for that listing: break-even, and a margin just below the share the
// fees leave of a further dollar in the first band, where the profit gains least on the target.
void LowestEndPrice(benchmark::State& state, const char* target) {
    cli::Listing listing;
    listing.texts[0] = "12.50";
    listing.texts[5] = "5";
    listing.texts[6] = "4.20";
    cli::ListingRunner runner;
    runner.run(listing);
    const auto wanted = *cli::target_from(target);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cli::lowest_end_price(runner, wanted).cents);
    }
}
BENCHMARK_CAPTURE(LowestEndPrice, BreakEven, "break-even")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(LowestEndPrice, Margin91_84, "margin=91.84")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvandel
