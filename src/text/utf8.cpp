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

constexpr char32_t kFirstHighSurrogate = 0xD800;
constexpr char32_t kFirstLowSurrogate = 0xDC00;
constexpr char32_t kPastSurrogates = 0xE000;

bool IsHighSurrogate(char32_t unit) {
    return unit >= kFirstHighSurrogate && unit < kFirstLowSurrogate;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= kFirstLowSurrogate && unit < kPastSurrogates;
}

// The code unit at units[2 * index].
char32_t UnitAt(std::string_view units, std::size_t index, Utf16Order order) {
    const unsigned first = static_cast<unsigned char>(units[2 * index]);
    const unsigned second = static_cast<unsigned char>(units[2 * index + 1]);
    return order == Utf16Order::kLittleEndian ? second << 8 | first : first << 8 | second;
}

void AppendCharacter(std::string& text, char32_t c) {
    const auto append = [&text](char32_t bits) { text += static_cast<char>(bits); };
    if (c < 0x80) {
        append(c);
    } else if (c < 0x800) {
        append(0xC0 | c >> 6);
        append(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        append(0xE0 | c >> 12);
        append(0x80 | (c >> 6 & 0x3F));
        append(0x80 | (c & 0x3F));
    } else {
        append(0xF0 | c >> 18);
        append(0x80 | (c >> 12 & 0x3F));
        append(0x80 | (c >> 6 & 0x3F));
        append(0x80 | (c & 0x3F));
    }
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

std::optional<Utf16Order> Utf16Mark(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        return Utf16Order::kLittleEndian;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return Utf16Order::kBigEndian;
    }
    return std::nullopt;
}

std::string FromUtf16(std::string_view units, Utf16Order order) {
    std::string text;
    const std::size_t count = units.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        char32_t c = UnitAt(units, i, order);
        if (IsHighSurrogate(c) && i + 1 < count && IsLowSurrogate(UnitAt(units, i + 1, order))) {
            c = 0x10000 + ((c - kFirstHighSurrogate) << 10) +
                (UnitAt(units, ++i, order) - kFirstLowSurrogate);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = '?';
        }
        AppendCharacter(text, c);
    }
    if (units.size() % 2 != 0) {
        text += '?';
    }
    return text;
}

std::size_t Utf16CutLength(std::string_view units, Utf16Order order) {
    std::size_t length = units.size() - units.size() % 2;
    if (length > 0 && IsHighSurrogate(UnitAt(units, length / 2 - 1, order))) {
        length -= 2;
    }
    return length;
}

}  // namespace tw::utf8
