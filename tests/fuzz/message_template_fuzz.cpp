// "msg.txt" holding any bytes, read through the real path on the simulated
// desktop: the template that comes out is always usable, a first line that is
// valid UTF-8 comes out as it is, and UTF-16 behind its mark comes out as a
// plain decoding written here says; of a file past the reader's 64 KiB, what
// the read holds, less a character it cut.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_template.h"
#include "fuzz_check.h"
#include "sim_desktop.h"
#include "text/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// The reader's limit: a template longer than this is far past any use.
constexpr std::size_t kReadLimit = 64 * 1024;
// What a missing, empty or blank first line gives.
constexpr std::string_view kDefault = "I am currently listening to %S.";

void AppendUtf8(std::string& text, unsigned c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 + c / 64);
        text += static_cast<char>(0x80 + c % 64);
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 + c / 4096);
        text += static_cast<char>(0x80 + c / 64 % 64);
        text += static_cast<char>(0x80 + c % 64);
    } else {
        text += static_cast<char>(0xF0 + c / 262144);
        text += static_cast<char>(0x80 + c / 4096 % 64);
        text += static_cast<char>(0x80 + c / 64 % 64);
        text += static_cast<char>(0x80 + c % 64);
    }
}

// The first line of the UTF-16 file (mark included) as far as the reader
// sees it, in UTF-8: unpaired surrogates and an odd last byte become '?',
// and a read cut at the limit loses a high surrogate whose pair it cut off.
std::string Utf16FirstLine(std::string_view file, bool bigEndian) {
    const std::string_view read = file.substr(0, kReadLimit);
    std::vector<unsigned> units;
    for (std::size_t i = 2; i + 1 < read.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(read[i]);
        const unsigned second = static_cast<unsigned char>(read[i + 1]);
        units.push_back(bigEndian ? first * 256 + second : second * 256 + first);
    }
    const auto isHigh = [](unsigned unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto isLow = [](unsigned unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    if (file.size() >= kReadLimit && !units.empty() && isHigh(units.back())) {
        units.pop_back();
    }
    std::string line;
    for (std::size_t i = 0; i < units.size(); ++i) {
        unsigned c = units[i];
        if (isHigh(c) && i + 1 < units.size() && isLow(units[i + 1])) {
            c = 0x10000 + (c - 0xD800) * 0x400 + (units[i + 1] - 0xDC00);
            ++i;
        } else if (isHigh(c) || isLow(c)) {
            c = '?';
        }
        if (c == '\r' || c == '\n') {
            return line;
        }
        AppendUtf8(line, c);
    }
    if (read.size() % 2 != 0) {
        line += '?';
    }
    return line;
}

// One desktop for every input: reading leaves it as it was, and a new one per
// input would create and remove a folder each time.
tw::sim::SimDesktop& Desktop() {
    static tw::sim::SimDesktop desktop;
    return desktop;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto& desktop = Desktop();
    const auto path = desktop.programFolder() / "msg.txt";
    // A file truncated in place makes ext4 write it out on close; a new file
    // is gone again before anything reaches the disk.
    std::filesystem::remove(path);
    desktop.WriteRealFile(path, bytes);

    const std::string messageTemplate = tw::ReadMessageTemplate(desktop);

    TW_FUZZ_CHECK(!messageTemplate.empty());
    TW_FUZZ_CHECK(tw::utf8::IsValid(messageTemplate));
    TW_FUZZ_CHECK(messageTemplate.find_first_of("\r\n") == std::string::npos);

    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (littleEndian || bytes.starts_with("\xFE\xFF")) {
        const std::string line = Utf16FirstLine(bytes, !littleEndian);
        if (line.find_first_not_of(' ') == std::string::npos) {
            TW_FUZZ_CHECK(messageTemplate == kDefault);
        } else {
            TW_FUZZ_CHECK(messageTemplate == line);
        }
        return 0;
    }
    const std::string_view read = bytes.substr(0, kReadLimit);
    std::size_t end = 0;
    while (end < read.size() && read[end] != '\r' && read[end] != '\n') {
        ++end;
    }
    std::string_view line = read.substr(0, end);
    // A line the read stops in loses the character the read ends in, cut or whole: where that
    // takes more than a character's four bytes, the line was not UTF-8 and is not checked.
    bool cutInACharacter = true;
    if (line.size() == kReadLimit) {
        std::size_t last = line.size() - 1;
        while (last > 0 && (static_cast<unsigned char>(line[last]) & 0xC0) == 0x80) {
            --last;
        }
        cutInACharacter = line.size() - last <= 4;
        line = line.substr(0, last);
    }
    if (line.starts_with(kUtf8Mark)) {
        line.remove_prefix(kUtf8Mark.size());
    }
    if (line.find_first_not_of(' ') == std::string_view::npos) {
        TW_FUZZ_CHECK(messageTemplate == kDefault);
    } else if (cutInACharacter && tw::utf8::IsValid(line)) {
        TW_FUZZ_CHECK(messageTemplate == line);
    }
    return 0;
}
