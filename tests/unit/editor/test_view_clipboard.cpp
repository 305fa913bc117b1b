// The view's clipboard, printing and metafiles: copies of the picture and of selections at any zoom
// and scroll, the paste as a floating piece, the page fit and its question, a page printed on the
// system's PDF printer (its pixels are checked by check_pages.sh after the run) and the two
// metafile formats played back through GDI.
#include "framework/print/fw_print.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/common/pdf_output.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/editor/editor_harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using pixel_support::Pixels;

const COLORREF kWhite = RGB(255, 255, 255);

// Every picture pixel of a different colour, none white.
DWORD PixelPattern(int x, int y) { return (DWORD)(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | 0x40); }
COLORREF PatternAt(int x, int y) { return pixel_support::FromDib(PixelPattern(x, y)); }
// Blocks of 8 x 8 pixels, for pictures that are scaled on the way.
DWORD BlockPattern(int x, int y) { return PixelPattern(x / 8 * 24, y / 8 * 24); }
COLORREF BlockAt(int x, int y) { return pixel_support::FromDib(BlockPattern(x, y)); }

Pixels ClipboardPixels(HWND hWnd) {
  Pixels px;
  if (!::OpenClipboard(hWnd))
    return px;
  if (HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP))
    px = pixel_support::ReadBitmap(hBitmap);
  ::CloseClipboard();
  return px;
}

class ViewClipboardTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_editorState.m_nCurrentTool = ID_TOOL_POINTER;
    ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(400, 300, PixelPattern)));
    View()->GetParentFrame()->MoveWindow(0, 0, 620, 420);
    PumpPending();
    ASSERT_TRUE(::OpenClipboard(View()->m_hWnd));
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  void TearDown() override { g_editorState.m_nCurrentTool = 0; }
  CFramletDoc* Doc() { return m_harness.Doc(); }
  CFramletView* View() { return m_harness.View(); }
  void Command(UINT nID) {
    View()->SendMessage(WM_COMMAND, nID);
    PumpPending();
  }
  // Zooms and scrolls the view by whole canvas pixels.
  void ZoomAndScroll(float fZoom, CSize scroll) {
    View()->m_fZoom = fZoom;
    View()->UpdateScrollSizes();
    ASSERT_TRUE(View()->OnScrollBy(scroll));
    ASSERT_EQ(scroll, CSize(View()->m_nScrollX, View()->m_nScrollY));
  }
  // An outline drawn by a selection tool at the view's zoom and scroll; picture coordinates in.
  void Select(int nShape, const CRect& rcPicture, const std::vector<POINT>& points) {
    CFramletView* pView = View();
    const int m = g_nCanvasMargin;
    auto logical = [&](POINT pt) {
      return CPoint(m + (int)(pt.x * pView->m_fZoom), m + (int)(pt.y * pView->m_fZoom));
    };
    CRect rc(logical(rcPicture.TopLeft()), logical(rcPicture.BottomRight()));
    pView->m_selTracker.m_rectLogical = rc;
    rc.OffsetRect(-pView->m_nScrollX, -pView->m_nScrollY);
    pView->m_selTracker.m_rect = rc;
    pView->m_pPoints.clear();
    for (POINT pt : points)
      pView->m_pPoints.push_back(logical(pt));
    pView->m_nSelectionShape = nShape;
    // Another tool since: the outline keeps its own shape.
    pView->m_nTool = g_editorState.m_nCurrentTool = ID_TOOL_PAINT_BRUSH;
  }

  CEditorHarness m_harness;
};

// ---------------------------------------------------------------------------------------------
// Copy, Copy All, Cut, Paste

// Without an outline Copy, Copy All and Cut put the whole picture on the clipboard and leave it as
// it was.
class WholePictureTest : public ViewClipboardTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(WholePictureTest, PutsTheWholePictureOnTheClipboardAndChangesNothing) {
  const std::vector<DWORD> before = PicturePixels(Doc());
  Command(GetParam());
  Pixels px = ClipboardPixels(View()->m_hWnd);
  ASSERT_EQ(400, px.cx);
  ASSERT_EQ(300, px.cy);
  for (int y = 0; y < 300; y += 7)
    for (int x = 0; x < 400; x += 7)
      ASSERT_EQ(PatternAt(x, y), px.At(x, y)) << x << "," << y;
  EXPECT_TRUE(before == PicturePixels(Doc()));
}

INSTANTIATE_TEST_SUITE_P(Commands, WholePictureTest,
                         ::testing::Values(ID_EDIT_COPY, ID_EDIT_COPY_ALL, ID_EDIT_COPY_ALL2),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                           return info.param == ID_EDIT_COPY ? std::string("Copy")
                                                             : "CopyAll" + std::to_string(info.param);
                         });

TEST_F(ViewClipboardTest, CircleSelectionCopiesItsBoxWhiteOutsideTheEllipse) {
  Select(ID_TOOL_CIRCLE_SELECTION, CRect(20, 10, 80, 50), {});
  Command(ID_EDIT_COPY);
  Pixels px = ClipboardPixels(View()->m_hWnd);
  ASSERT_EQ(60, px.cx);
  ASSERT_EQ(40, px.cy);
  EXPECT_EQ(PatternAt(50, 30), px.At(30, 20));
  EXPECT_EQ(PatternAt(22, 30), px.At(2, 20));
  EXPECT_EQ(PatternAt(50, 12), px.At(30, 2));
  for (POINT corner : {POINT{0, 0}, POINT{59, 0}, POINT{0, 39}, POINT{59, 39}})
    EXPECT_EQ(kWhite, px.At(corner.x, corner.y)) << corner.x << "," << corner.y;
}

// A polygon outlined at 200 % in a scrolled view is copied from its place in the picture, and
// copying again copies the same: the view's points are not moved by a copy.
TEST_F(ViewClipboardTest, ScrolledZoomedPolygonCopiesTheSameAreaEveryTime) {
  ZoomAndScroll(2.0f, CSize(32, 16));
  const std::vector<POINT> triangle = {{40, 20}, {100, 20}, {40, 80}, {40, 20}};
  Select(ID_TOOL_POLYGON_SELECTION, CRect(40, 20, 100, 80), triangle);
  const std::vector<POINT> points = View()->m_pPoints;
  for (int nCopy = 1; nCopy <= 2; nCopy++) {
    Command(ID_EDIT_COPY);
    Pixels px = ClipboardPixels(View()->m_hWnd);
    ASSERT_EQ(60, px.cx) << "copy " << nCopy;
    ASSERT_EQ(60, px.cy) << "copy " << nCopy;
    EXPECT_EQ(PatternAt(45, 25), px.At(5, 5)) << "copy " << nCopy;
    EXPECT_EQ(PatternAt(90, 25), px.At(50, 5)) << "copy " << nCopy;
    EXPECT_EQ(PatternAt(45, 70), px.At(5, 50)) << "copy " << nCopy;
    EXPECT_EQ(kWhite, px.At(55, 55)) << "copy " << nCopy;
    EXPECT_EQ(kWhite, px.At(30, 40)) << "copy " << nCopy;
    ASSERT_EQ(points.size(), View()->m_pPoints.size());
    for (size_t i = 0; i < points.size(); i++)
      EXPECT_TRUE(points[i].x == View()->m_pPoints[i].x && points[i].y == View()->m_pPoints[i].y) << i;
  }
}

// A 100 x 50 picture pasted at 200 % in a scrolled view floats at (20, 20, 220, 120) of the canvas;
// the clipboard keeps its own bitmap and the picture is unchanged until the piece is dropped.
TEST_F(ViewClipboardTest, PasteFloatsTheClipboardPictureNearTheCanvasOrigin) {
  ZoomAndScroll(2.0f, CSize(48, 32));
  HBITMAP hPasted = MakePictureBitmap(100, 50, PixelPattern);
  ASSERT_TRUE(::OpenClipboard(View()->m_hWnd));
  ::EmptyClipboard();
  ASSERT_NE(nullptr, ::SetClipboardData(CF_BITMAP, hPasted));
  ::CloseClipboard();
  const std::vector<DWORD> before = PicturePixels(Doc());
  Command(ID_EDIT_PASTE);
  EXPECT_TRUE(before == PicturePixels(Doc()));
  EXPECT_EQ(100, ClipboardPixels(View()->m_hWnd).cx);
  CZoomTracker* pPiece = Doc()->m_pSelection;
  ASSERT_NE(nullptr, pPiece);
  EXPECT_EQ(CRect(20, 20, 220, 120), pPiece->m_rect);
  EXPECT_EQ(2.0f, pPiece->m_fZoom);
  ASSERT_NE(nullptr, pPiece->m_pBitmap);
  ASSERT_EQ(100u, pPiece->m_pBitmap->GetWidth());
  ASSERT_EQ(50u, pPiece->m_pBitmap->GetHeight());
  for (POINT pt : {POINT{0, 0}, POINT{99, 0}, POINT{37, 21}, POINT{99, 49}}) {
    Gdiplus::Color color;
    pPiece->m_pBitmap->GetPixel(pt.x, pt.y, &color);
    EXPECT_EQ(PatternAt(pt.x, pt.y), RGB(color.GetR(), color.GetG(), color.GetB())) << pt.x << "," << pt.y;
  }
}

TEST_F(ViewClipboardTest, PasteWithoutAPictureOnTheClipboardChangesNothing) {
  ASSERT_TRUE(::OpenClipboard(View()->m_hWnd));
  ::EmptyClipboard();
  HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(::GlobalLock(hText), "hello", 6);
  ::GlobalUnlock(hText);
  ::SetClipboardData(CF_TEXT, hText);
  ::CloseClipboard();
  const std::vector<DWORD> before = PicturePixels(Doc());
  Command(ID_EDIT_PASTE);
  EXPECT_EQ(nullptr, Doc()->m_pSelection);
  EXPECT_TRUE(before == PicturePixels(Doc()));
}

// ---------------------------------------------------------------------------------------------
// Printing

bool HasPrinter() {
  char szPrinter[256] = "";
  DWORD cch = sizeof(szPrinter);
  return ::GetDefaultPrinterA(szPrinter, &cch) != FALSE;
}

// A 600-dpi printer with a page of 4800 x 6600 dots whose printable area starts at (-30, 45): what
// every printer DC answers while a test patches the query.
const std::pair<int, int> kPrinterCaps[] = {{HORZRES, 4800},   {VERTRES, 6600},        {LOGPIXELSX, 600},
                                            {LOGPIXELSY, 600}, {PHYSICALOFFSETX, -30}, {PHYSICALOFFSETY, 45}};

int WINAPI FakeGetDeviceCaps(HDC hDC, int nIndex) {
  static auto pfnReal = reinterpret_cast<int(WINAPI*)(HDC, int)>(
      ::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "GetDeviceCaps"));
  if (pfnReal(hDC, TECHNOLOGY) == DT_RASPRINTER)
    for (const auto& cap : kPrinterCaps)
      if (cap.first == nIndex)
        return cap.second;
  return pfnReal(hDC, nIndex);
}

struct FitCase {
  const char* name;
  int cx, cy;    // the picture at 96 dpi
  BOOL bPreview; // a preview asks nothing
  int nAnswer;   // to the question
  BOOL bResult;  // of OnPreparePrinting
  bool bAsked;   // whether the question came
  CRect rcPrint; // afterwards (a refused job keeps the old one)
  float fPrintRatio;
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class PageFitTest : public ViewClipboardTest, public ::testing::WithParamInterface<FitCase> {};

TEST_P(PageFitTest, FitsThePictureToThePrintablePage) {
  const FitCase& c = GetParam();
  ASSERT_TRUE(HasPrinter()) << "no printer: tools/setup.sh makes the CUPS PDF queue";
  ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(c.cx, c.cy, BlockPattern)));
  Doc()->m_nDpi = 96;
  CImportPatch caps("gdi32.dll", "GetDeviceCaps", reinterpret_cast<FARPROC>(&FakeGetDeviceCaps));
  ASSERT_TRUE(caps.Applied());
  View()->m_rcPrint.SetRect(1, 2, 3, 4);
  MessageBoxRecorder boxes;
  MessageBoxRecorder::s_nAnswer = c.nAnswer;
  CPrintInfo info;
  info.m_bDirect = TRUE;
  info.m_bPreview = c.bPreview;

  EXPECT_EQ(c.bResult, View()->OnPreparePrinting(&info));
  if (c.bAsked) {
    ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size());
    EXPECT_EQ("The image size is bigger than the selected page in your printer.\nThe image will be "
              "automatically resized (maintaining width/height ratio)\nto fit your page.Do you want to "
              "continue?\n\n[NOTE: You can crop/resize your image or go to File ->Print Setup menu\nto "
              "select a different paper size.]",
              MessageBoxRecorder::Boxes()[0].first);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONINFORMATION), MessageBoxRecorder::Boxes()[0].second);
  } else {
    EXPECT_TRUE(MessageBoxRecorder::Boxes().empty());
  }
  EXPECT_EQ(c.rcPrint, View()->m_rcPrint);
  EXPECT_FLOAT_EQ(c.fPrintRatio, View()->m_fPrintRatio);
}

// 400 px at 96 dpi is 2500 dots; 3000 px would be 18750, stepped down by 5 to the page's 4800.
INSTANTIATE_TEST_SUITE_P(
    Pictures, PageFitTest,
    ::testing::Values(
        FitCase{"Fits", 400, 300, FALSE, IDYES, TRUE, false, CRect(30, 45, 2530, 1920), 1.0f},
        FitCase{"TooWideYes", 3000, 300, FALSE, IDYES, TRUE, true, CRect(30, 45, 4830, 525), 3.90625f},
        FitCase{"TooWideNo", 3000, 300, FALSE, IDNO, FALSE, true, CRect(1, 2, 3, 4), 1.0f},
        FitCase{"TooWidePreview", 3000, 300, TRUE, IDNO, TRUE, false, CRect(30, 45, 4830, 525), 1.0f},
        FitCase{"TooTallYes", 300, 3000, FALSE, IDYES, TRUE, true, CRect(30, 45, 690, 6645), 0.390625f}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

const COLORREF kMark = RGB(200, 40, 90);

// A white picture of 288 x 192 at 96 dpi, 3 x 2 inches on paper, with the mark half an inch in.
void MakeMarkedPicture(CFramletDoc* pDoc) {
  ASSERT_TRUE(pDoc->TakeNewPicture(MakePictureBitmap(288, 192, [](int, int) -> DWORD { return 0xFFFFFF; })));
  FillPicture(pDoc, CRect(48, 48, 240, 144), kMark);
  pDoc->m_nDpi = 96;
}

// A 288 x 192 picture at 96 dpi prints 3 x 2 inches from the printable area's corner. Its mark, half
// an inch in from the picture's corner, goes with the PDF to the artifacts folder for check_pages.sh.
TEST_F(ViewClipboardTest, PrintsThePictureAtItsResolutionOnThePdfPrinter) {
  ASSERT_TRUE(HasPrinter()) << "no printer: tools/setup.sh makes the CUPS PDF queue";
  MakeMarkedPicture(Doc());
  char szTitle[24];
  wsprintfA(szTitle, "EdPrint%06lu", ::GetTickCount() % 1000000);
  Doc()->SetTitle(szTitle);
  const std::string base = pixel_support::ArtifactsFolder() + "\\editor_pages\\fw_print_editor";
  ::CreateDirectoryA((pixel_support::ArtifactsFolder() + "\\editor_pages").c_str(), NULL);
  ::DeleteFileA((base + ".pdf").c_str());
  ::DeleteFileA((base + ".expect").c_str());

  Command(ID_FILE_PRINT_DIRECT);
  CDC printer;
  ASSERT_TRUE(TheTestApp().CreatePrinterDC(printer));
  const int nDpiX = printer.GetDeviceCaps(LOGPIXELSX), nDpiY = printer.GetDeviceCaps(LOGPIXELSY);
  const CRect& rc = View()->m_rcPrint;
  EXPECT_EQ(3 * nDpiX, rc.Width());
  EXPECT_EQ(2 * nDpiY, rc.Height());

  const std::string pdf = pdf_output::WaitForPdf(szTitle);
  ASSERT_FALSE(pdf.empty()) << "no PDF named after " << szTitle << " in any cups-pdf folder";
  ASSERT_TRUE(
      ::MoveFileExA(pdf.c_str(), (base + ".pdf").c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  // Points from the page's corner.
  auto ptX = [&](int nDots) { return nDots * 72.0 / nDpiX; };
  auto ptY = [&](int nDots) { return nDots * 72.0 / nDpiY; };
  std::ofstream expect(base + ".expect", std::ios::binary);
  expect << "pages 1\nmark " << ptX(rc.left + nDpiX / 2) << ' ' << ptY(rc.top + nDpiY / 2) << ' '
         << ptX(rc.left + nDpiX * 5 / 2) << ' ' << ptY(rc.top + nDpiY * 3 / 2) << ' ' << int(GetRValue(kMark))
         << ' ' << int(GetGValue(kMark)) << ' ' << int(GetBValue(kMark)) << '\n';
}

// The preview's sheet shows the picture where the printer will put it.
TEST_F(ViewClipboardTest, PreviewShowsThePictureWhereThePageHasIt) {
  ASSERT_TRUE(HasPrinter()) << "no printer: tools/setup.sh makes the CUPS PDF queue";
  MakeMarkedPicture(Doc());
  Command(ID_FILE_PRINT_PREVIEW);
  CPreviewView* pPreview = DYNAMIC_DOWNCAST(CPreviewView, m_harness.m_pFrame->GetActiveView());
  ASSERT_NE(nullptr, pPreview);
  pPreview->UpdateWindow();
  const CRect page = pPreview->GetPageRect();
  HDC hPrinter = pPreview->m_pPreviewInfo->m_pPD->m_pd.hDC;
  const double sx = double(page.Width()) / ::GetDeviceCaps(hPrinter, PHYSICALWIDTH);
  const double sy = double(page.Height()) / ::GetDeviceCaps(hPrinter, PHYSICALHEIGHT);
  const CRect& rc = View()->m_rcPrint;
  EXPECT_EQ(3 * ::GetDeviceCaps(hPrinter, LOGPIXELSX), rc.Width());
  auto onSheet = [&](double x, double y) {
    return CPoint(page.left + int((::GetDeviceCaps(hPrinter, PHYSICALOFFSETX) + x) * sx),
                  page.top + int((::GetDeviceCaps(hPrinter, PHYSICALOFFSETY) + y) * sy));
  };
  CClientDC dc(pPreview);
  EXPECT_EQ(kMark, dc.GetPixel(onSheet(rc.CenterPoint().x, rc.CenterPoint().y)));
  EXPECT_EQ(kMark, dc.GetPixel(onSheet(rc.left + rc.Width() * 0.2, rc.top + rc.Height() * 0.3)));
  EXPECT_EQ(kWhite, dc.GetPixel(onSheet(rc.left + rc.Width() * 0.1, rc.top + rc.Height() * 0.1)));
  EXPECT_EQ(kWhite, dc.GetPixel(onSheet(rc.right + rc.Width() * 0.1, rc.CenterPoint().y)));
  ::PostMessageA(pPreview->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPending();
  EXPECT_EQ(nullptr, m_harness.m_pFrame->GetActiveView());
}

// ---------------------------------------------------------------------------------------------
// Metafiles

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

DWORD DwordAt(const std::string& bytes, size_t at) {
  DWORD dw = 0;
  if (at + 4 <= bytes.size())
    std::memcpy(&dw, bytes.data() + at, 4);
  return dw;
}

// The EMF+ records of an enhanced metafile ride in its GDI comments.
int CountEmfPlusComments(const std::string& bytes) {
  int n = 0;
  for (size_t at = 0; at + 8 <= bytes.size();) {
    DWORD nType = DwordAt(bytes, at), nSize = DwordAt(bytes, at + 4);
    if (nSize < 8)
      break;
    if (nType == EMR_GDICOMMENT && DwordAt(bytes, at + 12) == 0x2B464D45) // "EMF+"
      n++;
    at += nSize;
  }
  return n;
}

class MetafileTest : public ViewClipboardTest, public ::testing::WithParamInterface<const char*> {
protected:
  void SetUp() override {
    ViewClipboardTest::SetUp();
    ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(64, 48, BlockPattern)));
    m_path = pixel_support::ArtifactsFolder() + "\\view_metafile" + GetParam();
    ::DeleteFileA(m_path.c_str());
  }
  std::string m_path;
};

// ".emf" is an enhanced metafile with EMF+ records, ".wmf" a placeable Windows metafile; each
// plays back through GDI to the picture's colours.
TEST_P(MetafileTest, WritesAMetafileThatPlaysBackThroughGdi) {
  ASSERT_TRUE(View()->SaveAsMetafile(m_path.c_str()));
  const std::string bytes = ReadBytes(m_path);
  pixel_support::DibSurface surface(64, 48, RGB(128, 128, 128));
  if (std::string(GetParam()) == ".emf") {
    EXPECT_EQ(std::string(" EMF"), bytes.substr(40, 4));
    EXPECT_GE(CountEmfPlusComments(bytes), 2) << "the EMF+ header and end";
    HENHMETAFILE hEmf = ::GetEnhMetaFileA(m_path.c_str());
    ASSERT_NE(nullptr, hEmf);
    RECT rc = {0, 0, 64, 48};
    EXPECT_TRUE(::PlayEnhMetaFile(surface.hdc(), hEmf, &rc));
    ::DeleteEnhMetaFile(hEmf);
  } else {
    ASSERT_GT(bytes.size(), 22u + 18u);
    EXPECT_EQ(0x9AC6CDD7u, DwordAt(bytes, 0));
    WORD wSum = 0, words[11];
    std::memcpy(words, bytes.data(), 22);
    for (int i = 0; i < 10; i++)
      wSum ^= words[i];
    EXPECT_EQ(wSum, words[10]) << "checksum";
    const SHORT* pBox = reinterpret_cast<const SHORT*>(words + 3);
    EXPECT_EQ(64, pBox[2] - pBox[0]);
    EXPECT_EQ(48, pBox[3] - pBox[1]);
    HMETAFILE hMf =
        ::SetMetaFileBitsEx((UINT)bytes.size() - 22, reinterpret_cast<const BYTE*>(bytes.data()) + 22);
    ASSERT_NE(nullptr, hMf);
    ::SetMapMode(surface.hdc(), MM_ANISOTROPIC);
    ::SetWindowExtEx(surface.hdc(), pBox[2] - pBox[0], pBox[3] - pBox[1], NULL);
    ::SetViewportExtEx(surface.hdc(), 64, 48, NULL);
    EXPECT_TRUE(::PlayMetaFile(surface.hdc(), hMf));
    ::DeleteMetaFile(hMf);
  }
  for (int y = 4; y < 48; y += 8)
    for (int x = 4; x < 64; x += 8)
      EXPECT_EQ(BlockAt(x, y), surface.At(x, y)) << x << "," << y;
}

TEST_P(MetafileTest, AnUnwritablePathAnswersFalseAndLeavesNoFile) {
  const std::string path = pixel_support::ArtifactsFolder() + "\\no such folder\\picture" + GetParam();
  EXPECT_FALSE(View()->SaveAsMetafile(path.c_str()));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Formats, MetafileTest, ::testing::Values(".emf", ".wmf"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param + 1);
                         });

} // namespace
