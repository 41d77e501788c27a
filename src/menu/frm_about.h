// The About window: the program's name and version, a line on what it is, and
// two links to its maker. Shown modally from the menu's title, over the bar.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/forms.h"

namespace tw {

// The maker's addresses, defined here only.
inline constexpr std::string_view kMakerWebsite = "https://example.org/tunewarden";
inline constexpr std::string_view kMakerEmail = "support@example.org";

class FrmAbout final : public FormBase {
  public:
    static constexpr WindowSlot kSlot = WindowSlot::About;

    // lblCaption(Index) is the control lblCaption0 + Index.
    enum Control : int {
        lblTitle = 1,
        lblLine,
        lblWebSite,
        lblEmail,
        lblOk,
        lblCaption0 = 10,
    };

    explicit FrmAbout(Forms& forms);

    static platform::FormDesc Design();

    // Event handlers, under the names the rest of the program knows them by.
    void Form_Load();
    void Form_Activate();
    void lblTitle_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    void lblTitle_MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    void lblWebSite_Click();
    void lblEmail_Click();
    // Unloads the window: nothing may touch it after this returns.
    void lblOk_Click();

  private:
    void OnEvent(const platform::FormEvent& event) override;

    // Where in lblTitle the latest press went down.
    TitleDrag drag_;
};

}  // namespace tw
