#include "help/help.h"

#include <string>
#include <string_view>

namespace tw {

namespace {

constexpr std::string_view kReadme = "\\readme.txt";
constexpr std::string_view kNoReadme =
    "Could not find readme file. Please re-download and re-install this program.";
constexpr std::string_view kNoReadmeTitle = "Couldn't find Help file";

}  // namespace

void ShowHelp(platform::System& system) {
    const std::string path = system.ProgramFolder() + std::string(kReadme);
    if (system.IsNormalFile(path)) {
        system.StartSystemProgram("notepad.exe", "notepad.exe " + path);
    } else {
        system.ShowInformation(0, kNoReadme, kNoReadmeTitle);
    }
}

}  // namespace tw
