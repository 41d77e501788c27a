// The main window's own look and the mouse on it: the frame, title band, close
// box and help text painted once, the title picture that drags and folds the
// window and opens the popup menu, and the close box.
#include <string_view>

#include "core/display_modes.h"
#include "core/forms.h"
#include "core/menu_seam.h"
#include "core/painting.h"
#include "mainwindow/frm_main.h"
#include "platform/units.h"

namespace tw {

namespace {

namespace colours = platform::colours;
namespace mouse = platform::mouse;

// Fixed text, not made from the hotkey table: two empty lines, then the keys,
// each indented by its own blanks.
constexpr std::string_view kHelpText =
    "\r\n\r\n"
    "    Control+ 0 = Play\r\n"
    "    Control+ . = Stop (decimal)\r\n"
    "    Control+ 1 = Previous\r\n"
    "    Control+ 2 = Pause\r\n"
    "    Control+ 3 = Next\r\n"
    "    Control+ 4 = Rewind\r\n"
    "    Control+ 5 = Jump To\r\n"
    "    Control+ 6 = Fast Forward\r\n"
    "    Control+ 7 = Volume Down\r\n"
    "    Control+ 8 = Display Song\r\n"
    "    Control+ 9 = Volume Up\r\n"
    "    Control+ + = + 10 Tracks\r\n"
    "    Control+ - = - 10 Tracks";
constexpr std::string_view kMenuHint = "       Right Click for Menu";

}  // namespace

// Painted once; the window's persistent image shows it on every repaint and
// keeps it while the window is folded. Drawing past the window is clipped.
void FrmMain::DrawIt() {
    const platform::TwipRect bounds = window().Bounds();
    const float w = bounds.width;
    const float h = bounds.height;
    const platform::Units units(system().Screen());
    platform::Canvas& canvas = window().Surface(platform::kFormSurface);

    canvas.SetDrawWidth(1);
    // The help frame is an outline filled with the window's own dark grey.
    canvas.SetDrawColour(colours::kWhite);
    canvas.Box(120, 600, w - 120, h - 120, false);
    canvas.SetDrawColour(colours::kBlack);
    canvas.Box(15, 15, w - 30, 240, true);
    // The text starts where the title band ended, two empty lines up.
    canvas.SetDrawColour(colours::kWhite);
    canvas.Print(kHelpText);
    canvas.SetFontBold(true);
    canvas.Print(kMenuHint);
    canvas.SetFontBold(false);

    DrawCloseBox(canvas, w - 240, 30);

    // The raised edge, drawn with the cross's two-pixel pen.
    DrawRaisedEdge(canvas, units, w, h);
    canvas.Refresh();
}

void FrmMain::Label1_MouseDown(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
    if (button == mouse::kLeft) {
        drag_.Grab(x, y);
    }
}

// The left button alone drags; the grab point stays under the pointer.
void FrmMain::Label1_MouseMove(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
    if (button != mouse::kLeft) {
        return;
    }
    const platform::TwipRect before = window().Bounds();
    drag_.Follow(window(), x, y);
    // Moved by the user, the window is docked no more.
    if (window().Bounds() != before) {
        dockedCorner.reset();
    }
}

// The menu opens at the window's corner plus the pointer's place in the
// picture, so it lands the picture's offset up and to the left of the pointer.
void FrmMain::Label1_MouseUp(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
    if (button == mouse::kLeft) {
        HideMenu();
    } else if (button == mouse::kRight) {
        const platform::TwipRect bounds = window().Bounds();
        OpenMenuAt(bounds.left + x, bounds.top + y);
    }
}

void FrmMain::Label1_DblClick() {
    SwitchMode(forms_);
}

void FrmMain::Form_MouseUp(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
    const platform::TwipRect bounds = window().Bounds();
    const float w = bounds.width;
    // The close box, edges included, closes with any button.
    if (w - 240 <= x && x <= w - 50 && 30 <= y && y <= 210) {
        Form_QueryUnload();
        return;
    }
    if (button == mouse::kLeft) {
        HideMenu();
    } else if (button == mouse::kRight) {
        OpenMenuAt(bounds.left + x, bounds.top + y);
    }
}

void FrmMain::OpenMenuAt(float px, float py) {
    const platform::Units units(system().Screen());
    const platform::TwipRect monitor =
        units.ToTwips(system().MonitorAt({units.XToPixels(px), units.YToPixels(py)}).bounds);
    const platform::TwipRect menu = MenuBounds(forms_);
    const float left = monitor.left + monitor.width - menu.width < px ? px - menu.width : px;
    const float top = monitor.top + monitor.height - menu.height < py ? py - menu.height : py;
    // Wholly on the point's monitor, also where the point lies on none.
    const platform::TwipRect place =
        platform::TwipRect{left, top, menu.width, menu.height}.MovedInto(monitor);
    ShowMenuAt(forms_, place.left, place.top);
}

void FrmMain::HideMenu() {
    if (MenuVisible(forms_)) {
        MakeNormal(MenuHandle(forms_));
        SetMenuVisible(forms_, false);
    }
}

}  // namespace tw
