// UTF-8 checks for text that comes from outside the program: song titles that
// strangers name and a message file that any editor may have saved, Notepad's
// UTF-16 included.
#pragma once

#include <cstddef>
#include <optional>
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

enum class Utf16Order { kLittleEndian, kBigEndian };

inline constexpr std::size_t kUtf16MarkBytes = 2;

// The byte order whose mark starts the bytes (FF FE little-endian, FE FF
// big-endian), nothing when neither does.
std::optional<Utf16Order> Utf16Mark(std::string_view bytes);

// UTF-16 code units, without a mark, in UTF-8. Each surrogate that is not half
// of a pair, and an odd last byte, becomes '?', as Repaired does with bytes.
std::string FromUtf16(std::string_view units, Utf16Order order);

// The length of the code units without the end that a read stopping there may
// have cut in two: an odd last byte, or a last high surrogate.
std::size_t Utf16CutLength(std::string_view units, Utf16Order order);

}  // namespace tw::utf8
