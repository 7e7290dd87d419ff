#include "cli/output.h"

#include <stdio_ext.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace corvandel::cli {

namespace {

// Written by the signal handler and read between rows.
volatile std::sig_atomic_t signal_kept = 0;
// Whether every row written so far has gone to the system, so that ending now cuts none.
volatile std::sig_atomic_t all_out = 1;

// Ends the program as the signal would have ended it without a handler.
void end_by(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

extern "C" void on_signal(int signal) {
    if (all_out != 0) {
        end_by(signal);
    }
    signal_kept = signal;
}

}  // namespace

void Output::end_between_rows_on_signals() {
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // a write cut short by the handler goes on
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

int Output::signal_caught() {
    return signal_kept;
}

void Output::end_by_signal_caught() {
    if (signal_kept != 0) {
        end_by(signal_kept);
    }
}

bool Output::failed() {
    if (error_ == 0) {
        error_ = errno != 0 ? errno : EIO;
    }
    return false;
}

// The stream's buffer is handed on whole before a text that would not fit what is left of it;
// a text larger than the whole buffer goes out at once.
bool Output::write(std::string_view text) {
    if (error_ != 0) {
        return false;
    }
    all_out = 0;
    errno = 0;
    const std::size_t room = __fbufsize(stream_);
    if (__fpending(stream_) + text.size() > room && std::fflush(stream_) != 0) {
        return failed();
    }
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) {
        return failed();
    }
    return text.size() <= std::max(room, __fbufsize(stream_)) || flush();
}

bool Output::flush() {
    errno = 0;
    if (error_ != 0 || std::fflush(stream_) != 0) {
        return failed();
    }
    all_out = 1;
    return true;
}

int Output::close(int status, std::FILE* errors) {
    const bool flushed = flush();
    errno = 0;
    if (std::fclose(stream_) != 0 && flushed) {
        failed();
    }
    if (error_ == 0) {
        return status;
    }
    std::fprintf(errors, "error: cannot write the results: %s\n", std::strerror(error_));
    return 1;
}

}  // namespace corvandel::cli
