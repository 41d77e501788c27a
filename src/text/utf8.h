// UTF-8 checks for text that comes from outside the program: song titles that
// strangers name and a message file that any editor may have saved.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::utf8 {

// True when the text is well-formed UTF-8 throughout: no stray or missing
// continuation bytes, no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsValid(std::string_view text);

// The text with every byte that is not part of a well-formed character
// replaced by '?', so the result is valid UTF-8 of the same length.
std::string Repaired(std::string_view text);

// The length of the longest start of valid UTF-8 text that holds at most
// maxBytes and ends on a character boundary. Any other text is cut no more
// than three bytes short of maxBytes.
std::size_t CutLength(std::string_view text, std::size_t maxBytes);

}  // namespace tw::utf8
