// The popup menu: a grey panel of text rows with a raised edge, loaded hidden
// at start and kept for the whole run. The title strip, the window surface and
// the tray icon place and show it; a row's click runs its action; it hides
// itself five seconds after it opens, or when it loses the focus.
#pragma once

#include <cstdint>

#include "core/forms.h"
#include "core/window_interfaces.h"

namespace tw {

class FrmMenu final : public FormBase, public PopupMenu {
  public:
    static constexpr WindowSlot kSlot = WindowSlot::Menu;

    // lblMenu(Index) is the control lblMenu0 + Index.
    enum Control : int { lblTitle = 1, lblMenu0 = 10 };
    enum Timer : int { Timer1 = 1 };

    static constexpr int kRows = 8;
    static constexpr unsigned kHideMs = 5000;
    static constexpr int lblMenu(int index) { return lblMenu0 + index; }

    explicit FrmMenu(Forms& forms);

    static platform::FormDesc Design();

    // Event handlers, under the names the rest of the program knows them by.
    void Form_Load();
    void Form_Activate();
    void Form_LostFocus();
    // Over the panel between the rows; positions in twips.
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void lblMenu_MouseMove(int index, std::int16_t button, std::int16_t shift, float x, float y);
    // Quit ends the program: nothing may touch this object after that returns.
    void lblMenu_Click(int index);
    void lblTitle_Click();
    void Timer1_Timer();

    platform::Form& MenuForm() override { return window(); }
    void StartHideTimer() override { window().StartTimer(Timer1, kHideMs); }

  private:
    void OnEvent(const platform::FormEvent& event) override;

    void DrawEdge();
    void GreyAllRows();
    void Hide();
    void OpenAnnouncer();
};

}  // namespace tw
