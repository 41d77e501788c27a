#include "core/menu_seam.h"

#include "core/forms.h"

namespace tw {

platform::TwipRect MenuBounds(Forms& forms) {
    PopupMenu* menu = forms.Menu();
    return menu != nullptr ? menu->MenuForm().Bounds() : platform::TwipRect{};
}

bool MenuVisible(Forms& forms) {
    PopupMenu* menu = forms.Menu();
    return menu != nullptr && menu->MenuForm().IsVisible();
}

platform::WindowHandle MenuHandle(Forms& forms) {
    PopupMenu* menu = forms.Menu();
    return menu != nullptr ? menu->MenuForm().Handle() : 0;
}

void SetMenuVisible(Forms& forms, bool visible) {
    if (PopupMenu* menu = forms.Menu()) {
        menu->MenuForm().SetVisible(visible);
    }
}

void ShowMenuAt(Forms& forms, float left, float top) {
    if (PopupMenu* menu = forms.Menu()) {
        platform::Form& window = menu->MenuForm();
        const platform::TwipRect bounds = window.Bounds();
        window.Move(left, top, bounds.width, bounds.height);
        forms.system().SetTopmost(window.Handle(), true);
        window.SetVisible(true);
    }
}

}  // namespace tw
