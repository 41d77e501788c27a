// The transport bar of the main window: real mouse clicks, and what it looks like on the
// screen.
#include <cstdint>
#include <ostream>
#include <thread>
#include <vector>

#include "fixture.h"

namespace tw::e2e {
namespace {

using ButtonBar = DesktopTest;

constexpr std::uint64_t kPlay = 40045;
constexpr std::uint64_t kNext = 40048;

// Where the bar sits inside the main window, and its size, in pixels.
constexpr POINT kBarOrigin{33, 20};
constexpr int kBarWidth = 123;
constexpr int kBarHeight = 19;

struct ButtonColumns {
    int left;
    int right;
};
constexpr ButtonColumns kButtons[] = {{1, 16}, {21, 37}, {42, 58}, {63, 79}, {84, 100}, {105, 121}};
constexpr int kFaceTop = 1;
constexpr int kFaceBottom = 16;

POINT BarPointOnScreen(HWND mainWindow, int column, int row) {
    RECT rect{};
    GetWindowRect(mainWindow, &rect);
    return {rect.left + kBarOrigin.x + column, rect.top + kBarOrigin.y + row};
}

bool WaitForTopLeft(HWND window, Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        RECT rect{};
        GetWindowRect(window, &rect);
        if ((rect.left == 0 && rect.top == 0) || Clock::now() >= deadline) {
            return rect.left == 0 && rect.top == 0;
        }
        std::this_thread::sleep_for(Millis(25));
    }
}

// Moves the pointer with absolute SendInput coordinates (0..65535 across the screen), which
// the system scales back down by truncation: rounding up lands on the pixel itself.
bool MoveMouseTo(POINT point) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = (point.x * 65536 + width - 1) / width;
    move.mi.dy = (point.y * 65536 + height - 1) / height;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    if (SendInput(1, &move, sizeof(INPUT)) != 1) {
        return false;
    }
    const auto deadline = Clock::now() + Millis(1000);
    for (;;) {
        POINT at{};
        GetCursorPos(&at);
        if (at.x == point.x && at.y == point.y) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(Millis(10));
    }
}

bool Click(POINT point, DWORD downFlag, DWORD upFlag) {
    if (!MoveMouseTo(point)) {
        return false;
    }
    INPUT down = {};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = downFlag;
    INPUT up = down;
    up.mi.dwFlags = upFlag;
    if (SendInput(1, &down, sizeof(INPUT)) != 1) {
        return false;
    }
    std::this_thread::sleep_for(Millis(50));
    return SendInput(1, &up, sizeof(INPUT)) == 1;
}

TEST_F(ButtonBar, LeftClickOnPlayAndRightClickOnNextDriveThePlayer) {
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    // Docked top left, the bar is clear of the stand-in's window.
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TL"}));
    ASSERT_TRUE(WaitForTopLeft(mainWindow_, Millis(3000))) << "the main window did not dock";

    // Inside the play button (columns 21 to 37), well clear of its edges.
    ASSERT_TRUE(Click(BarPointOnScreen(mainWindow_, 29, 8), MOUSEEVENTF_LEFTDOWN,
                      MOUSEEVENTF_LEFTUP));
    WaitForLogEntries(LogPath(), 1, Millis(3000));
    std::this_thread::sleep_for(kSettle);
    EXPECT_EQ(Log(), (std::vector<std::uint64_t>{kPlay}));

    // A release of any mouse button acts: the right one on the next button (84 to 100).
    ASSERT_TRUE(Click(BarPointOnScreen(mainWindow_, 92, 8), MOUSEEVENTF_RIGHTDOWN,
                      MOUSEEVENTF_RIGHTUP));
    WaitForLogEntries(LogPath(), 2, Millis(3000));
    std::this_thread::sleep_for(kSettle);
    EXPECT_EQ(Log(), (std::vector<std::uint64_t>{kPlay, kNext}));
    EXPECT_TRUE(tunewarden_.Running());
}

// A screen pixel as red, green, blue, printable by GoogleTest.
struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Rgb& rgb) {
        return out << "(" << rgb.red << ", " << rgb.green << ", " << rgb.blue << ")";
    }
};

constexpr Rgb kFace{0xCC, 0xCC, 0xCC};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kBackground{64, 64, 64};

// The screen's pixels in a rectangle, copied out in one go.
class ScreenShot {
  public:
    ScreenShot(POINT origin, int width, int height) : width_(width), height_(height) {
        pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr && bits != nullptr) {
            const HGDIOBJ old = SelectObject(memory, bitmap);
            ok_ = BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY) != 0;
            GdiFlush();
            const auto* source = static_cast<const std::uint32_t*>(bits);
            pixels_.assign(source, source + pixels_.size());
            SelectObject(memory, old);
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    bool ok() const { return ok_; }
    Rgb At(int x, int y) const {
        const std::uint32_t pixel =
            pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
        return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                static_cast<int>(pixel & 0xFF)};
    }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_;
    int height_;
    bool ok_ = false;
    std::vector<std::uint32_t> pixels_;
};

struct PixelCheck {
    int x;
    int y;
    Rgb colour;
    const char* what;
};

// Pixels where the symbols never reach: the symbols stay within rows 4 to 12 and columns
// L + 3 to L + 13 of each button. Corners are left out, where which edge is drawn last is
// a detail of the line primitive.
std::vector<PixelCheck> ExpectedPixels() {
    std::vector<PixelCheck> checks;
    checks.push_back({0, 8, kBackground, "left of the first button"});
    for (const ButtonColumns& b : kButtons) {
        const int middle = (b.left + b.right) / 2;
        checks.push_back({b.left + 2, kFaceTop + 1, kFace, "face, top"});
        checks.push_back({middle, kFaceBottom - 2, kFace, "face, bottom"});
        checks.push_back({b.right - 2, kFaceBottom - 1, kFace, "face, bottom right"});
        checks.push_back({middle, kFaceTop, kWhite, "top edge"});
        checks.push_back({b.left, 8, kWhite, "left edge"});
        checks.push_back({middle, kFaceBottom, kBlack, "bottom edge"});
        checks.push_back({b.right, 8, kBlack, "right edge"});
        checks.push_back({middle, 0, kBackground, "above the button"});
        checks.push_back({middle, kBarHeight - 1, kBackground, "below the button"});
        if (b.right + 2 < kBarWidth) {
            checks.push_back({b.right + 2, 8, kBackground, "gap right of the button"});
        }
    }
    return checks;
}

TEST_F(ButtonBar, ScreenShowsRaisedLightGreyButtonsOnDarkGrey) {
    ASSERT_NO_FATAL_FAILURE(StartTunewarden({L"-dock", L"TL"}));
    ASSERT_TRUE(WaitForTopLeft(mainWindow_, Millis(3000))) << "the main window did not dock";
    const POINT origin = BarPointOnScreen(mainWindow_, 0, 0);
    const std::vector<PixelCheck> checks = ExpectedPixels();

    // Painting lags behind the window's appearance: poll until every pixel is right or the
    // deadline passes, then report the last picture.
    const auto deadline = Clock::now() + Millis(5000);
    for (;;) {
        const ScreenShot shot(origin, kBarWidth, kBarHeight);
        ASSERT_TRUE(shot.ok()) << "cannot copy the screen";
        bool allRight = true;
        for (const PixelCheck& check : checks) {
            allRight = allRight && shot.At(check.x, check.y) == check.colour;
        }
        if (allRight || Clock::now() >= deadline) {
            for (const PixelCheck& check : checks) {
                EXPECT_EQ(shot.At(check.x, check.y), check.colour)
                    << check.what << " at bar pixel (" << check.x << ", " << check.y << ")";
            }
            break;
        }
        std::this_thread::sleep_for(Millis(100));
    }
}

}  // namespace
}  // namespace tw::e2e
