// A loaded program on a fresh simulated desktop.
#pragma once

#include <memory>

#include "mainwindow/forms.h"
#include "mainwindow/frm_main.h"
#include "sim_desktop.h"

namespace tw::test {

struct TestApp {
    sim::SimDesktop desktop;
    std::unique_ptr<Forms> forms;

    // Loads the main window as the program's start does.
    FrmMain& Start() {
        forms = std::make_unique<Forms>(desktop);
        return forms->frmMain();
    }

    sim::SimForm& MainForm() { return *desktop.FindForm("frmMain"); }
};

}  // namespace tw::test
