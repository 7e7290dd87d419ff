// corvandel-calc: the calculator's fee schedule from the command line. It runs the window's own
// rules on an in-memory window: the leaving test of each price field, the option interlocks and
// the Calculate run, so that its answers are the window's answers, character for character.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "calc/amount_text.h"
#include "cli/batch.h"
#include "cli/explain.h"
#include "cli/listing.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/sweep.h"

namespace corvandel::cli {
namespace {

enum ExitStatus { results_printed = 0, refused = 1, usage_error = 2, unreachable = 3 };

// A text as a JSON string; bytes that are not UTF-8 become U+FFFD rather than stop the program.
std::string json_text(std::string_view text) {
    return nlohmann::json(std::string(text))
        .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

Listing listing_of(const Options& options) {
    Listing listing;
    listing.texts = options.texts;
    for (std::size_t i = 0; i < tick_inputs; ++i) {
        if (options.ticks[i]) {
            listing.ticks[i] = input_names[text_inputs + i].control != Control::chk_paypal;
        }
    }
    return listing;
}

// One listing as the window shows it: the results as it labels them, or as JSON, whose amounts
// are the window's texts as strings so that every digit stays as shown, each explained where
// asked; or the lowest ending price that reaches the target.
int one_listing(const Options& options, Output& out) {
    ListingRunner runner;
    const Outcome outcome = runner.run(listing_of(options), options.target);
    if (outcome.refused()) {
        std::fprintf(stderr, "error: %s\n", outcome.error.c_str());
        if (options.json) {
            out.write("{\"error\": " + json_text(outcome.error) + "}\n");
        }
        return refused;
    }
    for (const std::string& warning : outcome.warnings) {
        std::fprintf(stderr, "warning: %s\n", warning.c_str());
    }
    if (outcome.solution) {
        const bool found = outcome.solution->kind == Solution::Kind::found;
        out.write(found ? two_decimal_text(outcome.solution->cents) + "\n" : "unreachable\n");
        return found ? results_printed : unreachable;
    }
    std::size_t width = 0;  // the longest label, a colon and a blank
    for (const Control field : result_fields) {
        width = std::max(width, field_title(field).size() + 2);
    }
    std::string text = options.json ? "{" : "";
    for (std::size_t i = 0; i < result_fields.size(); ++i) {
        std::string label = std::string(field_title(result_fields[i])) + ":";
        label.resize(outcome.results[i].empty() ? label.size() : width, ' ');
        text += options.json
                    ? json_text(result_columns[i]) + ": " + json_text(outcome.results[i]) + ", "
                    : label + outcome.results[i] + "\n";
    }
    const std::optional<Explanation> explanation =
        options.explain ? std::optional(explain(runner.window(), outcome.results)) : std::nullopt;
    if (options.json) {
        text += "\"warnings\": [";
        for (std::size_t i = 0; i < outcome.warnings.size(); ++i) {
            text += (i == 0 ? "" : ", ") + json_text(outcome.warnings[i]);
        }
        text += "]" + (explanation ? explanation_json(*explanation) : "") + "}\n";
    } else if (explanation) {
        text += explanation_text(*explanation);
    }
    out.write(text);
    return results_printed;
}

// A whole inventory. One that is also the standard output is refused before it is read: it would
// read back every row written, without end.
int inventory(const Options& options, Output& out) {
    BatchRequest request{options.batch == "-" ? "<stdin>" : options.batch, std::nullopt,
                         options.target};
    for (const std::string& header : options.passed_on) {
        request.passed_on.push_back(normalised_name(header));
    }
    if (!options.delimiter.empty()) {
        request.delimiter = options.delimiter == "tab" ? '\t' : options.delimiter[0];
    }
    std::FILE* in = options.batch == "-" ? stdin : std::fopen(options.batch.c_str(), "rb");
    if (in == nullptr) {
        std::fprintf(stderr, "error: cannot read %s: %s\n", options.batch.c_str(),
                     std::strerror(errno));
        return refused;
    }
    struct stat input = {};
    int status = refused;
    if (fstat(fileno(in), &input) == 0 && S_ISREG(input.st_mode) && is_standard_output(input)) {
        std::fprintf(stderr, "error: %s: the inventory is also the output\n", request.name.c_str());
    } else {
        Output::end_at_once_on_signals();
        status = run_batch(in, request, out, stderr);
    }
    std::fclose(in);
    return status;
}

int run(int argc, char** argv, Output& out) {
    Options options;
    bool wrong = false;
    if (const auto printed = read_command_line(argc, argv, options, wrong)) {
        std::fputs(wrong ? printed->c_str() : "", stderr);
        out.write(wrong ? "" : *printed);
        return wrong ? usage_error : results_printed;
    }
    if (options.sweep) {
        return run_sweep({listing_of(options), *options.sweep, options.target, options.chart}, out,
                         stderr);
    }
    return options.batch.empty() ? one_listing(options, out) : inventory(options, out);
}

}  // namespace
}  // namespace corvandel::cli

int main(int argc, char** argv) {
    // With no standard output, the first file opened would take its place and be written over.
    if (fcntl(STDOUT_FILENO, F_GETFD) < 0) {
        std::fprintf(stderr, "error: cannot write the results: %s\n", std::strerror(errno));
        return corvandel::cli::refused;
    }
    corvandel::cli::Output out(STDOUT_FILENO);
    return out.close(corvandel::cli::run(argc, argv, out), stderr);
}
