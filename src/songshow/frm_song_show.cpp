#include "songshow/frm_song_show.h"

namespace tw {

FrmSongShow::FrmSongShow(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmSongShow::Design() {
    platform::FormDesc design;
    design.name = "frmSongShow";
    return design;
}

void FrmSongShow::Form_Load() {}

}  // namespace tw
