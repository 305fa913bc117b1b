#include "tests/unit/toolkit/menus/layout_support.h"

#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

namespace layout_support {

CLayoutMenu::~CLayoutMenu() {
  if (m_hWnd != NULL && ::IsWindow(m_hWnd))
    DestroyWindow();
  // The children are this object's, not the items'.
  for (int i = 0; i < GetItemCount(); i++)
    m_items[i].m_pPopup = NULL;
}

Item& CLayoutMenu::AddCommand(int cx, int cy, int nIcon) {
  Item item;
  item.m_nCmdId = 100 + GetItemCount();
  item.m_nWidth = cx;
  item.m_nHeight = cy;
  item.m_nIconAreaWidth = nIcon;
  m_items.Add(item);
  return m_items[GetItemCount() - 1];
}

CLayoutMenu& CLayoutMenu::AddSubmenu() {
  m_children.push_back(std::make_unique<CLayoutMenu>());
  m_children.back()->m_pParentMenu = this;
  Item& item = AddCommand();
  item.m_nCmdId = ID_SUBMENU;
  item.m_pPopup = m_children.back().get();
  return *m_children.back();
}

void CLayoutMenu::AddPattern(const char* pszPattern) {
  for (const char* p = pszPattern; *p != 0; p++)
    if (*p == 'C')
      AddCommand();
    else if (*p == 'D')
      AddCommand().m_nStateFlags &= ~Item::STATE_ENABLED;
    else if (*p == 'S')
      AddCommand(0, 1, 0).m_nCmdId = 0;
    else if (*p == 'H' || *p == 'P')
      AddSubmenu().AddPattern(*p == 'P' ? "C" : "");
}

std::string CLayoutMenu::ShownPattern() const {
  std::string s;
  for (int i = 0; i < GetItemCount(); i++)
    s += (GetItemAt(i).m_nDisplayFlags & Item::DISPLAY_SHOWN) != 0 ? '1' : '0';
  return s;
}

void CLayoutMenu::SetTrackPoint(int x, int y) {
  m_ptTrack.SetPoint(x, y);
  m_rcExclude.SetRect(x - 3, y - 3, x + 3, y + 3);
  m_nPlacementFlags = 0;
}

void CLayoutMenu::SetExclude(const CRect& rc, int nAlignment, bool bCombined) {
  m_ptTrack = rc.TopLeft();
  m_rcExclude = rc;
  m_nPlacementFlags = PLACE_EXCLUDE_GIVEN | (bCombined ? PLACE_COMBINED : 0);
  m_dwTrackFlags = (m_dwTrackFlags & ~TPMX_ALIGN_MASK) | (DWORD)nAlignment;
}

bool CLayoutMenu::CreateWindowOverPlacement() {
  return CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW)), NULL,
                  WS_POPUP, m_rcWindow, NULL, 0) != FALSE;
}

void LayoutTest::SetUp() {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP)));
}

void LayoutTest::TearDown() {
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
  // A menu that scrolled made itself the hover menu; it is gone now.
  g_PopupTrackSite.m_pHoverMenu = NULL;
}

namespace {

RECT g_rcForcedWork;

BOOL WINAPI ForcedGetMonitorInfoA(HMONITOR hMonitor, LPMONITORINFO pInfo) {
  typedef BOOL(WINAPI * PFN)(HMONITOR, LPMONITORINFO);
  static const PFN pfnReal = (PFN)::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetMonitorInfoA");
  if (pfnReal == NULL || !pfnReal(hMonitor, pInfo))
    return FALSE;
  pInfo->rcWork = g_rcForcedWork;
  return TRUE;
}

} // namespace

ScopedWorkArea::ScopedWorkArea(const RECT& rcWork)
    : m_patch("user32.dll", "GetMonitorInfoA", (FARPROC)&ForcedGetMonitorInfoA) {
  g_rcForcedWork = rcWork;
}

std::unique_ptr<CWnd> MakeStockWindow(const CRect& rc, int nStockBrush) {
  auto pWnd = std::make_unique<CWnd>();
  LPCSTR pszClass =
      AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)::GetStockObject(nStockBrush));
  if (!pWnd->CreateEx(WS_EX_TOPMOST, pszClass, NULL, WS_POPUP | WS_VISIBLE, rc, NULL, 0))
    return nullptr;
  pWnd->UpdateWindow();
  return pWnd;
}

::testing::AssertionResult WaitForScreenPixel(POINT pt, COLORREF clr) {
  for (DWORD dwStart = ::GetTickCount();;) {
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    PumpPending();
    const pixel_support::Pixels px = pixel_support::ReadWindow(NULL, CRect(pt, CSize(1, 1)));
    if (!px.Empty() && px.At(0, 0) == clr)
      return ::testing::AssertionSuccess();
    if (::GetTickCount() - dwStart > 5000)
      return ::testing::AssertionFailure() << "the screen at " << pt.x << "," << pt.y << " shows 0x"
                                           << std::hex << (px.Empty() ? ~0u : (unsigned)px.At(0, 0));
  }
}

} // namespace layout_support
