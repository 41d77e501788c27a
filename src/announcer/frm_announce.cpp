#include "announcer/frm_announce.h"

namespace tw {

FrmAnnounce::FrmAnnounce(Forms& forms) : FormBase(forms) {
    CreateWindowFrom(Design());
}

platform::FormDesc FrmAnnounce::Design() {
    platform::FormDesc design;
    design.name = "frmAnnounce";
    design.caption = "CS Announce";
    return design;
}

void FrmAnnounce::Form_Load() {}

}  // namespace tw
