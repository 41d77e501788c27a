// The script line from any template and any title, read the way the game's
// console reads it: whatever the two hold, the game must see one "say" command
// whose text it accepts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "announcer/script_writer.h"
#include "console_model.h"
#include "fuzz_check.h"
#include "text/utf8.h"

namespace {

constexpr std::string_view kCommand = "say \"";
constexpr std::string_view kLineEnd = "\r\n";
// What the game keeps of a dead player's message.
constexpr std::size_t kMaxMessageBytes = 104;

// Text that no repair or neutralisation touches.
bool IsPlain(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c >= ' ' && c <= '~' && c != '"'; });
}

std::string Filled(std::string_view messageTemplate, std::string_view song) {
    std::string message;
    for (std::size_t i = 0; i < messageTemplate.size(); ++i) {
        if (messageTemplate.substr(i).starts_with("%S")) {
            message += song;
            ++i;
        } else {
            message += messageTemplate[i];
        }
    }
    return message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The template ends at a backslash followed by any byte but a second one
    // ("\\" stands for one backslash); the title is the rest.
    FuzzedDataProvider input(data, size);
    // Each part in a buffer of exactly its size: a std::string's terminator
    // would hide a read one byte past its end from AddressSanitizer.
    const std::string templateBytes = input.ConsumeRandomLengthString();
    const std::vector<char> templateBuffer(templateBytes.begin(), templateBytes.end());
    const std::vector<char> songBuffer = input.ConsumeRemainingBytes<char>();
    const std::string_view messageTemplate(templateBuffer.data(), templateBuffer.size());
    const std::string_view song(songBuffer.data(), songBuffer.size());

    const std::string line = tw::announcer::BuildScriptLine(messageTemplate, song);

    TW_FUZZ_CHECK(line.starts_with(kCommand) && line.ends_with(kLineEnd));
    const std::string message =
        line.substr(kCommand.size(), line.size() - kCommand.size() - kLineEnd.size());
    TW_FUZZ_CHECK(message.size() <= kMaxMessageBytes);
    TW_FUZZ_CHECK(tw::utf8::IsValid(message));
    // Every control byte is blanked: the line's own CR LF is the only one the game sees.
    TW_FUZZ_CHECK(std::none_of(message.begin(), message.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    }));
    TW_FUZZ_CHECK(tw::test::ConsoleCommands(line) ==
                  tw::test::Commands{std::string(kCommand) + message});
    if (IsPlain(messageTemplate) && IsPlain(song)) {
        TW_FUZZ_CHECK(message == Filled(messageTemplate, song).substr(0, kMaxMessageBytes));
    }
    return 0;
}
