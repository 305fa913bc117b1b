#include "toolkit/controls/ExtCheckBox.h"

#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

IMPLEMENT_DYNCREATE(CExtCheckBox, CExtButton)

BEGIN_MESSAGE_MAP(CExtCheckBox, CExtButton)
END_MESSAGE_MAP()

namespace {

const int kBoxSize = 13;
// The visual style's button parts.
const int kPartRadio = 2;
const int kPartCheck = 3;

// The visual style's state of each check-mark state index (unchecked, checked, mixed; then
// pressed, hot and disabled).
const int kThemeStates[12] = {1, 5, 9, 3, 7, 11, 2, 6, 10, 4, 8, 12};

bool IsRadioType(UINT nType) { return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON; }

} // namespace

CExtCheckBox::CExtCheckBox() : m_nPressFlags(0) {}

BOOL CExtCheckBox::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == m_hWnd) {
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
      m_nPressFlags |= PRESS_MOUSE;
      break;
    case WM_LBUTTONUP:
      m_nPressFlags &= (BYTE)~PRESS_MOUSE;
      break;
    case WM_KEYDOWN:
      if (pMsg->wParam == VK_SPACE)
        m_nPressFlags |= PRESS_SPACE;
      else
        m_nPressFlags &= (BYTE)~PRESS_SPACE;
      break;
    case WM_KEYUP:
      m_nPressFlags &= (BYTE)~PRESS_SPACE;
      break;
    default:
      break;
    }
  }
  return CExtButton::PreTranslateMessage(pMsg);
}

void CExtCheckBox::OnClick(bool bFromKeyboard, bool bDropDownPart) {
  if (m_nButtonType != BS_3STATE && m_nButtonType != BS_AUTO3STATE) {
    CExtButton::OnClick(bFromKeyboard, bDropDownPart);
    return;
  }
  if (GetSafeHwnd() == NULL || ::GetParent(m_hWnd) == NULL)
    return;
  // Three states advance in turn: clear, checked, indeterminate.
  const HWND hWnd = m_hWnd;
  SendMessage(BM_SETCHECK, (SendMessage(BM_GETCHECK, 0, 0) + 1) % 3, 0);
  if (::IsWindow(hWnd))
    NotifyClicked();
}

void CExtCheckBox::PaintButton(CDC& dc, bool bBackgroundDone, bool /*bForMenu*/) {
  FaceState face;
  if (!ReadFaceState(face))
    return;
  const auto& [rcClient, sText, dwStyle, bFocus, bFlat, bHover] = face;
  const bool bPushed = (m_nStateFlags & STATE_PUSHED) != 0 || m_nCheck != 0;
  if (!bBackgroundDone)
    bBackgroundDone = PaintBackground(dc, rcClient, bFocus, bFlat);
  CFont font;
  CreatePaintFont(font, false);
  PushButtonPaintData data(this, true, rcClient, sText, NULL, bFlat, bHover, bPushed, false,
                           IsButtonEnabled(), (m_nStateFlags & STATE_BORDER) != 0, bFocus, false,
                           m_nTextAlign, font.GetSafeHandle() != NULL ? (HFONT)font : GetButtonFont(), false,
                           0, bBackgroundDone);
  PaintCheckBoxContent(dc, data);
  g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtCheckBox::PaintCheckBoxContent(CDC& dc, PushButtonPaintData& data) {
  if (!data.enabled) {
    data.hover = 0;
    data.drawFocusRect = 0;
  }
  const CRect rcClient(data.rect);
  const DWORD dwStyle = GetStyle();
  const bool bBoxRight = (dwStyle & BS_LEFTTEXT) != 0 || (GetExStyle() & WS_EX_RIGHT) != 0;
  CRect rcBox(rcClient.left, rcClient.top + (rcClient.Height() - kBoxSize) / 2, rcClient.left + kBoxSize, 0);
  rcBox.bottom = rcBox.top + kBoxSize;
  CRect rcText(rcClient);
  if (bBoxRight) {
    rcBox.MoveToX(rcClient.right - kBoxSize);
    rcText.right = rcBox.left - 2;
  } else {
    rcText.left = rcBox.right + 4;
  }
  UINT nFormat = DT_LEFT;
  if ((dwStyle & BS_CENTER) == BS_CENTER)
    nFormat = DT_CENTER;
  else if ((dwStyle & BS_CENTER) == BS_RIGHT)
    nFormat = DT_RIGHT;
  if ((dwStyle & BS_VCENTER) == BS_BOTTOM)
    nFormat |= DT_BOTTOM;
  else if ((dwStyle & BS_VCENTER) == BS_TOP)
    nFormat |= DT_TOP;
  else
    nFormat |= DT_VCENTER;
  nFormat |= (dwStyle & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;

  const COLORREF clrText =
      g_PaintManagerHolder->ColorByLogicalId(data.enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW, this);
  CString sText(data.text);
  if (!sText.IsEmpty() && !rcText.IsRectEmpty()) {
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), data.font);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clrText);
    CRect rcDraw(rcText);
    dc.DrawText(sText, &rcDraw, nFormat);
    if (data.drawFocusRect) {
      CRect rcFocus(rcText);
      dc.DrawText(sText, &rcFocus, nFormat | DT_CALCRECT);
      // The measured text sits where DrawText put it: move it by the alignment.
      const int dx = (nFormat & DT_CENTER) != 0  ? (rcText.Width() - rcFocus.Width()) / 2
                     : (nFormat & DT_RIGHT) != 0 ? rcText.Width() - rcFocus.Width()
                                                 : 0;
      const int dy = (nFormat & DT_BOTTOM) != 0    ? rcText.Height() - rcFocus.Height()
                     : (nFormat & DT_VCENTER) != 0 ? (rcText.Height() - rcFocus.Height()) / 2
                                                   : 0;
      rcFocus.OffsetRect(dx, dy);
      rcFocus.InflateRect(2, 2);
      rcFocus.IntersectRect(&rcFocus, &rcClient);
      dc.DrawFocusRect(&rcFocus);
    }
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
  }
  PaintCheckMark(dc, rcBox, data);
}

void CExtCheckBox::PaintCheckMark(CDC& dc, const CRect& rcBox, PushButtonPaintData& data) {
  const int nCheck = m_nCheck == 1 ? 1 : m_nCheck == 2 ? 2 : 0;
  const bool bPressed =
      (data.hover && (m_nPressFlags & PRESS_MOUSE) != 0) || (m_nPressFlags & PRESS_SPACE) != 0;
  const bool bHot = (data.hover && !bPressed) || ((m_nPressFlags & PRESS_MOUSE) != 0 && !data.hover);
  int nState = nCheck;
  if (!data.enabled)
    nState += 9;
  else if (bPressed)
    nState += 3;
  else if (bHot)
    nState += 6;
  if (QueryCustomCheckMark(dc, rcBox, nState))
    return;
  const bool bRadio = IsRadioType(m_nButtonType);
  CExtVisualStyleApi& api = g_PaintManagerHolder.m_VisualStyleApi;
  if (api.IsVisualStyleActive(true) && api.OpenThemeData(m_hWnd, L"BUTTON") != NULL) {
    const HRESULT hr = api.DrawThemeBackground(dc.GetSafeHdc(), bRadio ? kPartRadio : kPartCheck,
                                               kThemeStates[nState], &rcBox, NULL);
    api.CloseThemeData(true);
    if (hr == S_OK)
      return;
  }
  UINT nFlags = bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (nCheck == 2 && !bRadio)
    nFlags = DFCS_BUTTON3STATE;
  if (!data.enabled)
    nFlags |= DFCS_INACTIVE;
  if (bPressed && data.enabled)
    nFlags |= DFCS_PUSHED;
  if (nCheck != 0)
    nFlags |= DFCS_CHECKED;
  if ((GetStyle() & BS_FLAT) != 0)
    nFlags |= DFCS_FLAT;
  CRect rc(rcBox);
  dc.DrawFrameControl(&rc, DFC_BUTTON, nFlags);
}

bool CExtCheckBox::QueryCustomCheckMark(CDC& dc, const CRect& rcBox, int nState) {
  CRect rcClient;
  GetClientRect(&rcClient);
  return g_PaintManagerHolder->QueryCheckBoxCustomDraw(dc, rcBox, rcClient, nState % 3, nState < 9,
                                                       nState >= 6 && nState < 9, this);
}
