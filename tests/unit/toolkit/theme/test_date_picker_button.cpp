// The date picker's buttons are push buttons of the theme: every state the picker passes shows
// as the push button of that state.
#include "tests/unit/toolkit/theme/theme_support.h"

#include "toolkit/theme/ExtPaintManagerRecords.h"

namespace {

using pixel_support::DibSurface;

TEST_F(ThemeTest, DatePickerButtonsArePushButtonsOfTheirState) {
  const RECT rc = {0, 0, 48, 20};
  for (PM* pm : {new PM, (PM*)new CExtPaintManagerXP, (PM*)new CExtPaintManagerOffice2003}) {
    Install(pm);
    for (int nState = 0; nState < 16; ++nState) {
      const bool bFlat = nState & 1, bBorder = nState & 2, bPushed = nState & 4, bHover = nState & 8;
      DibSurface picker(48, 20, RGB(1, 2, 3)), button(48, 20, RGB(1, 2, 3));
      pm->PaintDatePickerPushButton(picker.dc(), rc, 1, "Today", bFlat, bBorder, bPushed, bHover, NULL);
      PushButtonPaintData data(NULL, true, rc, "Today", NULL, bFlat, bHover, bPushed, false, true, bBorder,
                               false, false, 1);
      pm->PaintPushButton(button.dc(), data);
      EXPECT_EQ(button.Pixels(), picker.Pixels())
          << pm->GetRuntimeClass()->m_lpszClassName << ", state " << nState;
    }
  }
}

} // namespace
