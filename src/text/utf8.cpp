#include "text/utf8.h"

namespace tw::utf8 {

namespace {

constexpr std::size_t kLongestCharacter = 4;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed character that starts the text, 0 if none
// does. The ranges are those of the Unicode standard's table of well-formed
// byte sequences: the second byte's range after E0, ED, F0 and F4 is what
// shuts out overlong forms, surrogates and code points past U+10FFFF.
std::size_t CharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned byte = static_cast<unsigned char>(text[i]);
        if (byte < low || byte > high) {
            return 0;
        }
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

}  // namespace

bool IsValid(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = CharacterLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

std::string Repaired(std::string_view text) {
    std::string repaired(text);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text.substr(at));
        if (length == 0) {
            repaired[at++] = '?';
        } else {
            at += length;
        }
    }
    return repaired;
}

std::size_t CutLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text.size();
    }
    // In valid text the byte just past the cut shows whether a character runs
    // across it; the bound keeps other text from being eaten back to nothing.
    std::size_t length = maxBytes;
    while (length > 0 && maxBytes - length < kLongestCharacter - 1 &&
           IsContinuation(static_cast<unsigned char>(text[length]))) {
        --length;
    }
    return length;
}

}  // namespace tw::utf8
