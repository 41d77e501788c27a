// What every one of the program's windows has: the owner that created it and
// the platform window it draws on.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/system.h"
#include "platform/window.h"

namespace tw {

class Forms;

// A window dragged by its title strip: where in the strip it was grabbed, and
// the move that brings that point back under the pointer.
struct TitleDrag {
    // The grab point in whole twips; halves go to the even neighbour.
    std::int32_t DragX = 0;
    std::int32_t DragY = 0;

    void Grab(float x, float y);
    // Moves the window, keeping its size, so that the grab point comes under
    // the pointer at (x, y) of the strip; the arithmetic is done in double precision.
    void Follow(platform::Form& window, float x, float y) const;
};

class FormBase : public platform::FormEvents {
  public:
    explicit FormBase(Forms& forms);
    ~FormBase() override;

    FormBase(const FormBase&) = delete;
    FormBase& operator=(const FormBase&) = delete;

    platform::Form& window() { return *window_; }
    const platform::Form& window() const { return *window_; }
    platform::WindowHandle hWnd() const { return window_ ? window_->Handle() : 0; }

    // Destroys the platform window; the owner calls this when it unloads the form.
    void DestroyWindow() { window_.reset(); }

    // The monitors changed (one went, or the layout or resolution did): a window
    // left on none of them comes back, wholly, onto the work area of the nearest.
    void Form_DisplayChange();

  protected:
    // Creates the platform window from the form's design.
    void CreateWindowFrom(const platform::FormDesc& design);

    platform::System& system();

    Forms& forms_;

  private:
    std::unique_ptr<platform::Form> window_;
};

}  // namespace tw
