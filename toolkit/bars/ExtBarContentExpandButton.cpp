// The chevron button.
#include "toolkit/bars/ExtPanelControlBar.h"

IMPLEMENT_DYNAMIC(CExtBarContentExpandButton, CExtBarButton)

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
    : CExtBarButton(pBar, kCmdId, 0), m_bAllContentVisible(true) {}

CExtBarContentExpandButton::~CExtBarContentExpandButton() {}

CSize CExtBarContentExpandButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) { return CSize(); }

UINT CExtBarContentExpandButton::GetMenuAlignment() const { return 0; }

void CExtBarContentExpandButton::OnClick(CPoint point, bool bDown) {}

void CExtBarContentExpandButton::OnHover(CPoint point, bool bHover, bool& bSuppressTip) {}

int CExtBarContentExpandButton::OnHelpHitTest(CPoint point) { return -1; }

void CExtBarContentExpandButton::Paint(CDC& dc, bool bHorz) {}

UINT CExtBarContentExpandButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) {
  return 0;
}

INT_PTR CExtBarContentExpandButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) { return -1; }
