#pragma once

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace corvandel::cli {

// Whether the file is the one standard output writes to: a file the program reads or replaces
// there would be its own output.
bool is_standard_output(const struct stat& file);

// A file descriptor written a whole row at a time with write(2), every write checked. Rows are
// gathered up to what a pipe takes in one piece (PIPE_BUF), so that each write holds whole rows
// and a pipe takes it whole or not at all; a signal can then end the program at once, even
// while a full pipe holds a write back, and leave no cut row for a spreadsheet to read as a
// wrong number. After the first failure nothing more is written, and its reason is kept for the
// one line that tells it.
class Output {
  public:
    explicit Output(int fd);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Writes a text that ends where a row does. False once anything could not be written.
    bool write(std::string_view text);
    bool flush();

    // Flushes and closes the descriptor. When anything was lost on the way, says so on `errors`
    // and returns 1; otherwise returns `status`.
    int close(int status, std::FILE* errors);

    // From now on SIGINT, SIGTERM and SIGHUP end the program at once, as the signal would have
    // ended it, unless a write is part way through a row (a row longer than a pipe takes in one
    // piece, or output that is no pipe or file): then at the end of that write. Rows gathered
    // but not yet written are dropped.
    static void end_at_once_on_signals();

  private:
    bool send(std::string_view text);

    int fd_;
    bool whole_writes_;    // the descriptor takes a write of PIPE_BUF bytes whole or not at all
    std::string pending_;  // whole rows not yet written
    int error_ = 0;        // the errno of the first failure
};

}  // namespace corvandel::cli
