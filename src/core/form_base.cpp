#include "core/form_base.h"

#include <cmath>

#include "core/forms.h"

namespace tw {

FormBase::FormBase(Forms& forms) : forms_(forms) {}

FormBase::~FormBase() = default;

void FormBase::CreateWindowFrom(const platform::FormDesc& design) {
    window_ = forms_.system().CreateForm(design, *this);
}

std::int32_t FormBase::WholeTwips(float position) {
    return static_cast<std::int32_t>(std::nearbyint(position));
}

void FormBase::DragTo(std::int32_t dragX, std::int32_t dragY, float x, float y) {
    const platform::TwipRect bounds = window_->Bounds();
    const double left = static_cast<double>(bounds.left) - (dragX - static_cast<double>(x));
    const double top = static_cast<double>(bounds.top) - (dragY - static_cast<double>(y));
    window_->Move(static_cast<float>(left), static_cast<float>(top), bounds.width, bounds.height);
}

platform::System& FormBase::system() {
    return forms_.system();
}

}  // namespace tw
