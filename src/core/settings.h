// Where the program keeps its settings: text values by application, section
// and key in the per-user store.
#pragma once

namespace tw::settings {

inline constexpr const char* kApp = "Tunewarden";

// The display mode, written at every switch and never read back.
inline constexpr const char* kModeSection = "Settings";
inline constexpr const char* kModeKey = "Mode";

// The game folder the announcer writes its script into.
inline constexpr const char* kGameFolderSection = "WTF";
inline constexpr const char* kGameFolderKey = "CSFolder";

}  // namespace tw::settings
