#include "mainwindow/form_base.h"

#include "mainwindow/forms.h"

namespace tw {

FormBase::FormBase(Forms& forms) : forms_(forms) {}

FormBase::~FormBase() = default;

void FormBase::CreateWindowFrom(const platform::FormDesc& design) {
    window_ = forms_.system().CreateForm(design, *this);
}

platform::System& FormBase::system() {
    return forms_.system();
}

}  // namespace tw
