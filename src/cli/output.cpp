#include "cli/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

namespace corvandel::cli {

bool is_standard_output(const struct stat& file) {
    struct stat output = {};
    return fstat(STDOUT_FILENO, &output) == 0 && file.st_dev == output.st_dev &&
           file.st_ino == output.st_ino;
}

namespace {

// Set while a write may have sent part of a row, so that a signal waits for the rest.
volatile std::sig_atomic_t cut_row_out = 0;
// The signal that came meanwhile, to end the program by once the row is out.
volatile std::sig_atomic_t signal_kept = 0;

// Ends the program as the signal would have ended it without a handler.
void end_by(int signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

extern "C" void on_signal(int signal) {
    if (cut_row_out == 0) {
        end_by(signal);
    }
    signal_kept = signal;
}

}  // namespace

Output::Output(int fd) : fd_(fd) {
    struct stat kind = {};
    // A write to a file is not cut by a signal that is handled; one to a pipe of at most
    // PIPE_BUF bytes is written whole or not at all.
    whole_writes_ = fstat(fd, &kind) == 0 && (S_ISFIFO(kind.st_mode) || S_ISREG(kind.st_mode));
}

void Output::end_at_once_on_signals() {
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

bool Output::write(std::string_view text) {
    if (pending_.size() + text.size() > PIPE_BUF && !flush()) {
        return false;
    }
    if (text.size() > PIPE_BUF) {
        return send(text);
    }
    pending_ += text;
    return error_ == 0;
}

bool Output::flush() {
    const bool sent = send(pending_);
    pending_.clear();
    return sent;
}

bool Output::send(std::string_view text) {
    cut_row_out = text.size() > PIPE_BUF || !whole_writes_;
    while (!text.empty() && error_ == 0) {
        const ssize_t written = ::write(fd_, text.data(), text.size());
        if (written >= 0) {
            text.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno != EINTR) {
            error_ = errno;
        }
    }
    cut_row_out = 0;
    if (signal_kept != 0) {
        end_by(signal_kept);
    }
    return error_ == 0;
}

int Output::close(int status, std::FILE* errors) {
    if (flush() && ::close(fd_) != 0) {
        error_ = errno;
    }
    if (error_ == 0) {
        return status;
    }
    std::fprintf(errors, "error: cannot write the results: %s\n", std::strerror(error_));
    return 1;
}

}  // namespace corvandel::cli
