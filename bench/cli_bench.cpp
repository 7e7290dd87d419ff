#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "cli/batch.h"
#include "cli/listing.h"
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
    for (auto _ : state) {
        std::FILE* in = fmemopen(csv.data(), csv.size(), "r");
        benchmark::DoNotOptimize(cli::run_batch(in, nowhere, stderr, std::nullopt));
        std::fclose(in);
    }
    std::fclose(nowhere);
    state.SetItemsProcessed(state.iterations() * rows);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(csv.size()));
}
BENCHMARK(BatchRows)->Arg(10'000)->Unit(benchmark::kMillisecond);

// The listing of a typical row entered and calculated on the in-memory window.
void OneListing(benchmark::State& state) {
    cli::Listing listing;
    listing.prices[0] = "12.50";
    listing.prices[1] = "9.99";
    listing.prices[4] = "45";
    listing.prices[5] = "5";
    listing.prices[6] = "4.20";
    listing.pictures = "3";
    listing.options[4] = true;  // Gallery
    cli::ListingRunner runner;
    cli::Outcome outcome;
    for (auto _ : state) {
        runner.enter(listing, outcome);
        runner.calculate(outcome);
        benchmark::DoNotOptimize(outcome.results.back().data());
    }
}
BENCHMARK(OneListing);

// One break-even answer for that listing.
void BreakEven(benchmark::State& state) {
    cli::Listing listing;
    listing.prices[0] = "12.50";
    listing.prices[5] = "5";
    listing.prices[6] = "4.20";
    cli::ListingRunner runner;
    cli::Outcome outcome;
    runner.enter(listing, outcome);
    const auto target = *cli::target_from("break-even");
    for (auto _ : state) {
        benchmark::DoNotOptimize(cli::lowest_end_price(runner, target).cents);
    }
}
BENCHMARK(BreakEven)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvandel
