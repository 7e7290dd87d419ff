#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvandel {

// What a finished program printed and how it ended.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string contents_of(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where a program's standard output goes: to a file the run reads back, to a full disk, nowhere
// at all (closed), or to the file of its standard input, appended. Or to a file the run reads
// back, with SIGTERM sent as soon as the program has written something (interrupted).
enum class Output { kept, full_disk, closed, input_file, interrupted };

// Runs a program with these arguments, its standard input from `input` (empty: none), and waits
// for it to end. Its output goes through files, so that no amount of it can block it.
inline ProgramRun run_program(const std::string& program, const std::vector<std::string>& arguments,
                              const std::string& input = {}, Output output = Output::kept) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("corvandel-run-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto in_path = folder / "in", out_path = folder / "out", err_path = folder / "err";
    std::ofstream(in_path, std::ios::binary) << input;

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, in_path.c_str(), O_RDONLY, 0);
    if (output == Output::closed) {
        posix_spawn_file_actions_addclose(&files, 1);
    } else if (output == Output::input_file) {
        posix_spawn_file_actions_addopen(&files, 1, in_path.c_str(), O_WRONLY | O_APPEND, 0);
    } else {
        posix_spawn_file_actions_addopen(
            &files, 1, output == Output::full_disk ? "/dev/full" : out_path.c_str(),
            O_WRONLY | O_CREAT | O_TRUNC, 0600);
    }
    posix_spawn_file_actions_addopen(&files, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    ProgramRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), environ) == 0) {
        // A program that runs for a minute is stopped: none of these should take a second.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        int wait_status = 0;
        bool signalled = false;
        while (waitpid(pid, &wait_status, WNOHANG) == 0) {
            std::error_code no_file;
            if (output == Output::interrupted && !signalled &&
                std::filesystem::file_size(out_path, no_file) > 0 && !no_file) {
                signalled = ::kill(pid, SIGTERM) == 0;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        // A program ended by a signal has the status a shell gives it.
        run.status = WIFEXITED(wait_status)     ? WEXITSTATUS(wait_status)
                     : WIFSIGNALED(wait_status) ? 128 + WTERMSIG(wait_status)
                                                : -1;
    }
    posix_spawn_file_actions_destroy(&files);
    run.out = contents_of(out_path);
    run.err = contents_of(err_path);
    std::filesystem::remove_all(folder);
    return run;
}

// The rows of a CSV text as this program writes it: cells split at the delimiter outside quotes,
// quoted cells unquoted, rows ended by line breaks (\n, \r\n or \r) outside quotes.
inline std::vector<std::vector<std::string>> csv_rows(const std::string& csv,
                                                      char delimiter = ',') {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row(1);
    bool quoted = false;
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
            row.back() += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == delimiter) {
            row.emplace_back();
        } else if (!quoted && (c == '\n' || c == '\r')) {
            rows.push_back(std::exchange(row, std::vector<std::string>(1)));
            i += c == '\r' && i + 1 < csv.size() && csv[i + 1] == '\n';
        } else {
            row.back() += c;
        }
    }
    return rows;
}

}  // namespace corvandel
