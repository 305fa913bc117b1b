#include "tests/unit/toolkit/menus/menu_paint_support.h"

#include "tests/common/window_support.h"

namespace menu_paint {

bool WaitUntil(const std::function<bool()>& pred, int nTimeoutMs) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    PumpPending();
    if (pred())
      return true;
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return pred();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
}

bool ShowAt(CExtPopupMenuWnd& menu, CWnd* pOwner, CPoint pt, DWORD dwTrackFlags, int nAnimation) {
  menu.SetTrackFlags(dwTrackFlags);
  menu.m_dwMenuState |= CExtPopupMenuWnd::MENU_EXPANDED;
  menu.m_ptTrack = pt;
  menu.m_rcExclude.SetRect(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
  menu.m_nPlacementFlags = 0;
  menu.RecalcItemLayout();
  if (!menu.CreateMenuWindow(pOwner))
    return false;
  if (menu.m_rgnWindow.GetSafeHandle() != NULL) {
    CRgn rgnCopy;
    if (rgnCopy.CreateRectRgn(0, 0, 0, 0) && rgnCopy.CopyRgn(&menu.m_rgnWindow) != ERROR &&
        menu.SetWindowRgn((HRGN)rgnCopy.GetSafeHandle(), FALSE))
      rgnCopy.Detach();
  }
  menu.m_nAnimationType = nAnimation;
  menu.StartAnimationTimer();
  menu.CaptureScreenBeneath();
  menu.SetWindowPos(NULL, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  menu.UpdateWindow();
  return true;
}

bool CMenuReceiver::CreateReceiver(const RECT& rc, bool bVisible) {
  TheTestApp();
  LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
  return CreateEx(WS_EX_TOOLWINDOW, lpszClass, "receiver", WS_POPUP | (bVisible ? WS_VISIBLE : 0), rc, NULL,
                  0) != FALSE;
}

int CMenuReceiver::Count(UINT nMsg) const {
  int n = 0;
  for (const ReceivedMessage& m : m_log)
    n += m.nMsg == nMsg ? 1 : 0;
  return n;
}

const ReceivedMessage* CMenuReceiver::Find(UINT nMsg) const {
  for (const ReceivedMessage& m : m_log)
    if (m.nMsg == nMsg)
      return &m;
  return NULL;
}

LRESULT CMenuReceiver::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    CRect rc;
    ::GetUpdateRect(m_hWnd, &rc, FALSE);
    m_paints.push_back(rc);
  }
  if (message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_SETMESSAGESTRING ||
      message >= 0xC000) {
    m_log.push_back({message, wParam, lParam});
    if (message == WM_SYSCOMMAND)
      return 0; // a logged window command does nothing to the receiver
    if (m_answer)
      return m_answer(message, wParam, lParam);
    if (message != WM_SETMESSAGESTRING)
      return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

CExtPopupMenuWnd::MENUITEMDATA& CFixedLayoutMenu::AddItem(UINT nCmdId, LPCSTR lpszText, int nHeight,
                                                          CExtPopupMenuWnd* pChild) {
  const int nTop = m_rows.empty() ? kBorder : m_rows.back().bottom;
  m_rows.emplace_back(kBorder + m_nLeftAreaWidth, nTop, kWidth - kBorder, nTop + nHeight);
  MENUITEMDATA item;
  item.m_nCmdId = nCmdId;
  item.m_sText = lpszText;
  item.m_nIconAreaWidth = 24;
  item.m_nDisplayFlags = MENUITEMDATA::DISPLAY_SHOWN;
  item.m_pPopup = pChild;
  item.m_nItemIndex = (int)m_items.GetSize();
  if (pChild != NULL)
    pChild->m_pParentMenu = this;
  m_items.Add(item);
  return m_items[m_items.GetSize() - 1];
}

void CFixedLayoutMenu::GetItemRect(int nIndex, RECT& rc, bool bInner) const {
  ::SetRectEmpty(&rc);
  if (nIndex < 0 || nIndex >= (int)m_rows.size() || !m_items[nIndex].IsDisplayed())
    return;
  CRect rcRow = m_rows[nIndex];
  rcRow.OffsetRect(0, m_nScrollOffset);
  if (bInner)
    rcRow.DeflateRect(2, 0, 2, 1);
  rc = rcRow;
}

CRect CFixedLayoutMenu::CalcWindowPlacement() {
  const int nShadow = GetShadowSize();
  m_rcBody.SetRect(0, 0, m_rcPlacement.Width() - nShadow, m_rcPlacement.Height() - nShadow);
  m_rcWindow = m_rcPlacement;
  return m_rcPlacement;
}

void CFixedLayoutMenu::ShowNoActivate() {
  CaptureScreenBeneath();
  ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

namespace {

class CRecordingPaintManager : public CExtPaintManagerXP {
public:
  void PaintMenuItem(CDC& dc, MenuItemPaintData& d) override {
    ScopedRecordingTheme::Rows().push_back({d.text, d.accelText, d.font, d.sysCommandId, d.itemRect,
                                            d.backRect, d.popup != 0, d.selected != 0, d.checkMark != 0,
                                            d.radio != 0, d.enabled != 0, d.rarelyUsed != 0,
                                            d.rarelyUsedAbove != 0, d.rarelyUsedBelow != 0});
    CExtPaintManagerXP::PaintMenuItem(dc, d);
  }
};

} // namespace

ScopedRecordingTheme::ScopedRecordingTheme() {
  Rows().clear();
  g_PaintManagerHolder.InstallTheme(new CRecordingPaintManager);
}

ScopedRecordingTheme::~ScopedRecordingTheme() {
  g_PaintManagerHolder.InstallTheme(NULL);
  Rows().clear();
}

std::vector<PaintedRow>& ScopedRecordingTheme::Rows() {
  static std::vector<PaintedRow> rows;
  return rows;
}

} // namespace menu_paint
