// Timings of the effect page's live preview on a 1920 x 1080 picture in a maximised frame: from a
// slider's scroll end (a tick for the operation without a slider) until the frame has repainted,
// against the same operation alone, called directly on the same picture with the same parameter
// block. Both are measured in the same run, round by round in turns; the ratio is preview over
// alone. The last preview's picture is checked against the operation's own result. The aim: a preview
// within one 60 Hz frame when the operation alone takes under half a frame, and never more than
// one frame over the operation alone.
#include "app/ModelessPropSheet.h"
#include "app/PropPageCaption.h"
#include "app/PropPageMain.h"
#include "app/PropPageParam.h"
#include "app/PropPageResize.h"
#include "app/TaskSheet.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"
#include "editor/EditorState.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/app/fw_app.h"
#include "framework/frame/fw_frame.h"
#include "imaging/CommonLib.h"
#include "imaging/GdipEffects.h"
#include "imaging/ImageItem.h"
#include "imaging/PixelPlane.h"
#include "imaging/RawBytes.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const int kWidth = 1920, kHeight = 1080, kRounds = 9;
const int kSheetWidth = 200; // the task sheet's docked width in the main frame
const double kFrameMs = 1000.0 / 60;
const unsigned kTearSeed = 1234;

// The operation, the slider the preview is driven by (-1: the first tick) and the position it is
// moved to, away from its default so that the operation does real work.
struct Operation {
  int taskId;
  const char* name;
  int slider;
  int pos;
};

const Operation kOperations[] = {
    {TASK_TORN_EDGE, "Torn Edge", 0, 12},
    {TASK_SAW_EDGE, "Saw Edge", 0, 12},
    {TASK_SHARK_EDGE, "Shark Edge", 0, 12},
    {TASK_WAVE_EDGE, "Wave Edge", 0, 12},
    {TASK_FADE_EDGE, "Fade Edge", 0, 12},
    {TASK_SHADOW_EDGE, "Shadow", 0, 15},
    {TASK_BEVEL_EDGE, "Beveled", 0, 12},
    {TASK_BORDER, "Border", 0, 12},
    {TASK_PERSPECTIVE, "Perspective", 0, 30},
    {TASK_SHEAR, "Shear", 0, 30},
    {TASK_BLUR, "Blur", 0, 3},
    {TASK_EMBOSS, "Emboss", 0, 2},
    {TASK_SHARPEN, "Sharpen", 0, 2},
    {TASK_SOLARIZE, "Solarize", 0, 100},
    {TASK_BRIGHTNESS_CONTRAST, "Brightness-Contrast", 0, 50},
    {TASK_COLOR_BALANCE, "Color Balance", 0, 40},
    {TASK_INVERT_COLOR, "Invert Color (tick)", -1, 0},
    {TASK_GRAYSCALE, "Grayscale", 0, 30},
    {TASK_BLACK_WHITE, "Black/White", 0, 100},
    {TASK_ROTATE_ANGLE, "Rotate", 0, 30},
};

HBITMAP MakePicture() {
  CPixelPlane plane;
  HBITMAP hBitmap = CreatePlaneBitmap(kWidth, kHeight, &plane);
  for (int y = 0; hBitmap != NULL && y < kHeight; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < kWidth; x++)
      pRow[x] = ((x * 255 / kWidth) << 16) | ((y * 255 / kHeight) << 8) | ((x ^ y) & 0xFF);
  }
  return hBitmap;
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// The document view, counting its paints.
class CCountingView : public CFramletView {
public:
  int m_nPaints = 0;

protected:
  void OnDraw(CDC* pDC) override {
    ++m_nPaints;
    CFramletView::OnDraw(pDC);
  }
};

class CBenchApp : public CWinApp {};

// A maximised frame with the task sheet docked at its right and one document's view filling the
// rest, as the program shows a maximised picture; the sheet finds the view as the frame's active
// view. Frame and view are freed by the framework when their windows go.
class CPreviewLab {
public:
  CPreviewLab() : m_frame(*new CFrameWnd), m_view(*new CCountingView) {
    if (AfxGetApp() == NULL)
      m_pApp.reset(new CBenchApp);
    m_frame.Create(NULL, "Effect preview bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                   CRect(0, 0, 800, 600));
    AfxGetApp()->m_pMainWnd = &m_frame;
    m_frame.ShowWindow(SW_SHOWMAXIMIZED);
    CRect rc;
    m_frame.GetClientRect(&rc);
    m_view.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, rc.right - kSheetWidth, rc.bottom), &m_frame,
                  0x300);
    m_pDoc.reset(new CFramletDoc);
    m_pDoc->m_bAutoDelete = FALSE;
    m_pDoc->AddView(&m_view);
    m_pDoc->OnNewDocument();
    m_frame.SetActiveView(&m_view, FALSE);
    sheet.AddPage(&pageMain);
    sheet.AddPage(&pageParam);
    sheet.AddPage(&pageResize);
    sheet.AddPage(&pageCaption);
    m_bReady = sheet.Create(&m_frame) != FALSE;
    sheet.MoveWindow(rc.right - kSheetWidth, 0, kSheetWidth, rc.bottom);
    m_frame.SetForegroundWindow();
    Pump();
  }
  ~CPreviewLab() {
    AfxGetApp()->m_pMainWnd = NULL;
    m_frame.SetActiveView(NULL, FALSE);
    sheet.DestroyWindow();
    m_pDoc->RemoveView(&m_view);
    m_view.DestroyWindow();
    m_frame.DestroyWindow();
    Pump();
  }
  CPreviewLab(const CPreviewLab&) = delete;
  CPreviewLab& operator=(const CPreviewLab&) = delete;

  bool Ready() const { return m_bReady && m_view.GetSafeHwnd() != NULL; }
  CFrameWnd& Frame() { return m_frame; }
  CCountingView& View() { return m_view; }
  CFramletDoc& Doc() { return *m_pDoc; }
  HWND PageItem(int nId) const { return ::GetDlgItem(pageParam.GetSafeHwnd(), nId); }

private:
  std::unique_ptr<CBenchApp> m_pApp;
  CEditorAppState m_state;
  CFrameWnd& m_frame;
  CCountingView& m_view;
  std::unique_ptr<CFramletDoc> m_pDoc;
  bool m_bReady = false;

public:
  CModelessPropSheet sheet;
  CPropPageMain pageMain;
  CPropPageParam pageParam;
  CPropPageResize pageResize;
  CPropPageCaption pageCaption;
};

// The side mask the view hands the edge and channel operations.
int SideMask(int nTaskId, const EffectParams& p) {
  const bool bMasked = (nTaskId >= TASK_TORN_EDGE && nTaskId <= TASK_FADE_EDGE) || nTaskId == TASK_BORDER ||
                       nTaskId == TASK_INVERT_COLOR || nTaskId == TASK_GRAYSCALE;
  int nSides = 0;
  for (int i = 0; bMasked && i < 4; i++)
    nSides |= p.flag[i] != 0 ? 1 << i : 0;
  if (nTaskId == TASK_TORN_EDGE && p.flag[4] != 0)
    nSides |= 0x10;
  return nSides;
}

bool IsGdiOperation(int nTaskId) {
  return (nTaskId >= TASK_TORN_EDGE && nTaskId <= TASK_WAVE_EDGE) || nTaskId == TASK_SHADOW_EDGE ||
         nTaskId == TASK_BORDER;
}

// The operation alone on a GDI copy of the picture, as the view calls it.
void RunGdiOperation(int nTaskId, const EffectParams& p, CDC* pDC, CBitmap* pWork) {
  CCommonLib lib;
  const int nSides = SideMask(nTaskId, p);
  if (nTaskId == TASK_SHADOW_EDGE) {
    if (p.flag[0] == 1)
      lib.BorderEffect(pDC, pWork, p.value[1], 0, 0, p.color[2], p.color[2], p.color[2]);
    lib.ShadowEffect(pDC, pWork, p.value[0], 0, p.color[0], p.color[1]);
  } else if (nTaskId == TASK_BORDER) {
    lib.BorderEffect(pDC, pWork, p.value[0], p.value[1], nSides, p.color[0], p.color[1], p.color[2]);
  } else {
    lib.EdgeEffect(pDC, pWork, nTaskId, p.value[0], nSides, p.color[0], p.color[1], p.value[1], p.flag[5],
                   p.shadowColor, p.shadowOpacity, p.shadowDepthX, p.shadowDepthY, p.shadowEdge);
  }
}

// The operation alone on a GDI+ copy of the picture; those that change the size replace it.
void RunGdipOperation(int nTaskId, const EffectParams& p, Gdiplus::Bitmap*& pBitmap) {
  CGdipEffects fx;
  fx.SetSize((int)pBitmap->GetWidth(), (int)pBitmap->GetHeight());
  const int nSides = SideMask(nTaskId, p);
  switch (nTaskId) {
  case TASK_FADE_EDGE:
    fx.FadeEdge(pBitmap, p.value[0], nSides, p.color[0]);
    break;
  case TASK_BEVEL_EDGE:
    fx.BevelEdge(pBitmap, p.value[0], 0, p.color[0]);
    break;
  case TASK_PERSPECTIVE:
    fx.Perspective(pBitmap, p.value[0], p.value[1], p.color[0]);
    break;
  case TASK_SHEAR:
    fx.Shear(pBitmap, p.value[0], 0, p.color[0]);
    break;
  case TASK_BLUR:
    fx.Blur(pBitmap, p.value[0], -1, -1);
    break;
  case TASK_EMBOSS:
    fx.Emboss(pBitmap, p.value[0], 1);
    break;
  case TASK_SHARPEN:
    fx.Sharpen(pBitmap, p.value[0]);
    break;
  case TASK_SOLARIZE:
    fx.Solarize(pBitmap, p.value[0]);
    break;
  case TASK_BRIGHTNESS_CONTRAST:
    fx.Brightness(pBitmap, p.value[0]);
    fx.Contrast(pBitmap, p.value[1]);
    break;
  case TASK_COLOR_BALANCE:
    fx.ColorBalance(pBitmap, p.value[0], p.value[1], p.value[2]);
    break;
  case TASK_INVERT_COLOR:
    fx.InvertColor(pBitmap, (BYTE)nSides);
    break;
  case TASK_GRAYSCALE:
    fx.Grayscale(pBitmap, p.value[0], (BYTE)nSides);
    break;
  case TASK_BLACK_WHITE:
    fx.BlackWhite(pBitmap, p.value[0]);
    break;
  case TASK_ROTATE_ANGLE:
    fx.RotateByAngle(pBitmap, p.value[0], p.color[0]);
    break;
  default:
    break;
  }
}

// The picture GDI+ makes of a bitmap over white: how the view took the operations' results before
// it copied opaque pictures itself, kept here as the reference the preview must still match.
HBITMAP ReferencePicture(Gdiplus::Bitmap* pBitmap) {
  HBITMAP hBitmap = NULL;
  return pBitmap->GetHBITMAP(Gdiplus::Color(0xFF, 0xFF, 0xFF, 0xFF), &hBitmap) == Gdiplus::Ok ? hBitmap
                                                                                              : NULL;
}

// Both pictures of one size with every pixel's four bytes equal.
bool SamePixels(HBITMAP hFirst, HBITMAP hSecond) {
  CPixelPlane first, second;
  CRawBytes firstCopy, secondCopy;
  if (!ReadPixelPlane(hFirst, first, firstCopy) || !ReadPixelPlane(hSecond, second, secondCopy) ||
      first.cx != second.cx || first.cy != second.cy)
    return false;
  for (int y = 0; y < first.cy; y++)
    if (std::memcmp(first.Row(y), second.Row(y), first.RowBytes()) != 0)
      return false;
  return true;
}

// One round of the operation alone on a fresh copy of the original (made outside the timing);
// on the last round its result, as GDI+ gives it, goes to reference.
double AloneRound(CPreviewLab& lab, int nTaskId, const EffectParams& p, CBitmap* pReference) {
  HBITMAP hOriginal = (HBITMAP)lab.Doc().m_pImage2->GetBitmap()->GetSafeHandle();
  std::unique_ptr<Gdiplus::Bitmap> pResult;
  double t = 0;
  if (pReference != NULL)
    std::srand(kTearSeed);
  if (IsGdiOperation(nTaskId)) {
    CClientDC dc(&lab.View());
    CBitmap work;
    work.Attach(CCommonLib::DuplicateBitmap(hOriginal));
    const double t0 = Now();
    RunGdiOperation(nTaskId, p, &dc, &work);
    ::GdiFlush();
    t = Now() - t0;
    pResult.reset(Gdiplus::Bitmap::FromHBITMAP((HBITMAP)work.GetSafeHandle(), NULL));
  } else {
    Gdiplus::Bitmap* pBitmap = Gdiplus::Bitmap::FromHBITMAP(hOriginal, NULL);
    const double t0 = Now();
    RunGdipOperation(nTaskId, p, pBitmap);
    t = Now() - t0;
    pResult.reset(pBitmap);
  }
  if (pReference != NULL && pResult)
    pReference->Attach(ReferencePicture(pResult.get()));
  return t;
}

// One round from the scroll end (or the tick) until the frame and everything in it has repainted.
// The thumb first moves with a position report, as a drag does, so that the end is a new one.
// Answers the time; paints are the view's paints inside it, late ones those after it (posted).
double PreviewRound(CPreviewLab& lab, const Operation& op, HWND hControl, bool bLast, int& nPaints,
                    int& nLate) {
  CCountingView& view = lab.View();
  HWND hPage = lab.pageParam.GetSafeHwnd();
  if (op.slider >= 0)
    ::SendMessageA(hPage, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, op.pos), (LPARAM)hControl);
  Pump();
  lab.Frame().RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  view.m_nPaints = 0;
  // The torn edge tears at random: the last round tears as the operation alone will.
  if (bLast)
    std::srand(kTearSeed);
  const double t0 = Now();
  if (op.slider >= 0)
    ::SendMessageA(hPage, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), (LPARAM)hControl);
  else
    ::SendMessageA(hPage, WM_COMMAND, MAKEWPARAM(CPropPageParam::kFirstCheckId, BN_CLICKED),
                   (LPARAM)hControl);
  lab.Frame().RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::GdiFlush();
  const double t = Now() - t0;
  nPaints = view.m_nPaints;
  Pump();
  lab.Frame().RedrawWindow(NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  nLate = view.m_nPaints - nPaints;
  return t;
}

struct Measured {
  double preview = 0, alone = 0; // medians
  int paints = 0;                // view paints inside a preview, median
  int latePaints = 0;            // most view paints after one
  bool bSamePixels = false;      // the last preview's picture is the operation's own result
};

// kRounds of preview and operation alone, taken in turns after one warm-up of each, so that both
// meet the same load of the machine.
Measured Measure(CPreviewLab& lab, const Operation& op) {
  HWND hControl = lab.PageItem(op.slider >= 0 ? CPropPageParam::kFirstSliderId + op.slider
                                              : CPropPageParam::kFirstCheckId);
  if (op.slider >= 0)
    ::SendMessageA(hControl, TBM_SETPOS, TRUE, op.pos);
  std::vector<double> previews, alones, paints;
  Measured result;
  CBitmap reference;
  for (int i = 0; i <= kRounds; i++) {
    const bool bLast = i == kRounds;
    int nPaints = 0, nLate = 0;
    const double tPreview = PreviewRound(lab, op, hControl, bLast, nPaints, nLate);
    const double tAlone = AloneRound(lab, op.taskId, lab.pageParam.GetParams(), bLast ? &reference : NULL);
    if (i == 0)
      continue;
    previews.push_back(tPreview);
    alones.push_back(tAlone);
    paints.push_back(nPaints);
    result.latePaints = std::max(result.latePaints, nLate);
  }
  result.preview = Median(previews);
  result.alone = Median(alones);
  result.paints = (int)Median(paints);
  result.bSamePixels = SamePixels((HBITMAP)reference.GetSafeHandle(),
                                  (HBITMAP)lab.Doc().m_pImage->GetBitmap()->GetSafeHandle());
  return result;
}

// Cancel on the page: the original is back and the edit ends with no step.
void CancelEdit(CPreviewLab& lab) {
  NMHDR hdr = {lab.PageItem(CPropPageParam::kCancelId), (UINT_PTR)CPropPageParam::kCancelId, LLN_CLICKED};
  lab.pageParam.SendMessage(WM_NOTIFY, (WPARAM)CPropPageParam::kCancelId, (LPARAM)&hdr);
  Pump();
}

double TimeRepeated(const std::function<void()>& fn) { return bench::MedianTime(fn, kRounds); }

void PrintPart(const char* pszName, double ms, double base) {
  std::printf("  %-44s %8.2f ms %7.2fx\n", pszName, ms, ms / base);
}

// What a preview is made of besides the operation, each on its own: the copies between GDI and
// GDI+ and the repaint of the unchanged view.
void PrintParts(CPreviewLab& lab) {
  CFramletDoc& doc = lab.Doc();
  HBITMAP hPicture = (HBITMAP)doc.m_pImage->GetBitmap()->GetSafeHandle();
  const double base = bench::TimeMemcpy((size_t)kWidth * kHeight * 4, kRounds);
  CRect rc;
  lab.View().GetClientRect(&rc);
  std::printf("Parts of a preview, medians of %d rounds, against one copy of the picture's bytes\n", kRounds);
  PrintPart("copy of the picture's bytes (memcpy)", base, base);
  PrintPart("duplicate of the GDI picture", TimeRepeated([&] {
              CBitmap copy;
              copy.Attach(CCommonLib::DuplicateBitmap(hPicture));
            }),
            base);
  PrintPart("GDI+ bitmap made from the GDI picture", TimeRepeated([&] {
              std::unique_ptr<Gdiplus::Bitmap> p(Gdiplus::Bitmap::FromHBITMAP(hPicture, NULL));
            }),
            base);
  std::unique_ptr<Gdiplus::Bitmap> pGdip(Gdiplus::Bitmap::FromHBITMAP(hPicture, NULL));
  PrintPart("GDI picture made from it over white", TimeRepeated([&] {
              HBITMAP h = NULL;
              pGdip->GetHBITMAP(Gdiplus::Color(0xFF, 0xFF, 0xFF, 0xFF), &h);
              ::DeleteObject(h);
            }),
            base);
  PrintPart("GDI picture made from it, copied when opaque", TimeRepeated([&] {
              CBitmap copy;
              copy.Attach(CreatePictureBitmap(pGdip.get()));
            }),
            base);
  PrintPart("GDI picture made from the GDI picture", TimeRepeated([&] {
              CBitmap copy;
              copy.Attach(CreatePictureBitmap(hPicture));
            }),
            base);
  char szName[80];
  std::snprintf(szName, sizeof(szName), "view repainted unchanged (%d x %d)", rc.Width(), rc.Height());
  PrintPart(szName,
            TimeRepeated([&] { lab.View().RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); }), base);
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  CPreviewLab lab;
  if (!lab.Ready() || !lab.Doc().TakeNewPicture(MakePicture())) {
    std::fprintf(stderr, "the frame, the task sheet or the picture could not be made\n");
    return 1;
  }
  lab.View().UpdateScrollSizes();
  Pump();
  PrintParts(lab);

  CRect rcView;
  lab.View().GetClientRect(&rcView);
  std::printf("\nEffect preview on a %d x %d picture, view %d x %d; medians of %d rounds\n", kWidth, kHeight,
              rcView.Width(), rcView.Height(), kRounds);
  std::printf("%-22s %10s %10s %7s %9s %6s %7s  %s\n", "operation", "preview", "alone", "ratio", "over",
              "paints", "pixels", "aim (16.7 ms frame)");
  int nMissed = 0, nDiffering = 0;
  for (const Operation& op : kOperations) {
    OpenEffectPage(op.taskId);
    Pump();
    if (lab.pageParam.GetTaskId() != op.taskId || lab.Doc().m_pImage2 == NULL) {
      std::printf("%-22s the page or the view's edit did not open\n", op.name);
      ++nMissed;
      continue;
    }
    const Measured m = Measure(lab, op);
    nDiffering += m.bSamePixels ? 0 : 1;
    const double over = m.preview - m.alone;
    const bool bFast = m.alone < kFrameMs / 2;
    const bool bMet = over <= kFrameMs && (!bFast || m.preview <= kFrameMs);
    nMissed += bMet ? 0 : 1;
    char szPaints[16];
    std::snprintf(szPaints, sizeof(szPaints), m.latePaints > 0 ? "%d+%d" : "%d", m.paints, m.latePaints);
    std::printf("%-22s %7.2f ms %7.2f ms %6.2fx %6.2f ms %6s %7s  %s\n", op.name, m.preview, m.alone,
                m.preview / m.alone, over, szPaints, m.bSamePixels ? "same" : "DIFFER",
                bMet              ? "met"
                : over > kFrameMs ? "missed: more than a frame over the operation"
                                  : "missed: over a frame for a fast operation");
    CancelEdit(lab);
  }
  std::printf("%d of %zu operations miss the aim; %d previews differ from the operation's own picture\n",
              nMissed, sizeof(kOperations) / sizeof(kOperations[0]), nDiffering);
  return 0;
}
