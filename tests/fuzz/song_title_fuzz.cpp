// The song cut out of any caption, checked against what the rule promises: it
// comes from before the first " - Winamp", losing at most a playlist number, its
// period and blanks at the front and blanks at the back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "player/song_title.h"

namespace {

constexpr std::string_view kMarker = " - winamp";

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t FirstMarker(std::string_view text) {
    for (std::size_t at = 0; at + kMarker.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < kMarker.size() && Lower(text[at + i]) == kMarker[i]) {
            ++i;
        }
        if (i == kMarker.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks, digits, blanks, a period, blanks: "12. " or " 3 .".
bool IsNumberAndPeriod(std::string_view text) {
    std::size_t i = 0;
    const auto skip = [&](auto&& accept) {
        const std::size_t from = i;
        while (i < text.size() && accept(text[i])) {
            ++i;
        }
        return i - from;
    };
    const auto blank = [](char c) { return c == ' '; };
    skip(blank);
    if (skip(IsDigit) == 0) {
        return false;
    }
    skip(blank);
    if (i == text.size() || text[i] != '.') {
        return false;
    }
    ++i;
    skip(blank);
    return i == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view caption(reinterpret_cast<const char*>(data), size);
    const std::string song = tw::player::CutSongTitle(caption);

    const std::size_t marker = FirstMarker(caption);
    if (marker == std::string_view::npos) {
        TW_FUZZ_CHECK(song.empty());
        return 0;
    }
    TW_FUZZ_CHECK(FirstMarker(song) == std::string_view::npos);
    TW_FUZZ_CHECK(song.empty() || (song.front() != ' ' && song.back() != ' '));

    // The song ends where the text before the marker ends, less its blanks.
    std::string_view before = caption.substr(0, marker);
    while (!before.empty() && before.back() == ' ') {
        before.remove_suffix(1);
    }
    TW_FUZZ_CHECK(before.ends_with(song));
    const std::string_view dropped = before.substr(0, before.size() - song.size());
    const bool onlyBlanks = dropped.find_first_not_of(' ') == std::string_view::npos;
    TW_FUZZ_CHECK(onlyBlanks || IsNumberAndPeriod(dropped));
    // A number before the first period is never left at the front.
    if (onlyBlanks) {
        const std::size_t period = song.find('.');
        TW_FUZZ_CHECK(period == std::string::npos ||
                      !IsNumberAndPeriod(std::string_view(song).substr(0, period + 1)));
    }
    return 0;
}
