// The small buttons of a control bar's caption: close, auto-hide and the options menu. They are
// plain objects owned by the bar, laid out in its caption (or in its floating frame's caption),
// hit-tested, painted through the theme and clicked by the bar.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"

#include <commctrl.h>
#include <windows.h>

class CDC;
class CExtControlBar;

class CExtBarNcAreaButton : public CObject {
  DECLARE_DYNCREATE(CExtBarNcAreaButton)
public:
  enum Flags : BYTE { NCB_HOVER = 0x01, NCB_PRESSED = 0x02, NCB_DISABLED = 0x04, NCB_IN_MENU = 0x08 };
  // The glyph codes the theme draws.
  enum Glyph { GLYPH_CLOSE = 1, GLYPH_OPTIONS = 3, GLYPH_AUTOHIDE = 10, GLYPH_AUTOHIDDEN = 11 };
  // Buttons stand this far apart in the caption.
  static const int kGap = 3;

  CExtBarNcAreaButton();
  explicit CExtBarNcAreaButton(CExtControlBar* pBar);
  ~CExtBarNcAreaButton() override = default;

  CExtControlBar* m_pBar; // the owner
  CRect m_rc;             // in the coordinates of the window that carries the caption
  BYTE m_bFlags;

  virtual void Destroy();
  virtual bool IsAvailable() const { return true; }
  virtual void Reposition(CExtBarNcAreaButton* pPrevVisible);
  virtual bool IsVisible() const;
  virtual void Paint(CDC& dc);
  virtual UINT HitTest(CPoint ptWnd);
  virtual HCURSOR QueryCursor(CPoint ptWnd) const;
  virtual bool Click(CPoint ptWnd);
  virtual INT_PTR FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const;

  // Mirrors the rectangle inside the caption for right-to-left layout.
  void MirrorInCaption(const CRect& rcCaption);
  bool IsHover() const { return (m_bFlags & NCB_HOVER) != 0; }
  bool IsPressed() const { return (m_bFlags & NCB_PRESSED) != 0; }
  void ClearHoverPressed() { m_bFlags &= ~(NCB_HOVER | NCB_PRESSED); }
  // The tip text of a button kind: the resource string, else the built-in text.
  static CString LoadTipText(UINT nStringId, LPCSTR lpszFallback);

protected:
  // Paints with the glyph through the theme.
  void PaintGlyph(CDC& dc, int nGlyph);
  INT_PTR FillToolInfoText(TOOLINFO* pTI, UINT nStringId, LPCSTR lpszFallback) const;
  // Whether the bar is active for the caption's look.
  bool IsBarActive() const;
};

class CExtBarNcAreaButtonClose : public CExtBarNcAreaButton {
  DECLARE_DYNCREATE(CExtBarNcAreaButtonClose)
public:
  static const UINT kTipStringId = 30048;
  CExtBarNcAreaButtonClose() = default;
  explicit CExtBarNcAreaButtonClose(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
  bool IsVisible() const override;
  void Paint(CDC& dc) override;
  UINT HitTest(CPoint ptWnd) override;
  bool Click(CPoint ptWnd) override;
  INT_PTR FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const override;
};

class CExtBarNcAreaButtonAutoHide : public CExtBarNcAreaButton {
  DECLARE_DYNCREATE(CExtBarNcAreaButtonAutoHide)
public:
  static const UINT kTipStringId = 30056;
  CExtBarNcAreaButtonAutoHide() = default;
  explicit CExtBarNcAreaButtonAutoHide(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
  bool IsVisible() const override;
  void Reposition(CExtBarNcAreaButton* pPrevVisible) override;
  void Paint(CDC& dc) override;
  bool Click(CPoint ptWnd) override;
  INT_PTR FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const override;
};

class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton {
  DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)
public:
  static const UINT kTipStringId = 30049;
  static const UINT kBarsSubmenuStringId = 30009;
  CExtBarNcAreaButtonMenu() = default;
  explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar) : CExtBarNcAreaButton(pBar) {}
  bool IsVisible() const override;
  void Paint(CDC& dc) override;
  bool Click(CPoint ptWnd) override;
  INT_PTR FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const override;
};
