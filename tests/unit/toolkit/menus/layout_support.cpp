#include "tests/unit/toolkit/menus/layout_support.h"

#include "tests/common/window_support.h"

#include <stdexcept>

namespace layout_support {

CLayoutMenu::~CLayoutMenu() {
  if (m_hWnd != NULL && ::IsWindow(m_hWnd))
    DestroyWindow();
  // The children are this object's, not the items'.
  for (int i = 0; i < GetItemCount(); i++)
    m_items[i].m_pPopup = NULL;
}

Item& CLayoutMenu::AddCommand(UINT nCmdId, int cx, int cy, int nIcon) {
  Item item;
  item.m_nCmdId = nCmdId;
  item.m_nWidth = cx;
  item.m_nHeight = cy;
  item.m_nIconAreaWidth = nIcon;
  m_items.Add(item);
  return m_items[GetItemCount() - 1];
}

Item& CLayoutMenu::AddSeparator(int cy) {
  Item item;
  item.m_nHeight = cy;
  m_items.Add(item);
  return m_items[GetItemCount() - 1];
}

CLayoutMenu& CLayoutMenu::AddSubmenu(int cx, int cy) {
  m_children.push_back(std::make_unique<CLayoutMenu>());
  CLayoutMenu& child = *m_children.back();
  child.m_pParentMenu = this;
  Item item;
  item.m_nCmdId = ID_SUBMENU;
  item.m_nWidth = cx;
  item.m_nHeight = cy;
  item.m_nIconAreaWidth = 16;
  item.m_pPopup = &child;
  m_items.Add(item);
  return child;
}

void CLayoutMenu::AddPattern(const char* pszPattern) {
  for (const char* p = pszPattern; *p != 0; p++) {
    const UINT nId = 1000 + (UINT)GetItemCount();
    switch (*p) {
    case 'C':
      AddCommand(nId);
      break;
    case 'D':
      AddCommand(nId).m_nStateFlags &= ~Item::STATE_ENABLED;
      break;
    case 'S':
      AddSeparator();
      break;
    case 'H':
      AddSubmenu();
      break;
    case 'P':
      AddSubmenu().AddCommand(nId + 500);
      break;
    default:
      ADD_FAILURE() << "no item for '" << *p << "'";
    }
  }
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
  m_dwTrackFlags &= ~TPMX_ALIGN_MASK;
}

void CLayoutMenu::SetExclude(const CRect& rc, int nAlignment, bool bCombined) {
  m_ptTrack = rc.TopLeft();
  m_rcExclude = rc;
  m_nPlacementFlags = PLACE_EXCLUDE_GIVEN | (bCombined ? PLACE_COMBINED : 0);
  m_dwTrackFlags = (m_dwTrackFlags & ~TPMX_ALIGN_MASK) | (DWORD)nAlignment;
}

bool CLayoutMenu::CreateWindowOverPlacement() {
  LPCSTR pszClass =
      AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
  return m_rcWindow.IsRectEmpty()
             ? false
             : CreateEx(WS_EX_TOPMOST, pszClass, NULL, WS_POPUP, m_rcWindow, NULL, 0) != FALSE;
}

// ---------------------------------------------------------------------------------------------

void LayoutTest::SetUp() {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP)));
}

void LayoutTest::TearDown() {
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
  // A menu that scrolled made itself the hover menu; it is gone now.
  g_PopupTrackSite.m_pHoverMenu = NULL;
}

// ---------------------------------------------------------------------------------------------

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

const char kColourClass[] = "PixLayoutColourWnd";

LRESULT CALLBACK ColourWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_ERASEBKGND) {
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::FillRect((HDC)wParam, &rc, (HBRUSH)::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    return 1;
  }
  return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

} // namespace

ScopedWorkArea::ScopedWorkArea(const RECT& rcWork)
    : m_patch("user32.dll", "GetMonitorInfoA", (FARPROC)&ForcedGetMonitorInfoA) {
  g_rcForcedWork = rcWork;
}

ScopedWorkArea::~ScopedWorkArea() = default;

CRect ScreenRect() { return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)); }

ColourWindow::ColourWindow(const CRect& rcScreen, COLORREF clr) {
  WNDCLASSA wc = {};
  if (!::GetClassInfoA(::GetModuleHandleA(NULL), kColourClass, &wc)) {
    wc.lpfnWndProc = ColourWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = kColourClass;
    if (::RegisterClassA(&wc) == 0)
      throw std::runtime_error("the colour window class is not registered");
  }
  if (!m_brush.CreateSolidBrush(clr))
    throw std::runtime_error("no brush for the colour window");
  m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, kColourClass, NULL, WS_POPUP, rcScreen.left, rcScreen.top,
                             rcScreen.Width(), rcScreen.Height(), NULL, NULL, ::GetModuleHandleA(NULL), NULL);
  if (m_hWnd == NULL)
    throw std::runtime_error("the colour window is not made");
  ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, (LONG_PTR)m_brush.GetSafeHandle());
  ::ShowWindow(m_hWnd, SW_SHOWNA);
  ::UpdateWindow(m_hWnd);
}

ColourWindow::~ColourWindow() {
  if (m_hWnd != NULL)
    ::DestroyWindow(m_hWnd);
  PumpPending();
}

::testing::AssertionResult WaitForScreenPixel(POINT pt, COLORREF clr, int nTimeoutMs) {
  for (DWORD dwStart = ::GetTickCount();;) {
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    PumpPending();
    const pixel_support::Pixels px = pixel_support::ReadWindow(NULL, CRect(pt, CSize(1, 1)));
    if (!px.Empty() && px.At(0, 0) == clr)
      return ::testing::AssertionSuccess();
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return ::testing::AssertionFailure()
             << "the screen at " << pt.x << "," << pt.y << " shows 0x" << std::hex
             << (px.Empty() ? 0xFFFFFFFFu : (unsigned)px.At(0, 0)) << ", not 0x" << (unsigned)clr;
  }
}

} // namespace layout_support
