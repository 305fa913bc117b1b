// The colour bar button: its generated icons, when it regenerates them, its notification and
// its colour popup.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/button_support.h"
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

using namespace button_support;
using pixel_support::DibSurface;

namespace {

const COLORREF kInk = RGB(200, 30, 60);

// How many of the icon's 16 x 16 pixels show the colour over a background, and whether the
// corners and the centre show the background.
struct IconLook {
  int nInk = 0;
  int nOther = 0; // neither the colour nor the background
  bool bCornersClear = false, bCentreClear = false;
};

IconLook Look(HICON hIcon, COLORREF clrBack, COLORREF clrInk, DibSurface* pKeep = NULL, int x = 0) {
  DibSurface surface(16, 16, clrBack);
  ::DrawIconEx(surface.hdc(), 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
  if (pKeep != NULL)
    ::BitBlt(pKeep->hdc(), x, 0, 16, 16, surface.hdc(), 0, 0, SRCCOPY);
  IconLook look;
  for (COLORREF clr : surface.Pixels()) {
    look.nInk += clr == clrInk ? 1 : 0;
    look.nOther += clr != clrInk && clr != clrBack ? 1 : 0;
  }
  look.bCornersClear = surface.At(0, 0) == clrBack && surface.At(15, 15) == clrBack;
  look.bCentreClear = surface.At(8, 8) == clrBack;
  return look;
}

TEST(ColorButtonIcon, EachKindDrawsTheColourWhereItShould) {
  DibSurface gallery(3 * 16, 16, RGB(255, 255, 255));
  for (int nKind = 0; nKind < 3; ++nKind) {
    CExtBarColorButton btn(NULL, 400, 0, kInk, 0, 0, nKind);
    HICON hIcon = NULL;
    ASSERT_TRUE(btn.GenerateIcon(hIcon)) << nKind;
    for (COLORREF clrBack : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
      const IconLook look = Look(hIcon, clrBack, kInk, clrBack == 0 ? NULL : &gallery, nKind * 16);
      switch (nKind) {
      case CExtBarColorButton::ICON_SWATCH:
        EXPECT_EQ(256, look.nInk);
        break;
      case CExtBarColorButton::ICON_FRAMED_SWATCH:
        EXPECT_GT(look.nInk, 30);
        EXPECT_TRUE(look.bCentreClear);
        break;
      default: // the letter: its strokes in the colour, the rest see-through
        EXPECT_GT(look.nInk, 15);
        EXPECT_LT(look.nInk, 160);
        EXPECT_TRUE(look.bCornersClear);
        break;
      }
      EXPECT_EQ(0, look.nOther) << nKind;
    }
    ::DestroyIcon(hIcon);
  }
  pixel_support::Pixels px;
  px.cx = 3 * 16;
  px.cy = 16;
  px.data = gallery.Pixels();
  EXPECT_FALSE(pixel_support::SaveBmp(px, "bar_color_button_icons.bmp").empty());
}

// Blue when the command icon is the one the test put there, else the button's colour.
COLORREF CommandIconColor(UINT nCmdID) {
  CExtCmdIcon* pIcon = g_CmdManagerHolder->GetCommandIcon(kProfile, nCmdID);
  if (pIcon == NULL || pIcon->IsEmpty())
    return CLR_NONE;
  DibSurface surface(16, 16);
  ::DrawIconEx(surface.hdc(), 0, 0, pIcon->GetIcon(false), 16, 16, 0, NULL, DI_NORMAL);
  return surface.At(8, 8);
}

TEST(ColorButtonIcon, IsRegeneratedOnlyWhenTheColourChanges) {
  ButtonFixture fx;
  fx.AddCommand(410, "Fill");
  CExtBarColorButton btn(&fx.m_bar, 410, 0, kInk);
  EXPECT_EQ(kInk, CommandIconColor(410));
  fx.SetIcon(410, 16, RGB(0, 0, 255));
  btn.SetColor(kInk);
  EXPECT_EQ(RGB(0, 0, 255), CommandIconColor(410));
  btn.SetColor(RGB(0, 160, 0));
  EXPECT_EQ(RGB(0, 160, 0), CommandIconColor(410));
  EXPECT_EQ(RGB(0, 160, 0), btn.GetColor(true));
}

TEST(ColorButtonNotify, FiringSendsTheColourWithTheCookie) {
  ButtonFixture fx;
  fx.AddCommand(420, "Fill");
  CExtBarColorButton btn(&fx.m_bar, 420, 0, RGB(1, 2, 3), RGB(9, 9, 9));
  btn.SetCookie(77);
  btn.OnDeliverCmd();
  ASSERT_EQ(1u, fx.m_host.m_colorNotifications.size());
  EXPECT_EQ((WPARAM)RGB(1, 2, 3), fx.m_host.m_colorNotifications[0].first);
  EXPECT_EQ(77, fx.m_host.m_colorNotifications[0].second);
  EXPECT_TRUE(fx.m_host.m_commands.empty());
  EXPECT_EQ(420, btn.OnHelpHitTest(CPoint()));
}

// The popup the button opens carries the button's cookie, colours, item flags and texts; a
// disabled button opens none.
TEST(ColorButtonPopup, OpensWithTheButtonsSettings) {
  ButtonFixture fx;
  fx.AddCommand(430, "Fill");
  CExtBarColorButton btn(&fx.m_bar, 430, 0, kInk, RGB(5, 6, 7));
  btn.SetCookie(91);
  btn.ShowCustomColorItem(false);
  btn.SetDefaultColorText("Automatic");
  btn.SetRect(CRect(10, 2, 44, 24));
  btn.ModifyStyle(TBBS_DISABLED);
  btn.OnTrackPopup(CPoint(20, 10), false, true);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  btn.ModifyStyle(0, TBBS_DISABLED);

  btn.OnTrackPopup(CPoint(20, 10), false, true);
  ASSERT_TRUE(PumpUntil([] { return CExtPopupMenuWnd::AnyMenuTracked(); }));
  EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
  const CExtPopupColorMenuWnd* pPopup =
      dynamic_cast<CExtPopupColorMenuWnd*>(CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu);
  ASSERT_NE(nullptr, pPopup);
  EXPECT_EQ(91, pPopup->m_lParamCookie);
  EXPECT_EQ(kInk, pPopup->m_clrInitial);
  EXPECT_EQ(RGB(5, 6, 7), pPopup->m_clrDefault);
  EXPECT_EQ(CExtPopupColorMenuWnd::BUTTON_DEFAULT, pPopup->m_nButtonFlags);
  EXPECT_STREQ("Automatic", pPopup->m_sBtnTextDefault);
  EXPECT_EQ(fx.m_host.GetSafeHwnd(), pPopup->GetCmdReceiverHWND());
  CExtPopupMenuWnd::CancelAllTracking();
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  CExtToolControlBar::EndMenuTrackingInAllBars();
}

} // namespace
