#pragma once

#include <array>
#include <cstdio>
#include <string_view>

namespace corvandel::cli {

// A stream written through a buffer, every write checked. After the first failure nothing more
// is written, and its reason is kept for the one line that tells it.
class Output {
  public:
    explicit Output(std::FILE* stream) : stream_(stream) {}

    // False once anything written so far could not be written.
    bool write(std::string_view text) {
        if (text.size() > buffer_.size() - used_) {
            return write_through(text);
        }
        text.copy(buffer_.data() + used_, text.size());
        used_ += text.size();
        return error_ == 0;
    }
    bool put(char c) { return write(std::string_view(&c, 1)); }
    bool flush();

    // Flushes and closes the stream. When anything was lost on the way, says so on `errors` and
    // returns 1; otherwise returns `status`.
    int close(int status, std::FILE* errors);

  private:
    bool write_through(std::string_view text);

    std::FILE* stream_;
    std::array<char, 1 << 16> buffer_;
    std::size_t used_ = 0;
    int error_ = 0;  // the errno of the first failure
};

}  // namespace corvandel::cli
