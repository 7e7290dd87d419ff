#include "cli/file_at_once.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace corvandel::cli {

namespace {

// A new file beside `path`, open for writing, its name in `name`; -1 when none can be made.
int new_file_beside(const std::string& path, std::string& name) {
    std::vector<char> pattern(path.begin(), path.end());
    for (const char c : std::string_view(".XXXXXX")) {
        pattern.push_back(c);
    }
    pattern.push_back('\0');
    const int file = mkstemp(pattern.data());
    name = pattern.data();
    return file;
}

std::string reason() {
    return std::strerror(errno);
}

}  // namespace

std::string refusal_to_write(const std::string& path) {
    struct stat status = {};
    if (stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) {
            return std::strerror(EISDIR);
        }
        if (access(path.c_str(), W_OK) != 0) {
            return reason();
        }
    }
    std::string name;
    const int file = new_file_beside(path, name);
    if (file < 0) {
        return reason();
    }
    close(file);
    unlink(name.c_str());
    return {};
}

std::string write_at_once(const std::string& path, std::string_view text) {
    std::string name;
    const int file = new_file_beside(path, name);
    if (file < 0) {
        return reason();
    }
    // mkstemp makes the file for its owner alone; a drawing is for anyone the umask lets read.
    const mode_t mask = umask(0);
    umask(mask);
    bool written = fchmod(file, 0666 & ~mask) == 0;
    while (written && !text.empty()) {
        const ssize_t wrote = write(file, text.data(), text.size());
        written = wrote > 0 || (wrote < 0 && errno == EINTR);
        text.remove_prefix(wrote > 0 ? static_cast<std::size_t>(wrote) : 0);
    }
    written = written && fsync(file) == 0;
    const std::string why = written ? std::string() : reason();
    if (close(file) != 0 && written) {
        unlink(name.c_str());
        return reason();
    }
    if (!written || std::rename(name.c_str(), path.c_str()) != 0) {
        const std::string failure = written ? reason() : why;
        unlink(name.c_str());
        return failure;
    }
    return {};
}

}  // namespace corvandel::cli
