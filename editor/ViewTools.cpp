// The pixel tools of the image view (air brush, fill, colour picker, eraser, highlighter), the
// text tool with its dialog, and the stamps. The dispatch in ViewMouse.cpp takes the snapshot
// before these steps and records the undo step after them.
#include "editor/CanvasCoords.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "editor/TextElement.h"
#include "editor/TextInputDlg.h"
#include "framework/app/fw_app.h"
#include "imaging/CommonLib.h"
#include "imaging/CommonLibGdi.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

const UINT kSprayTimer = 1005;
const UINT kGuardTimer = 1075;
const UINT kGuardPeriod = 50;
// The text dialog keeps at least this much of the desktop to its right and below it.
const int kDialogRoom = 250;

const char kZoomRefusal[] =
    "Bring zoom level to 100% to add text!\nGo to menu View ->Actual size to zoom to 100%";

// The style record a tool's colours live in, or -1 for the tools without one.
int StyleRecordOf(int nTool) {
  if (nTool == ID_TOOL_SELECT_REGION || (nTool >= ID_TOOL_RECT_SELECTION && nTool <= ID_TOOL_FREE_SELECTION))
    return STYLE_SELECTION;
  if (nTool == ID_TOOL_PAINT_BRUSH || (nTool >= ID_TOOL_BRUSH_FLAT && nTool <= ID_TOOL_BRUSH_DOTTED))
    return STYLE_PAINT_BRUSH;
  if (nTool == ID_TOOL_AIR_BRUSH || nTool == ID_TOOL_FILL ||
      (nTool >= ID_TOOL_SPRAY_SMALL && nTool <= ID_TOOL_SPRAY_LARGE))
    return STYLE_AIR_BRUSH_FILL;
  if (nTool == ID_TOOL_TEXT)
    return STYLE_TEXT;
  if (nTool == ID_TOOL_LINE || (nTool >= ID_TOOL_LINE_SOLID && nTool <= ID_TOOL_LINE_DASH_DOT))
    return STYLE_LINE_ARROW;
  if (nTool == ID_TOOL_SHAPES || (nTool >= ID_TOOL_RECT_FRAMED && nTool <= ID_TOOL_FREESHAPE_FILLED))
    return STYLE_SHAPES;
  if (nTool == ID_TOOL_ERASER)
    return STYLE_ERASER;
  if (nTool == ID_TOOL_HIGHLIGHTER)
    return STYLE_HIGHLIGHTER;
  return -1; // the arrows and the tools that draw no colour
}

// The spray's reach in picture pixels at 100 %.
int SprayReach(int nTool) {
  if (nTool == ID_TOOL_AIR_BRUSH || nTool == ID_TOOL_SPRAY_SMALL)
    return 6;
  return nTool == ID_TOOL_SPRAY_MEDIUM ? 12 : 20;
}

CSize BitmapSize(CBitmap* pBitmap) {
  BITMAP bm = {};
  if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL || pBitmap->GetBitmap(&bm) == 0)
    return CSize(0, 0);
  return CSize(bm.bmWidth, bm.bmHeight);
}

bool InPicture(CPoint pt, CSize size) { return pt.x >= 0 && pt.y >= 0 && pt.x < size.cx && pt.y < size.cy; }

// A desktop coordinate for the text dialog: 10 when the dialog would have too little room.
int DialogCoord(int c, int nDesktopEnd) { return c > nDesktopEnd - kDialogRoom ? 10 : c; }

CPoint DialogPosition(CPoint pt) {
  CRect rcDesktop;
  CWnd::GetDesktopWindow()->GetWindowRect(&rcDesktop);
  return CPoint(DialogCoord(pt.x, rcDesktop.right), DialogCoord(pt.y, rcDesktop.bottom));
}

// An eraser stroke always begins at the press.
void EnsureStrokeStart(std::vector<POINT>& points, POINT press) {
  if (points.empty())
    points.push_back(press);
}

// The dialog takes the text's font: its description and a font of its own made from it.
void LoadDialogFont(CTextInputDlg* pDlg, const CFont& font) {
  font.GetLogFont(&pDlg->m_lf);
  pDlg->m_font.DeleteObject();
  pDlg->m_font.CreateFontIndirect(&pDlg->m_lf);
}

COLORREF ArgbToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

} // namespace

// ---------------------------------------------------------------------------------------------
// Air brush

void CFramletView::SprayTick() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  const int k = SprayReach(m_nTool);
  const int r = (int)(k * m_fZoom), n = (int)(4 * k * m_fZoom);
  if (r < 1 || n < 1)
    return;
  CClientDC dc(this);
  OnPrepareDC(&dc);
  CBitmap* pPicture = pDoc->m_pImage->GetBitmap();
  commonlib::CSurface picture;
  if (!picture.Open(&dc, pPicture))
    return;
  const CSize size = BitmapSize(pPicture);
  const int m = g_nCanvasMargin, nScale = (int)(m_fZoom * 100);
  for (int i = 0; i < n; i++) {
    const int d = std::rand() % r;
    const double a = (std::rand() % 1024) * 2 * 3.14159265358979323846 / 1024;
    CPoint dot((int)(std::cos(a) * d) + m_ptCurrent.x, (int)(std::sin(a) * d) + m_ptCurrent.y);
    // As ViewToImagePoint, on the one DC of the tick.
    dc.DPtoLP(&dot);
    SnapToGrid(dot, m_fZoom);
    dot = CPoint(::MulDiv(dot.x - m, 100, nScale), ::MulDiv(dot.y - m, 100, nScale));
    if (InPicture(dot, size)) // the spray reaches past the picture's edge near it
      picture->SetPixel(dot, m_style.mainColor);
  }
  picture.Close(); // the paint below selects the picture into its own DC
  CRect rcDirty(m_ptCurrent, m_ptCurrent);
  rcDirty.InflateRect(r + 1, r + 1);
  InvalidateRect(&rcDirty, TRUE);
  UpdateWindow();
}

void CFramletView::AirBrushGuard() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || m_hWnd == NULL)
    return;
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  // The image as the window shows it: at the zoom, moved by the scroll position, so that the
  // spray stops at the picture's edge however the view is scrolled.
  CRect rcImage = RescaleRect(pDoc->m_rcImage, m_fZoom, 1.0f);
  rcImage.OffsetRect(-m_nScrollX, -m_nScrollY);
  CRect rcClient, rcOver;
  GetClientRect(&rcClient);
  if (rcOver.IntersectRect(&rcClient, &rcImage) && rcOver.PtInRect(cursor)) {
    SetTimer(kGuardTimer, kGuardPeriod, NULL);
    return;
  }
  KillTimer(kGuardTimer);
  KillTimer(kSprayTimer);
}

// ---------------------------------------------------------------------------------------------
// Fill and colour picker

void CFramletView::FillAt(CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  if (CEditorAppState* pState = CEditorAppState::Get())
    m_style = pState->m_styles[STYLE_AIR_BRUSH_FILL];
  CWaitCursor wait;
  const CPoint p = ViewToImagePoint(point);
  CClientDC dc(this);
  CCommonLib lib;
  lib.FloodFillBitmap(&dc, pDoc->m_pImage->GetBitmap(), p.x, p.y, m_style.mainColor);
}

void CFramletView::PickColor(UINT nFlags, CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  CEditorAppState* pState = CEditorAppState::Get();
  if (pState == NULL)
    return;
  {
    CWaitCursor wait;
    const CPoint p = ViewToImagePoint(point);
    CBitmap* pPicture = pDoc->m_pImage->GetBitmap();
    CClientDC dc(this);
    commonlib::CSurface picture;
    const int nRecord = StyleRecordOf(pState->m_nLastTool);
    // A press beyond the picture finds no colour there: the styles stay as they are.
    if (nRecord >= 0 && InPicture(p, BitmapSize(pPicture)) && picture.Open(&dc, pPicture)) {
      DrawStyle& style = pState->m_styles[nRecord];
      ((nFlags & MK_RBUTTON) != 0 ? style.backColor : style.mainColor) = picture->GetPixel(p);
    }
  }
  if (CEditorShell* pShell = GetEditorShell())
    pShell->SelectTool(pState->m_nLastTool);
}

// ---------------------------------------------------------------------------------------------
// Eraser

void CFramletView::EraserMove(CPoint point) {
  const CSize scroll(m_nScrollX, m_nScrollY);
  const POINT logical = point + scroll;
  EnsureStrokeStart(m_pPoints, m_ptStart + scroll);
  if (m_pPoints.back().x != logical.x || m_pPoints.back().y != logical.y)
    m_pPoints.push_back(logical);
  CClientDC dc(this);
  OnPrepareDC(&dc);
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, (int)(m_style.width * m_fZoom), m_style.backColor))
    return;
  CPen* pOldPen = dc.SelectObject(&pen);
  dc.MoveTo(m_ptCurrent + scroll);
  dc.LineTo(logical);
  dc.SelectObject(pOldPen);
  m_ptCurrent = point;
}

void CFramletView::EraserUp() {
  CFramletDoc* pDoc = GetDocument();
  EnsureStrokeStart(m_pPoints, m_ptStart + CSize(m_nScrollX, m_nScrollY));
  std::vector<POINT> points = std::move(m_pPoints);
  m_pPoints.clear();
  const int m = g_nCanvasMargin;
  // The points are logical already: snapped to whole pixels, at 100 %, without the margin.
  SnapToGrid(points.data(), (int)points.size(), m_fZoom);
  ScaleAroundMargin(points.data(), (int)points.size(), 1.0f, m_fZoom);
  for (POINT& pt : points) {
    pt.x -= m;
    pt.y -= m;
  }
  if (points.size() == 1)
    points.push_back(points.front()); // a click rubs out a dot
  CClientDC dc(this);
  commonlib::CSurface picture;
  CPen pen;
  if (!picture.Open(&dc, pDoc->m_pImage->GetBitmap()) ||
      !pen.CreatePen(PS_SOLID, m_style.width, m_style.backColor) || !picture.SelectPen(pen.GetSafeHandle()))
    return;
  picture->Polyline(points.data(), (int)points.size());
}

// ---------------------------------------------------------------------------------------------
// Highlighter (its rubber band also serves the text tool)

void CFramletView::HighlighterMove(CPoint point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  CPen pen;
  if (!pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0)))
    return;
  const CSize scroll(m_nScrollX, m_nScrollY);
  const int nOldRop = dc.SetROP2(R2_NOTXORPEN);
  CPen* pOldPen = dc.SelectObject(&pen);
  CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
  CRect rcOld(m_ptStart + scroll, m_ptCurrent + scroll), rcNew(m_ptStart + scroll, point + scroll);
  rcOld.NormalizeRect();
  rcNew.NormalizeRect();
  dc.Rectangle(&rcOld); // drawn again, it goes
  dc.Rectangle(&rcNew);
  dc.SelectObject(pOldBrush);
  dc.SelectObject(pOldPen);
  dc.SetROP2(nOldRop);
  m_ptCurrent = point;
}

void CFramletView::HighlighterUp(CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  const CSize scroll(m_nScrollX, m_nScrollY);
  CRect rc(m_ptStart + scroll, point + scroll);
  rc.NormalizeRect();
  CRect rcImage = RescaleRect(pDoc->m_rcImage, m_fZoom, 1.0f);
  if (!rc.IntersectRect(&rc, &rcImage))
    return;
  SnapRectToZoom(rc, m_fZoom);
  rc = RescaleRect(rc, 1.0f, m_fZoom);
  rc.OffsetRect(-g_nCanvasMargin, -g_nCanvasMargin);
  // Lower opacity gives a lighter tint of the colour: AND-ed with the picture it darkens less.
  const double a = m_style.opacity / 255.0;
  auto tint = [a](int c) { return (int)(c * a + (1 - a) * 255); };
  const COLORREF clr = RGB(tint(GetRValue(m_style.mainColor)), tint(GetGValue(m_style.mainColor)),
                           tint(GetBValue(m_style.mainColor)));
  CClientDC dc(this);
  CCommonLib lib;
  lib.HighlightRect(&dc, pDoc->m_pImage->GetBitmap(), rc.left, rc.top, rc.right, rc.bottom, clr);
}

// ---------------------------------------------------------------------------------------------
// Text

void CFramletView::PutTextAt(CPoint point) {
  if (m_fZoom != 1.0f) {
    // Text is drawn at the picture's own scale only.
    Invalidate(TRUE);
    AfxMessageBox(kZoomRefusal, MB_OK);
    return;
  }
  CWaitCursor wait;
  m_ptCurrent = point;
  if (m_pTextDlg == NULL) {
    std::unique_ptr<CTextInputDlg> pDlg(new CTextInputDlg(this));
    if (!pDlg->Create(this))
      return; // no dialog to edit it with: no text is placed
    m_pTextDlg = pDlg.release();
  } else {
    m_pTextDlg->SetForegroundWindow();
  }
  CTextInputDlg* pDlg = m_pTextDlg;
  m_pText->m_strText = "Text";
  pDlg->m_strText = "Text";
  CRect rcBox(m_ptStart, point);
  rcBox.NormalizeRect(); // a box dragged up or left is a box all the same
  m_pText->m_rect = rcBox;
  Invalidate(TRUE);

  LoadDialogFont(pDlg, m_pText->m_font);
  pDlg->m_nAngle = pDlg->m_nAlignV = pDlg->m_nAlignH = 0;
  pDlg->m_clrText = 0;
  pDlg->m_nOpacity = 255;

  CPoint cursor;
  ::GetCursorPos(&cursor);
  cursor.x -= rcBox.Width();
  pDlg->m_ptPos = DialogPosition(cursor);
  pDlg->Refresh();
  pDlg->ShowWindow(SW_SHOW);
  pDlg->FocusText();
  ApplyTextDialog(pDlg);
  Invalidate(TRUE);
}

void CFramletView::ReopenTextDialog(CPoint) {
  CWaitCursor wait;
  if (CTextInputDlg* pDlg = m_pTextDlg) {
    pDlg->SetForegroundWindow();
    pDlg->m_strText = m_pText->m_strText;
    LoadDialogFont(pDlg, m_pText->m_font);
    pDlg->m_clrText = ArgbToColorRef(m_pText->m_clrText);
    pDlg->m_nAngle = m_pText->m_nAngle;
    pDlg->m_nOpacity = m_pText->m_nOpacity;
    pDlg->m_nAlignH = m_pText->m_nAlignH;
    pDlg->m_nAlignV = m_pText->m_nAlignV;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    pDlg->m_ptPos = DialogPosition(cursor + CSize(10, 10));
    pDlg->Refresh();
    pDlg->ShowWindow(SW_SHOW);
    pDlg->FocusText();
  }
  Invalidate(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Stamps and callouts

void CFramletView::PlaceStamp(CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  CEditorAppState* pState = CEditorAppState::Get();
  ResetSelection();
  // A piece still floating here is a lifted, unmoved selection: the picture keeps its pixels.
  delete pDoc->m_pSelection;
  pDoc->m_pSelection = NULL;
  if (pState != NULL) {
    PasteImageFile(pState->m_strStampFile);
    pState->m_nCurrentTool = ID_TOOL_POINTER;
  }
  if (CZoomTracker* pPiece = pDoc->m_pSelection) {
    CRect& rc = pPiece->m_rect; // logical coordinates
    rc.OffsetRect(point.x + m_nScrollX - rc.left, point.y + m_nScrollY - rc.top);
  }
  if (CEditorShell* pShell = GetEditorShell())
    pShell->SelectTool(ID_TOOL_POINTER);
}
