// A captured picture edited, saved, opened and printed through the program's own menus,
// dialogs and mouse input.
#include "resources/resource.h"
#include "tests/common/pdf_output.h"
#include "tests/common/window_support.h"
#include "tests/e2e/e2e_support.h"

#include <gdiplus.h>

#include <fstream>

using namespace e2e;

namespace {

class EditingTest : public E2eTest {
protected:
};

// A line drawn with the mouse; Undo gives the captured picture back bit for bit and leaves nothing
// more to undo; Redo brings the line back.
TEST_F(EditingTest, UndoAndRedoOfALineDrawnWithTheMouse) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  // The new document's view shows its white ground first and the picture when it has painted.
  ASSERT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
  const Pixels captured = Settled([&] { return m_app.ReadPicture(kArea.Size()); });
  m_app.Command(ID_TOOL_LINE_SOLID);
  ASSERT_NO_FATAL_FAILURE(DrawLine(kArea.Size(), CPoint(20, 20), CPoint(180, 80)));
  const Pixels drawn = Settled([&] { return m_app.ReadPicture(kArea.Size()); });
  CRect frame;
  ::GetWindowRect(m_app.Frame(), &frame);
  SaveScreenshot(frame, "e2e_line_drawn.bmp");
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(true, false));

  ASSERT_TRUE(m_app.Activate());
  PressKey('Z', MOD_CONTROL);
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PixelsOf(captured))) << "after Undo";
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, true));
  // A second Undo finds nothing: the Redo after it brings the line, not an older picture.
  PressKey('Z', MOD_CONTROL);
  PressKey('Y', MOD_CONTROL);
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PixelsOf(drawn))) << "after Redo";
}

// A capture copied with Ctrl+A, Ctrl+C and pasted with Ctrl+V into a new picture, which has no
// step to undo: the paste is a change, so File, Close asks to save it (Esc keeps it open), and a
// step, so Edit shows Undo and Ctrl+Z takes it out again.
TEST_F(EditingTest, APasteIntoANewPictureAsksToBeSavedAndIsUndone) {
  const CSize size(400, 300);
  const Expected white = [](int, int) { return RGB(255, 255, 255); }, captured = PatternOf(kArea);
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(m_app.PictureIs(kArea.Size(), captured));
  ASSERT_TRUE(m_app.Activate());
  PressKey('A', MOD_CONTROL);
  PressKey('C', MOD_CONTROL);
  PressKey('N', MOD_CONTROL);
  ASSERT_TRUE(m_app.WaitForDocuments(2, size));
  ASSERT_TRUE(m_app.PictureIs(size, white));
  PressKey('V', MOD_CONTROL);
  // The piece lands 12 pixels into the picture, in a frame of its own.
  const CRect inside(CPoint(16, 16), kArea.Size() - CSize(8, 8));
  EXPECT_TRUE(WaitUntil("the piece pasted", [&] {
    return PixelsAre(ReadScreen(inside + m_app.PictureOrigin()),
                     [&](int x, int y) { return captured(x + 4, y + 4); });
  }));
  ASSERT_TRUE(m_app.Menu('F', 'C'));
  ASSERT_TRUE(m_app.Answer("Save changes to file?", VK_ESCAPE));
  ASSERT_TRUE(m_app.WaitForDocuments(2));
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(true, false));
  ASSERT_TRUE(m_app.Activate());
  PressKey('Z', MOD_CONTROL);
  EXPECT_TRUE(m_app.PictureIs(size, white)) << "after Undo";
}

// File, Save As with a typed PNG name writes the picture; File, Open of that file shows the same
// pixels in a new document.
TEST_F(EditingTest, SaveAsPngAndOpenAgainGiveTheSamePixels) {
  const std::string path = TempPath("e2esaved.png");
  ::DeleteFileA(path.c_str());
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(m_app.Menu('F', 'A'));
  ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Save As"));
  ASSERT_TRUE(WaitUntil("the saved file's name in the title",
                        [&] { return m_app.Text(m_app.Frame()).find("e2esaved.png") != std::string::npos; }));
  std::ifstream file(path, std::ios::binary);
  char signature[8] = {};
  file.read(signature, sizeof(signature));
  EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), std::string(signature, 8)) << path << " is no PNG";
  EXPECT_TRUE(PixelsAre(ReadPictureFile(path), PatternOf(kArea))) << path;

  ASSERT_TRUE(m_app.Menu('F', 'O'));
  ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Open"));
  ASSERT_TRUE(m_app.WaitForDocuments(2, kArea.Size()));
  EXPECT_NE(std::string::npos, m_app.Text(m_app.Frame()).find(path)) << m_app.Text(m_app.Frame());
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
  ::DeleteFileA(path.c_str());
}

// File, Print on the PDF printer puts the picture on the page at its resolution: a white picture
// of 3 x 2 inches whose mark, half an inch in, check_pages.sh finds on the page after the run.
TEST_F(EditingTest, PrintsThePictureOnThePdfPrinter) {
  CDC printer;
  ASSERT_TRUE(pdf_output::PrinterInstalled());
  ASSERT_TRUE(TheTestApp().CreatePrinterDC(printer));
  const COLORREF crMark = RGB(200, 40, 90);
  char szName[32];
  wsprintfA(szName, "e2eprint%06lu", ::GetTickCount() % 1000000);
  Gdiplus::Bitmap bitmap(288, 192, PixelFormat24bppRGB);
  bitmap.SetResolution(96, 96);
  {
    Gdiplus::Graphics graphics(&bitmap);
    graphics.Clear(Gdiplus::Color(255, 255, 255));
    Gdiplus::SolidBrush mark(Gdiplus::Color(GetRValue(crMark), GetGValue(crMark), GetBValue(crMark)));
    graphics.FillRectangle(&mark, 48, 48, 192, 96);
  }
  const std::string path = SaveTempPng(bitmap, std::string(szName) + ".png");
  ASSERT_FALSE(path.empty());
  ASSERT_TRUE(m_app.Start("\"" + path + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, CSize(288, 192)));
  ASSERT_TRUE(m_app.Menu('F', 'P'));
  HWND hDialog = m_app.WaitForDialog("Print");
  ASSERT_NE(nullptr, hDialog) << "no Print dialog";
  ASSERT_TRUE(m_app.Activate(hDialog));
  PressKey(VK_RETURN);

  const std::string pdf = pdf_output::WaitForPdf(szName);
  ASSERT_FALSE(pdf.empty()) << "no PDF named after " << szName << " in any cups-pdf folder";
  const std::string folder = pixel_support::ArtifactsFolder() + "\\e2e_pages";
  ::CreateDirectoryA(folder.c_str(), NULL);
  const std::string base = folder + "\\fw_print_e2e";
  ASSERT_TRUE(
      ::MoveFileExA(pdf.c_str(), (base + ".pdf").c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  // The picture starts at the printable area's offset; points from the page's corner.
  const int nDpiX = printer.GetDeviceCaps(LOGPIXELSX), nDpiY = printer.GetDeviceCaps(LOGPIXELSY);
  const int x0 = std::abs(printer.GetDeviceCaps(PHYSICALOFFSETX)),
            y0 = std::abs(printer.GetDeviceCaps(PHYSICALOFFSETY));
  auto ptX = [&](int nDots) { return nDots * 72.0 / nDpiX; };
  auto ptY = [&](int nDots) { return nDots * 72.0 / nDpiY; };
  std::ofstream expect(base + ".expect", std::ios::binary);
  expect << "pages 1\nmark " << ptX(x0 + nDpiX / 2) << ' ' << ptY(y0 + nDpiY / 2) << ' '
         << ptX(x0 + nDpiX * 5 / 2) << ' ' << ptY(y0 + nDpiY * 3 / 2) << ' ' << int(GetRValue(crMark)) << ' '
         << int(GetGValue(crMark)) << ' ' << int(GetBValue(crMark)) << '\n';
  ::DeleteFileA(path.c_str());
}

} // namespace
