// Where the tray icon opens the popup menu: in the bottom-right corner of the
// screen, just above the taskbar.
#pragma once

#include "mainwindow/module.h"
#include "platform/types.h"

namespace tw {

// The menu's place for a menu of the given size. With the taskbar along the
// bottom, its bottom edge rests on the taskbar's top edge and its right edge
// is 100 twips in from the screen's; with the taskbar anywhere else, it stands
// in the bottom-right corner of the work area, 100 twips in from its right
// edge, so that it opens on the screen and clear of the taskbar.
platform::TwipRect TrayMenuPlace(const Module& module, const platform::ScreenInfo& screen,
                                 const platform::PixelRect& workArea, float width, float height);

}  // namespace tw
