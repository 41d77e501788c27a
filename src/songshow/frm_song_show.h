// The song display: the song's title for two seconds at the top centre of the
// screen, above every other window.
#pragma once

#include "mainwindow/form_base.h"

namespace tw {

class FrmSongShow final : public FormBase {
  public:
    explicit FrmSongShow(Forms& forms);

    static platform::FormDesc Design();

    void Form_Load();
};

}  // namespace tw
