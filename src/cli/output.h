#pragma once

#include <cstdio>
#include <string_view>

namespace corvandel::cli {

// Standard output, written a whole row at a time with every write checked. The stream's buffer
// goes to the system only between rows, so that a program stopped on the way (by a signal, a
// kill or a crash) leaves no cut row for a spreadsheet to read as a wrong number. After the first
// failure nothing more is written, and its reason is kept for the one line that tells it.
class Output {
  public:
    explicit Output(std::FILE* stream) : stream_(stream) {}
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Writes a text that ends where a row does. False once anything could not be written.
    bool write(std::string_view text);
    bool flush();

    // Flushes and closes the stream. When anything was lost on the way, says so on `errors` and
    // returns 1; otherwise returns `status`.
    int close(int status, std::FILE* errors);

    // From now on SIGINT, SIGTERM and SIGHUP end the program after the row in hand: a signal that
    // comes while a row is being written is kept, for the writer to stop after that row; one that
    // comes while every row written has gone out (as while the input is awaited) ends the program
    // at once. Either way the program ends as the signal would have ended it.
    static void end_between_rows_on_signals();
    // The signal kept, 0 while none has come.
    static int signal_caught();
    // Ends the program by the signal kept, if one was.
    static void end_by_signal_caught();

  private:
    bool failed();

    std::FILE* stream_;
    int error_ = 0;  // the errno of the first failure
};

}  // namespace corvandel::cli
