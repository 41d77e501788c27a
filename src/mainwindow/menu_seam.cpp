#include "mainwindow/menu_seam.h"

#include "mainwindow/forms.h"

namespace tw {

platform::TwipRect MenuBounds(Forms& forms) {
    return forms.module().menuStandIn.bounds;
}

bool MenuVisible(Forms& forms) {
    return forms.module().menuStandIn.visible;
}

platform::WindowHandle MenuHandle(Forms& /*forms*/) {
    return 0;
}

void MoveMenu(Forms& forms, float left, float top) {
    platform::TwipRect& bounds = forms.module().menuStandIn.bounds;
    bounds.left = left;
    bounds.top = top;
}

void SetMenuVisible(Forms& forms, bool visible) {
    forms.module().menuStandIn.visible = visible;
}

}  // namespace tw
