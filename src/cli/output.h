#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace corvandel::cli {

// A stream written through a buffer, every write checked. After the first failure nothing more
// is written, and its reason is kept for the one line that tells it.
class Output {
  public:
    explicit Output(std::FILE* stream) : stream_(stream) {}

    // False once anything written so far could not be written.
    bool write(std::string_view text) {
        buffer_ += text;
        return buffer_.size() < (1 << 16) ? error_ == 0 : flush();
    }
    bool flush();

    // Flushes and closes the stream. When anything was lost on the way, says so on `errors` and
    // returns 1; otherwise returns `status`.
    int close(int status, std::FILE* errors);

  private:
    std::FILE* stream_;
    std::string buffer_;
    int error_ = 0;  // the errno of the first failure
};

}  // namespace corvandel::cli
