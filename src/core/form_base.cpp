#include "core/form_base.h"

#include <cmath>

#include "core/forms.h"
#include "platform/units.h"

namespace tw {

FormBase::FormBase(Forms& forms) : forms_(forms) {}

FormBase::~FormBase() = default;

void FormBase::CreateWindowFrom(const platform::FormDesc& design) {
    window_ = forms_.system().CreateForm(design, *this);
}

void TitleDrag::Grab(float x, float y) {
    DragX = static_cast<std::int32_t>(std::nearbyint(x));
    DragY = static_cast<std::int32_t>(std::nearbyint(y));
}

void TitleDrag::Follow(platform::Form& window, float x, float y) const {
    const platform::TwipRect bounds = window.Bounds();
    const double left = static_cast<double>(bounds.left) - (DragX - static_cast<double>(x));
    const double top = static_cast<double>(bounds.top) - (DragY - static_cast<double>(y));
    window.Move(static_cast<float>(left), static_cast<float>(top), bounds.width, bounds.height);
}

void FormBase::Form_DisplayChange() {
    platform::Form& form = window();
    const platform::TwipRect bounds = form.Bounds();
    const platform::Units units(system().Screen());
    const platform::PixelRect rect = units.ToPixels(bounds);
    const platform::Monitor monitor = system().MonitorOf(rect);
    if (rect.Overlaps(monitor.bounds)) {
        return;
    }
    const platform::TwipRect place = bounds.MovedInto(units.ToTwips(monitor.workArea));
    form.Move(place.left, place.top, place.width, place.height);
}

platform::System& FormBase::system() {
    return forms_.system();
}

}  // namespace tw
