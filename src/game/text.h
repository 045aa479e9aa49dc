// UTF-8 helpers for the names the player types.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace varlo {

/// The first maxChars characters (code points) of a UTF-8 text.
std::string Utf8Left(std::string_view text, std::size_t maxChars);
/// The longest prefix of at most maxBytes bytes that ends on a character
/// boundary.
std::string Utf8CutBytes(std::string_view text, std::size_t maxBytes);
bool IsValidUtf8(std::string_view text);
/// Reads 8-bit text written by older programs as Latin-1.
std::string Latin1ToUtf8(std::string_view text);

}  // namespace varlo
