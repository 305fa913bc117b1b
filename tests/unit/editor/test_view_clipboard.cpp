// The view's clipboard, printing and metafiles: copies of the picture and of selections at any zoom
// and scroll, the paste as a floating piece, the page fit and its question, a page printed on the
// system's PDF printer (its pixels are checked by check_pages.sh after the run) and the two
// metafile formats played back through GDI.
#include "framework/print/fw_print.h"
#include "tests/common/pdf_output.h"
#include "tests/unit/editor/editor_harness.h"

#include <fstream>
#include <thread>

namespace {

using pixel_support::Pixels;

const COLORREF kWhite = RGB(255, 255, 255);

// Every picture pixel of a different colour, none white.
DWORD PixelPattern(int x, int y) { return (DWORD)(((x & 0xFF) << 16) | ((y & 0xFF) << 8) | 0x40); }
COLORREF PatternAt(int x, int y) { return pixel_support::FromDib(PixelPattern(x, y)); }
// Blocks of 8 x 8 pixels, for pictures that are scaled on the way.
DWORD BlockPattern(int x, int y) { return PixelPattern(x / 8 * 24, y / 8 * 24); }

class ViewClipboardTest : public EditorViewTest {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    SetPicture(400, 300, PixelPattern);
    SetClipboard(0, NULL);
  }
  // Empties the clipboard and puts the data on it (none for format 0).
  void SetClipboard(UINT nFormat, HANDLE hData) {
    ASSERT_TRUE(::OpenClipboard(View()->m_hWnd));
    ::EmptyClipboard();
    if (nFormat != 0)
      EXPECT_NE(nullptr, ::SetClipboardData(nFormat, hData));
    ::CloseClipboard();
  }
  Pixels ClipboardPixels() {
    HBITMAP hBitmap = ::OpenClipboard(View()->m_hWnd) ? (HBITMAP)::GetClipboardData(CF_BITMAP) : NULL;
    const Pixels px = hBitmap != NULL ? pixel_support::ReadBitmap(hBitmap) : Pixels();
    return ::CloseClipboard(), px;
  }
  // An outline drawn by a selection tool at the view's zoom and scroll; picture coordinates in.
  void Select(int nShape, const CRect& rcPicture, const std::vector<POINT>& points) {
    CFramletView* pView = View();
    auto logical = [&](POINT pt) {
      return CPoint(g_nCanvasMargin + (int)(pt.x * pView->m_fZoom),
                    g_nCanvasMargin + (int)(pt.y * pView->m_fZoom));
    };
    CRect rc(logical(rcPicture.TopLeft()), logical(rcPicture.BottomRight()));
    pView->m_selTracker.m_rectLogical = rc;
    pView->m_selTracker.m_rect = rc - CPoint(pView->m_nScrollX, pView->m_nScrollY);
    pView->m_pPoints.clear();
    for (POINT pt : points)
      pView->m_pPoints.push_back(logical(pt));
    pView->m_nSelectionShape = nShape;
    // Another tool since: the outline keeps its own shape.
    pView->m_nTool = g_editorState.m_nCurrentTool = ID_TOOL_PAINT_BRUSH;
  }
};

// --- Copy, Copy All, Cut, Paste ------------------------------------------------------------------

// Without an outline Copy and both Copy All commands put the whole picture on the clipboard and
// leave it as it was; with one, Copy takes what the outline holds.
TEST_F(ViewClipboardTest, CopyTakesTheOutlinedPlaceOrTheWholePicture) {
  const std::vector<DWORD> before = PicturePixels(Doc());
  for (UINT nID : {ID_EDIT_COPY, ID_EDIT_COPY_ALL, ID_EDIT_COPY_ALL2}) {
    SetClipboard(0, NULL);
    Command(nID);
    Pixels px = ClipboardPixels();
    ASSERT_EQ(CSize(400, 300), CSize(px.cx, px.cy)) << nID;
    for (int y = 0; y < 300; y += 7)
      for (int x = 0; x < 400; x += 7)
        ASSERT_EQ(PatternAt(x, y), px.At(x, y)) << x << "," << y;
    EXPECT_TRUE(before == PicturePixels(Doc()));
  }

  // A circle copies its box, white outside the ellipse. A polygon outlined at 200 % in a scrolled
  // view is copied from its place in the picture, and copying again copies the same: the view's
  // points are not moved by a copy.
  using Probes = std::vector<std::tuple<int, int, int, int>>; // a copied pixel, the picture's; -1: white
  // clang-format off
  const std::tuple<int, float, CSize, CRect, std::vector<POINT>, Probes> rows[] = {
      {ID_TOOL_CIRCLE_SELECTION, 1.0f, {0, 0}, {20, 10, 80, 50}, {},
       {{30, 20, 50, 30}, {2, 20, 22, 30}, {30, 2, 50, 12}, {0, 0, -1, 0}, {59, 0, -1, 0}, {0, 39, -1, 0},
        {59, 39, -1, 0}}},
      {ID_TOOL_POLYGON_SELECTION, 2.0f, {32, 16}, {40, 20, 100, 80},
       {{40, 20}, {100, 20}, {40, 80}, {40, 20}},
       {{5, 5, 45, 25}, {50, 5, 90, 25}, {5, 50, 45, 70}, {55, 55, -1, 0}, {30, 40, -1, 0}}}};
  // clang-format on
  for (const auto& [nShape, zoom, scroll, rc, outline, probes] : rows) {
    Zoom(zoom, scroll);
    Select(nShape, rc, outline);
    const std::vector<POINT> points = View()->m_pPoints;
    for (int nCopy = 1; nCopy <= 2; nCopy++) {
      Command(ID_EDIT_COPY);
      Pixels px = ClipboardPixels();
      ASSERT_EQ(rc.Size(), CSize(px.cx, px.cy)) << "copy " << nCopy;
      for (auto [x, y, sx, sy] : probes)
        EXPECT_EQ(sx < 0 ? kWhite : PatternAt(sx, sy), px.At(x, y)) << x << "," << y << " copy " << nCopy;
      EXPECT_TRUE(std::equal(points.begin(), points.end(), View()->m_pPoints.begin(), View()->m_pPoints.end(),
                             [](POINT a, POINT b) { return a.x == b.x && a.y == b.y; }));
    }
  }
}

// Another program holding the clipboard for a moment (as one that reads it after each change
// does) delays a copy, a cut and a paste instead of losing them; one that keeps holding it makes a
// copy tell the user, and a cut then leaves the picture as it was.
TEST_F(ViewClipboardTest, AClipboardHeldElsewhereDelaysOrRefusesWithoutLosingThePicture) {
  // Holds the clipboard on a thread of its own (a window of another thread, as another program's)
  // from the time it answers until nHoldMs have passed.
  auto holdClipboard = [](DWORD nHoldMs) {
    HANDLE hHeld = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    std::thread holder([=] {
      HWND hOwner = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
      const BOOL bOpen = ::OpenClipboard(hOwner);
      ::SetEvent(hHeld);
      ::Sleep(nHoldMs);
      if (bOpen)
        ::CloseClipboard();
      ::DestroyWindow(hOwner);
    });
    ::WaitForSingleObject(hHeld, INFINITE);
    ::CloseHandle(hHeld);
    return holder;
  };
  MessageBoxRecorder boxes;
  Select(ID_TOOL_RECT_SELECTION, CRect(10, 10, 60, 40), {});
  const std::vector<DWORD> before = PicturePixels(Doc());
  std::thread holder = holdClipboard(3000);
  Command(ID_EDIT_CUT);
  holder.join();
  EXPECT_EQ(0, ClipboardPixels().cx);
  EXPECT_TRUE(before == PicturePixels(Doc()))
      << "a cut that put nothing on the clipboard cleared the picture";
  ASSERT_EQ(1u, BoxTexts().size());
  EXPECT_NE(std::string::npos, BoxTexts()[0].find("could not be put on the clipboard")) << BoxTexts()[0];

  holder = holdClipboard(200);
  Command(ID_EDIT_CUT);
  holder.join();
  EXPECT_EQ(CSize(50, 30), CSize(ClipboardPixels().cx, ClipboardPixels().cy))
      << "a cut made while the clipboard was held briefly";
  EXPECT_FALSE(before == PicturePixels(Doc()));

  SetClipboard(CF_BITMAP, MakePictureBitmap(100, 50, PixelPattern));
  holder = holdClipboard(200);
  Command(ID_EDIT_PASTE);
  holder.join();
  EXPECT_NE(nullptr, Doc()->m_pSelection) << "a paste made while the clipboard was held briefly";
  EXPECT_EQ(1u, BoxTexts().size());
}

// A 100 x 50 picture pasted at 200 % in a scrolled view floats at (20, 20, 220, 120) of the canvas;
// the clipboard keeps its own bitmap and the picture is unchanged until the piece is dropped.
// Without a picture on the clipboard a paste changes nothing.
TEST_F(ViewClipboardTest, PasteFloatsTheClipboardPictureNearTheCanvasOrigin) {
  HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(::GlobalLock(hText), "hello", 6), ::GlobalUnlock(hText);
  SetClipboard(CF_TEXT, hText);
  const std::vector<DWORD> before = PicturePixels(Doc());
  Command(ID_EDIT_PASTE);
  EXPECT_EQ(nullptr, Doc()->m_pSelection);
  Zoom(2.0f, CSize(48, 32));
  SetClipboard(CF_BITMAP, MakePictureBitmap(100, 50, PixelPattern));
  Command(ID_EDIT_PASTE);
  EXPECT_TRUE(before == PicturePixels(Doc()));
  EXPECT_EQ(100, ClipboardPixels().cx);
  CZoomTracker* pPiece = Doc()->m_pSelection;
  ASSERT_NE(nullptr, pPiece);
  EXPECT_TRUE(CRect(20, 20, 220, 120) == pPiece->m_rect && pPiece->m_fZoom == 2.0f);
  ASSERT_NE(nullptr, pPiece->m_pBitmap);
  ASSERT_EQ(CSize(100, 50), CSize(pPiece->m_pBitmap->GetWidth(), pPiece->m_pBitmap->GetHeight()));
  for (POINT pt : {POINT{0, 0}, POINT{99, 0}, POINT{37, 21}, POINT{99, 49}})
    EXPECT_EQ(PixelPattern(pt.x, pt.y), ArgbAt(pPiece->m_pBitmap, pt.x, pt.y) & 0xFFFFFF) << pt.x;
}

// --- Printing ---------------------------------------------------------------------------------

// A 600-dpi printer with a page of 4800 x 6600 dots whose printable area starts at (-30, 45): what
// every printer DC answers while a test patches the query.
const std::pair<int, int> kPrinterCaps[] = {{HORZRES, 4800},   {VERTRES, 6600},        {LOGPIXELSX, 600},
                                            {LOGPIXELSY, 600}, {PHYSICALOFFSETX, -30}, {PHYSICALOFFSETY, 45}};

const char kTooBig[] = "The image size is bigger than the selected page in your printer.\nThe image will be "
                       "automatically resized (maintaining width/height ratio)\nto fit your page.Do you want "
                       "to continue?\n\n[NOTE: You can crop/resize your image or go to File ->Print Setup "
                       "menu\nto select a different paper size.]";

int WINAPI FakeGetDeviceCaps(HDC hDC, int nIndex) {
  static auto pfnReal = reinterpret_cast<int(WINAPI*)(HDC, int)>(
      ::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "GetDeviceCaps"));
  if (pfnReal(hDC, TECHNOLOGY) == DT_RASPRINTER)
    for (const auto& cap : kPrinterCaps)
      if (cap.first == nIndex)
        return cap.second;
  return pfnReal(hDC, nIndex);
}

// A preview asks nothing; a refused job keeps the old print rectangle. 400 px at 96 dpi is 2500
// dots; 3000 px would be 18750, stepped down by 5 to the page's 4800.
TEST_F(ViewClipboardTest, PageFitFitsThePictureToThePrintablePage) {
  ASSERT_TRUE(pdf_output::PrinterInstalled());
  CImportPatch caps("gdi32.dll", "GetDeviceCaps", reinterpret_cast<FARPROC>(&FakeGetDeviceCaps));
  ASSERT_TRUE(caps.Applied());
  // The picture, preview, the answer, OnPreparePrinting's result, whether asked, the print rectangle,
  // its ratio.
  // clang-format off
  const std::tuple<CSize, BOOL, int, BOOL, bool, CRect, float> rows[] = {
      {{400, 300}, FALSE, IDYES, TRUE, false, {30, 45, 2530, 1920}, 1.0f},
      {{3000, 300}, FALSE, IDYES, TRUE, true, {30, 45, 4830, 525}, 3.90625f},
      {{3000, 300}, FALSE, IDNO, FALSE, true, {1, 2, 3, 4}, 1.0f},
      {{3000, 300}, TRUE, IDNO, TRUE, false, {30, 45, 4830, 525}, 1.0f},
      {{300, 3000}, FALSE, IDYES, TRUE, true, {30, 45, 690, 6645}, 0.390625f}};
  // clang-format on
  for (auto [size, bPreview, nAnswer, bResult, bAsked, rcPrint, fPrintRatio] : rows) {
    SetPicture(size.cx, size.cy, BlockPattern);
    Doc()->m_nDpi = 96;
    View()->m_rcPrint.SetRect(1, 2, 3, 4), View()->m_fPrintRatio = 1.0f;
    MessageBoxRecorder boxes;
    MessageBoxRecorder::s_nAnswer = nAnswer;
    CPrintInfo info;
    info.m_bDirect = TRUE, info.m_bPreview = bPreview;
    EXPECT_EQ(bResult, View()->OnPreparePrinting(&info));
    ASSERT_EQ(bAsked ? 1u : 0u, MessageBoxRecorder::Boxes().size()) << size.cx << " preview " << bPreview;
    if (bAsked)
      EXPECT_EQ(std::make_pair(std::string(kTooBig), UINT(MB_YESNO | MB_ICONINFORMATION)),
                MessageBoxRecorder::Boxes()[0]);
    EXPECT_EQ(rcPrint, View()->m_rcPrint);
    EXPECT_FLOAT_EQ(fPrintRatio, View()->m_fPrintRatio);
  }
}

// A 288 x 192 picture at 96 dpi prints 3 x 2 inches from the printable area's corner. Its mark, half
// an inch in from the picture's corner, goes with the PDF to the artifacts folder for check_pages.sh.
TEST_F(ViewClipboardTest, PrintsThePictureAtItsResolutionOnThePdfPrinter) {
  ASSERT_TRUE(pdf_output::PrinterInstalled());
  const COLORREF kMark = RGB(200, 40, 90);
  SetPicture(288, 192, [](int, int) -> DWORD { return 0xFFFFFF; });
  FillPicture(Doc(), CRect(48, 48, 240, 144), kMark);
  Doc()->m_nDpi = 96;
  char szTitle[24];
  wsprintfA(szTitle, "EdPrint%06lu", ::GetTickCount() % 1000000);
  Doc()->SetTitle(szTitle);
  const std::string base = pixel_support::ArtifactsFolder() + "\\editor_pages\\fw_print_editor";
  ::CreateDirectoryA((pixel_support::ArtifactsFolder() + "\\editor_pages").c_str(), NULL);
  ::DeleteFileA((base + ".pdf").c_str()), ::DeleteFileA((base + ".expect").c_str());

  Command(ID_FILE_PRINT_DIRECT);
  CDC printer;
  ASSERT_TRUE(TheTestApp().CreatePrinterDC(printer));
  const int nDpiX = printer.GetDeviceCaps(LOGPIXELSX), nDpiY = printer.GetDeviceCaps(LOGPIXELSY);
  const CRect& rc = View()->m_rcPrint;
  EXPECT_EQ(CSize(3 * nDpiX, 2 * nDpiY), rc.Size());

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

// --- Metafiles --------------------------------------------------------------------------------

DWORD DwordAt(const std::string& bytes, size_t at) {
  DWORD dw = 0;
  if (at + 4 <= bytes.size())
    std::memcpy(&dw, bytes.data() + at, 4);
  return dw;
}

// The EMF+ records of an enhanced metafile ride in its GDI comments.
int CountEmfPlusComments(const std::string& bytes) {
  int n = 0;
  for (size_t at = 0, nSize; at + 8 <= bytes.size() && (nSize = DwordAt(bytes, at + 4)) >= 8; at += nSize)
    n += DwordAt(bytes, at) == EMR_GDICOMMENT && DwordAt(bytes, at + 12) == 0x2B464D45; // "EMF+"
  return n;
}

// ".emf" is an enhanced metafile with EMF+ records, ".wmf" a placeable Windows metafile; each
// plays back through GDI to the picture's colours. An unwritable path answers FALSE, leaving no file.
TEST_F(ViewClipboardTest, MetafilesPlayBackThroughGdi) {
  SetPicture(64, 48, BlockPattern);
  for (std::string ext : {".emf", ".wmf"}) {
    const std::string path = pixel_support::ArtifactsFolder() + "\\view_metafile" + ext;
    ::DeleteFileA(path.c_str());
    ASSERT_TRUE(View()->SaveAsMetafile(path.c_str()));
    const std::string bytes = ReadBytes(path);
    pixel_support::DibSurface surface(64, 48, RGB(128, 128, 128));
    if (ext == ".emf") {
      EXPECT_EQ(std::string(" EMF"), bytes.substr(40, 4));
      EXPECT_GE(CountEmfPlusComments(bytes), 2) << "the EMF+ header and end";
      HENHMETAFILE hEmf = ::GetEnhMetaFileA(path.c_str());
      RECT rc = {0, 0, 64, 48};
      EXPECT_TRUE(::PlayEnhMetaFile(surface.hdc(), hEmf, &rc));
      ::DeleteEnhMetaFile(hEmf);
    } else {
      ASSERT_GT(bytes.size(), 22u + 18u);
      WORD wSum = 0, words[11];
      std::memcpy(words, bytes.data(), 22);
      for (int i = 0; i < 10; i++)
        wSum ^= words[i];
      const SHORT* pBox = reinterpret_cast<const SHORT*>(words + 3);
      EXPECT_EQ(std::make_tuple(0x9AC6CDD7u, wSum, CSize(64, 48)),
                std::make_tuple(DwordAt(bytes, 0), words[10], CSize(pBox[2] - pBox[0], pBox[3] - pBox[1])))
          << "the key, the checksum and the box";
      HMETAFILE hMf =
          ::SetMetaFileBitsEx((UINT)bytes.size() - 22, reinterpret_cast<const BYTE*>(bytes.data()) + 22);
      ::SetMapMode(surface.hdc(), MM_ANISOTROPIC), ::SetWindowExtEx(surface.hdc(), 64, 48, NULL);
      ::SetViewportExtEx(surface.hdc(), 64, 48, NULL);
      EXPECT_TRUE(::PlayMetaFile(surface.hdc(), hMf));
      ::DeleteMetaFile(hMf);
    }
    for (int y = 4; y < 48; y += 8)
      for (int x = 4; x < 64; x += 8)
        EXPECT_EQ(pixel_support::FromDib(BlockPattern(x, y)), surface.At(x, y)) << ext << x << "," << y;
    const std::string bad = pixel_support::ArtifactsFolder() + "\\no such folder\\picture" + ext;
    EXPECT_FALSE(View()->SaveAsMetafile(bad.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(bad.c_str()));
  }
}

} // namespace
