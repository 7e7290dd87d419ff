#pragma once

#include <string>
#include <string_view>

namespace corvandel::cli {

// Why a file could not be written in its place (a folder, a file or folder without the right to
// write); empty when it can.
std::string refusal_to_write(const std::string& path);

// Writes the text to a new file beside `path` and renames it over `path`, so that the name holds
// the whole text or whatever it held before, never a part. Returns the reason it could not;
// empty once written.
std::string write_at_once(const std::string& path, std::string_view text);

}  // namespace corvandel::cli
