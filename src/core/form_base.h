// What every one of the program's windows has: the owner that created it and
// the platform window it draws on.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/system.h"
#include "platform/window.h"

namespace tw {

class Forms;

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

  protected:
    // A pointer position in whole twips; halves go to the even neighbour.
    static std::int32_t WholeTwips(float position);
    // Moves the window, keeping its size, so that the point (dragX, dragY) of
    // the strip it was grabbed by comes under the pointer, at (x, y) of that
    // strip; the arithmetic is done in double precision.
    void DragTo(std::int32_t dragX, std::int32_t dragY, float x, float y);

    // Creates the platform window from the form's design.
    void CreateWindowFrom(const platform::FormDesc& design);

    platform::System& system();

    Forms& forms_;

  private:
    std::unique_ptr<platform::Form> window_;
};

}  // namespace tw
