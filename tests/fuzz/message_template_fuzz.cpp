// "msg.txt" holding any bytes, read through the real path on the simulated
// desktop: the template that comes out is always usable, and a first line that
// is valid UTF-8 comes out as it is.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "mainwindow/message_template.h"
#include "mainwindow/module.h"
#include "sim_desktop.h"
#include "text/utf8.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

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

    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
        ++end;
    }
    std::string_view line = bytes.substr(0, end);
    if (line.starts_with(kUtf8Mark)) {
        line.remove_prefix(kUtf8Mark.size());
    }
    if (line.find_first_not_of(' ') == std::string_view::npos) {
        TW_FUZZ_CHECK(messageTemplate == tw::kDefaultMessageTemplate);
    } else if (tw::utf8::IsValid(line)) {
        TW_FUZZ_CHECK(messageTemplate == line);
    }
    return 0;
}
