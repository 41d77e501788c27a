#include "mainwindow/menu_seam.h"

#include "mainwindow/forms.h"
#include "menu/frm_menu.h"

namespace tw {

// The menu is loaded at start and stays loaded; only while the program shuts
// down is it gone, and then nothing here brings it back.
platform::TwipRect MenuBounds(Forms& forms) {
    const FrmMenu* menu = forms.Loaded<FrmMenu>();
    return menu != nullptr ? menu->window().Bounds() : platform::TwipRect{};
}

bool MenuVisible(Forms& forms) {
    const FrmMenu* menu = forms.Loaded<FrmMenu>();
    return menu != nullptr && menu->window().IsVisible();
}

platform::WindowHandle MenuHandle(Forms& forms) {
    const FrmMenu* menu = forms.Loaded<FrmMenu>();
    return menu != nullptr ? menu->hWnd() : 0;
}

void MoveMenu(Forms& forms, float left, float top) {
    if (FrmMenu* menu = forms.Loaded<FrmMenu>()) {
        const platform::TwipRect bounds = menu->window().Bounds();
        menu->window().Move(left, top, bounds.width, bounds.height);
    }
}

void SetMenuVisible(Forms& forms, bool visible) {
    if (FrmMenu* menu = forms.Loaded<FrmMenu>()) {
        menu->window().SetVisible(visible);
    }
}

}  // namespace tw
