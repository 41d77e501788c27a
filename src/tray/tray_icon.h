// Where the tray icon opens the popup menu: in the bottom-right corner of the
// screen, just above the taskbar.
#pragma once

#include "mainwindow/module.h"
#include "platform/types.h"

namespace tw {

// The menu's place for a menu of the given size: its bottom edge on the row the
// bottom corners rest on (BottomRestRow), its right edge 100 twips in from the
// screen's with the taskbar along the bottom and from the work area's
// otherwise, so that it opens on the screen and clear of the taskbar.
platform::TwipRect TrayMenuPlace(const Module& module, const platform::ScreenInfo& screen,
                                 const platform::PixelRect& workArea, float width, float height);

}  // namespace tw
