// The announcer: the window where the user picks the game folder, and the
// once-a-second writer of the game script that names the current song.
#pragma once

#include "mainwindow/form_base.h"

namespace tw {

class FrmAnnounce final : public FormBase {
  public:
    explicit FrmAnnounce(Forms& forms);

    static platform::FormDesc Design();

    void Form_Load();
};

}  // namespace tw
