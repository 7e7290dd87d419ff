#include "cli/output.h"

#include <cerrno>
#include <cstring>

namespace corvandel::cli {

bool Output::flush() {
    errno = 0;
    if (error_ == 0 &&
        (std::fwrite(buffer_.data(), 1, used_, stream_) != used_ || std::fflush(stream_) != 0)) {
        error_ = errno != 0 ? errno : EIO;
    }
    used_ = 0;
    return error_ == 0;
}

// The text does not fit what is left of the buffer: the buffer is written, then the text starts
// it again, or goes straight after when it is larger than the whole buffer.
bool Output::write_through(std::string_view text) {
    if (!flush()) {
        return false;
    }
    if (text.size() <= buffer_.size()) {
        return write(text);
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size()) {
        error_ = errno != 0 ? errno : EIO;
    }
    return flush();
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
