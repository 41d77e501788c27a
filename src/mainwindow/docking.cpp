#include "mainwindow/docking.h"

#include "mainwindow/forms.h"

namespace tw {

void ReadTaskbarPos(Forms& /*forms*/) {}

void DockWindow(Forms& /*forms*/, std::int16_t /*corner*/) {}

}  // namespace tw
