// Checks the shipped program beside this test: small, and needing no DLL that Windows does
// not bring itself (a MinGW runtime DLL would make the exe fail to start on a clean system).
// Reads the PE import directory of tunewarden.exe; prints what is wrong and exits non-zero.
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uintmax_t kMaxExeBytes = 400 * 1024;

// Windows' own, lower case; "api-ms-win-" and "ext-ms-win-" API sets are Windows' too.
constexpr const char* kWindowsDlls[] = {
    "kernel32.dll", "user32.dll",   "gdi32.dll",    "shell32.dll",  "advapi32.dll", "ole32.dll",
    "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "shlwapi.dll",  "uxtheme.dll",  "version.dll",
    "winmm.dll",    "imm32.dll",    "msvcrt.dll",   "ucrtbase.dll", "ntdll.dll",    "psapi.dll",
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsWindowsDll(const std::string& name) {
    const std::string lower = Lower(name);
    if (lower.starts_with("api-ms-win-") || lower.starts_with("ext-ms-win-")) {
        return true;
    }
    return std::find(std::begin(kWindowsDlls), std::end(kWindowsDlls), lower) !=
           std::end(kWindowsDlls);
}

template <class T>
std::optional<T> At(const std::vector<char>& image, std::size_t offset) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) {
        return std::nullopt;
    }
    T value;
    std::memcpy(&value, image.data() + offset, sizeof(T));
    return value;
}

// The imported DLLs' names, or nothing when the file is no 64-bit PE image.
std::optional<std::vector<std::string>> ImportedDlls(const std::vector<char>& image) {
    const auto dos = At<IMAGE_DOS_HEADER>(image, 0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) {
        return std::nullopt;
    }
    const auto headersAt = static_cast<std::size_t>(dos->e_lfanew);
    const auto nt = At<IMAGE_NT_HEADERS64>(image, headersAt);
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
        return std::nullopt;
    }
    const std::size_t sectionsAt = headersAt + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                   nt->FileHeader.SizeOfOptionalHeader;
    std::vector<IMAGE_SECTION_HEADER> sections;
    for (unsigned i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        const auto section =
            At<IMAGE_SECTION_HEADER>(image, sectionsAt + i * sizeof(IMAGE_SECTION_HEADER));
        if (!section) {
            return std::nullopt;
        }
        sections.push_back(*section);
    }
    const auto toOffset = [&](DWORD rva) -> std::optional<std::size_t> {
        for (const IMAGE_SECTION_HEADER& section : sections) {
            const DWORD size = std::max(section.Misc.VirtualSize, section.SizeOfRawData);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + size) {
                return std::size_t{rva - section.VirtualAddress} + section.PointerToRawData;
            }
        }
        return std::nullopt;
    };

    std::vector<std::string> names;
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) {
        return names;
    }
    auto entryAt = toOffset(directory.VirtualAddress);
    for (; entryAt; *entryAt += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto entry = At<IMAGE_IMPORT_DESCRIPTOR>(image, *entryAt);
        if (!entry) {
            return std::nullopt;
        }
        if (entry->Name == 0) {
            return names;  // the all-zero entry that ends the table
        }
        const auto nameAt = toOffset(entry->Name);
        if (!nameAt) {
            return std::nullopt;
        }
        const char* name = image.data() + *nameAt;
        names.emplace_back(name, strnlen(name, image.size() - *nameAt));
    }
    return std::nullopt;
}

std::filesystem::path ExeDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

}  // namespace

int main() {
    const std::filesystem::path exe = ExeDirectory() / "tunewarden.exe";
    std::ifstream file(exe, std::ios::binary);
    const std::vector<char> image{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    if (image.empty()) {
        std::printf("cannot read %s\n", exe.string().c_str());
        return 1;
    }
    int failures = 0;
    if (image.size() >= kMaxExeBytes) {
        std::printf("tunewarden.exe has %zu bytes, %ju or more\n", image.size(), kMaxExeBytes);
        ++failures;
    }
    const auto dlls = ImportedDlls(image);
    if (!dlls) {
        std::printf("tunewarden.exe has no readable import table\n");
        return 1;
    }
    for (const std::string& dll : *dlls) {
        const bool own = IsWindowsDll(dll);
        std::printf("imports %s%s\n", dll.c_str(), own ? "" : "  <- not part of Windows");
        failures += own ? 0 : 1;
    }
    std::printf("%s\n", failures == 0 ? "ok" : "FAILED");
    return failures == 0 ? 0 : 1;
}
