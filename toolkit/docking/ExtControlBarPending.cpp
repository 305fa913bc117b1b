// Bodies still to be written; each moves to its own file as it is built.
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtControlBar.h"

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
END_MESSAGE_MAP()

CExtControlBar::PFN_CreateOuterDockBar CExtControlBar::g_pfnCreateOuterDockBar = NULL;
CExtControlBar::PFN_GetFloatingFrameClass CExtControlBar::g_pfnGetFloatingFrameClass = NULL;

CExtControlBar::TrackedAreaDrawData::TrackedAreaDrawData(CExtControlBar* pBar, CDC* pDC, LONG nKind,
                                                         const RECT& rc, bool bErase)
    : m_pBar(pBar), m_pDC(pDC), m_nKind(nKind), m_rcArea(rc), m_bFlags(bErase ? FLAG_ERASE : 0) {}
void CExtControlBar::TrackedAreaDrawData::Draw(CBrush*, DWORD) const {}
void CExtControlBar::PreSubclassWindow() { CControlBar::PreSubclassWindow(); }
BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs) { return CControlBar::PreCreateWindow(cs); }
INT_PTR CExtControlBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg) { return CControlBar::PreTranslateMessage(pMsg); }
LRESULT CExtControlBar::WindowProc(UINT m, WPARAM w, LPARAM l) { return CControlBar::WindowProc(m, w, l); }
CSize CExtControlBar::CalcFixedLayout(BOOL, BOOL) { return m_sizeDockedH; }
CSize CExtControlBar::CalcDynamicLayout(int, DWORD) { return m_sizeDockedH; }
void CExtControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}
void CExtControlBar::DoPaint(CDC*) {}
void CExtControlBar::DelayShow(BOOL bShow) { CControlBar::DelayShow(bShow); }
void CExtControlBar::PaintNcArea(CDC&) {}
void CExtControlBar::PaintClientBackground(CDC&) {}
int CExtControlBar::CalcMinWidth() const { return m_nMinWidthBase; }
int CExtControlBar::CalcMinHeight() const { return m_nMinHeightBase; }
void CExtControlBar::RecalcParentFrameLayout() {}
void CExtControlBar::RepositionSingleChild(int, int, bool) {}
void CExtControlBar::UpdateCursor(CPoint) {}
void CExtControlBar::CalcCaptionTextRect(CRect&) const {}
void CExtControlBar::InitNcAreaButtons() {}
void CExtControlBar::RepositionNcAreaButtons() {}
bool CExtControlBar::ProcessMouseMove(UINT, CPoint) { return false; }
void CExtControlBar::GetFrameControlBars(bool, CPtrArray&, DWORD, LONG, LONG) const {}
void CExtControlBar::GetFrameControlBars(CFrameWnd*, CExtControlBar*, CPtrArray&, DWORD, LONG, LONG) {}
bool CExtControlBar::NotifyDrawTrackedArea(TrackedAreaDrawData&) { return false; }
bool CExtControlBar::GetButtonCaption(CRect&, bool&) const { return false; }
CWnd* CExtControlBar::GetCaptionWindow() const { return const_cast<CExtControlBar*>(this); }
UINT CExtControlBar::NcButtonHitTest(CPoint, CExtBarNcAreaButton**) { return HTCLIENT; }
void CExtControlBar::PaintNcAreaButtons(CDC&) {}
CExtControlBar* CExtControlBar::FindRowNeighbour(bool, bool, bool) const { return NULL; }
CExtControlBar* CExtControlBar::FindRowEdgeBar(bool, bool, bool) const { return NULL; }
bool CExtControlBar::IsFirstInRow(bool) const { return true; }
bool CExtControlBar::IsLastInRow(bool) const { return true; }
bool CExtControlBar::IsSingleInRow(RowKind) const { return true; }
bool CExtControlBar::IsAtMinimumLength() const { return false; }
bool CExtControlBar::GetRowBars(CPtrArray&, RowInfo*) const { return false; }
bool CExtControlBar::GetNeighbourRowBars(bool, CPtrArray&, RowInfo*) const { return false; }
bool CExtControlBar::GetRowBarsEx(bool, CPtrArray&, RowInfo*) const { return false; }
void CExtControlBar::MoveToOwnRow() {}
void CExtControlBar::RecalcDockBarInPlace(CFrameWnd*, CDockBar*) {}
void CExtControlBar::RepositionBarsEx(CWnd*, UINT, UINT, UINT, UINT, LPRECT, LPCRECT, bool) {}
bool CExtControlBar::IsResizableToolkitBar(CControlBar*) { return false; }
void CExtControlBar::SyncContainerVisibility() {}
void CExtControlBar::EnsureRowLength() {}
bool CExtControlBar::FrameEnableDocking(CFrameWnd*, DWORD, bool) { return false; }
void CExtControlBar::SetFrameMessageString(CWnd*, UINT) {}
bool CExtControlBar::IsThemeSystemMessage(UINT) const { return false; }
void CExtControlBar::ForwardSystemChange(UINT, WPARAM, LPARAM) {}
void CExtControlBar::OnNcPaintImpl() {}
void CExtControlBar::PrintBar(CDC&, UINT) {}
void CExtControlBar::OnWindowPosChangedImpl(WINDOWPOS*) {}
void CExtControlBar::OnSetFocusRowRoom() {}

IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonAutoHide, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)
CExtBarNcAreaButton::CExtBarNcAreaButton() : m_pBar(NULL), m_rc(0, 0, 0, 0), m_bFlags(0) {}
CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
    : m_pBar(pBar), m_rc(0, 0, 0, 0), m_bFlags(0) {}
void CExtBarNcAreaButton::Destroy() { delete this; }
void CExtBarNcAreaButton::Reposition(CExtBarNcAreaButton*) {}
bool CExtBarNcAreaButton::IsVisible() const { return false; }
void CExtBarNcAreaButton::Paint(CDC&) {}
UINT CExtBarNcAreaButton::HitTest(CPoint) { return HTCLIENT; }
HCURSOR CExtBarNcAreaButton::QueryCursor(CPoint) const { return NULL; }
bool CExtBarNcAreaButton::Click(CPoint pt) { return m_rc.PtInRect(pt) != FALSE; }
INT_PTR CExtBarNcAreaButton::FillToolInfo(CPoint, TOOLINFO*) const { return -1; }
void CExtBarNcAreaButton::MirrorInCaption(const CRect&) {}
CString CExtBarNcAreaButton::LoadTipText(UINT, LPCSTR lpsz) { return CString(lpsz); }
void CExtBarNcAreaButton::PaintGlyph(CDC&, int) {}
INT_PTR CExtBarNcAreaButton::FillToolInfoText(TOOLINFO*, UINT, LPCSTR) const { return -1; }
bool CExtBarNcAreaButton::IsBarActive() const { return false; }
bool CExtBarNcAreaButtonClose::IsVisible() const { return false; }
void CExtBarNcAreaButtonClose::Paint(CDC&) {}
UINT CExtBarNcAreaButtonClose::HitTest(CPoint) { return HTCLIENT; }
bool CExtBarNcAreaButtonClose::Click(CPoint) { return false; }
INT_PTR CExtBarNcAreaButtonClose::FillToolInfo(CPoint, TOOLINFO*) const { return -1; }
bool CExtBarNcAreaButtonAutoHide::IsVisible() const { return false; }
void CExtBarNcAreaButtonAutoHide::Reposition(CExtBarNcAreaButton*) {}
void CExtBarNcAreaButtonAutoHide::Paint(CDC&) {}
bool CExtBarNcAreaButtonAutoHide::Click(CPoint) { return false; }
INT_PTR CExtBarNcAreaButtonAutoHide::FillToolInfo(CPoint, TOOLINFO*) const { return -1; }
bool CExtBarNcAreaButtonMenu::IsVisible() const { return false; }
void CExtBarNcAreaButtonMenu::Paint(CDC&) {}
bool CExtBarNcAreaButtonMenu::Click(CPoint) { return false; }
INT_PTR CExtBarNcAreaButtonMenu::FillToolInfo(CPoint, TOOLINFO*) const { return -1; }
