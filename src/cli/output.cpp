#include "cli/output.h"

#include <cerrno>
#include <cstring>

namespace corvandel::cli {

bool Output::flush() {
    errno = 0;
    if (error_ == 0 && (std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size() ||
                        std::fflush(stream_) != 0)) {
        error_ = errno != 0 ? errno : EIO;
    }
    buffer_.clear();
    return error_ == 0;
}

int Output::close(int status, std::FILE* errors) {
    const bool flushed = flush();
    errno = 0;
    if (std::fclose(stream_) != 0 && flushed) {
        error_ = errno != 0 ? errno : EIO;
    }
    if (error_ == 0) {
        return status;
    }
    std::fprintf(errors, "error: cannot write the results: %s\n", std::strerror(error_));
    return 1;
}

}  // namespace corvandel::cli
