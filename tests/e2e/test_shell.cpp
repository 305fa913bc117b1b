// The program as it starts and ends: the empty MDI area, a picture named on the command line, and
// the window placement and options it keeps in the registry from one run to the next.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/e2e_support.h"

#include <gdiplus.h>

#include <vector>

using namespace e2e;

namespace {

// The whole run starts from a program that has never run: its registry key is deleted before the
// first start, so it starts with no registry values at all.
class FirstRunRegistry : public ::testing::Environment {
public:
  void SetUp() override { DeleteProgramKey(); }
};
::testing::Environment* const g_pFirstRun = ::testing::AddGlobalTestEnvironment(new FirstRunRegistry);

const COLORREF kWhite = RGB(255, 255, 255);

// The tile of the empty MDI area, read from the program's own resources.
Pixels ProgramTile() {
  HMODULE hProgram =
      ::LoadLibraryExA((ProgramFolder() + "\\pixolet.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
  if (hProgram == NULL)
    return Pixels();
  HBITMAP hTile = (HBITMAP)::LoadImageA(hProgram, MAKEINTRESOURCEA(IDB_MDI_BACKGROUND), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION);
  Pixels tile = pixel_support::ReadBitmap(hTile);
  ::DeleteObject(hTile);
  ::FreeLibrary(hProgram);
  return tile;
}

bool Contains(const Pixels& px, COLORREF cr) {
  return std::find(px.data.begin(), px.data.end(), cr) != px.data.end();
}

using ShellTest = E2eTest;

// Without an argument no document opens and the MDI area shows its tiled pattern, with the title
// and the hints near its lower-right corner.
TEST_F(ShellTest, StartsWithoutDocumentOnThePaintedMdiBackground) {
  ASSERT_TRUE(m_app.Start());
  EXPECT_TRUE(m_app.Documents().empty());
  EXPECT_EQ("Vantrel Pixolet Screen Capture", m_app.Text(m_app.Frame()));
  const Pixels tile = ProgramTile();
  ASSERT_EQ(32, tile.cx);
  CRect client;
  ::GetClientRect(m_app.MdiClient(), &client);
  ::MapWindowPoints(m_app.MdiClient(), NULL, reinterpret_cast<POINT*>(&client), 2);
  // The pattern starts at the area's corner; the texts keep to the lower right.
  const CRect corner(client.TopLeft(), CSize(client.Width() / 2, client.Height() / 2));
  EXPECT_TRUE(WaitUntil("the tiled MDI area", [&] {
    return PixelsAre(ReadScreen(corner), [&](int x, int y) { return tile.At(x % 32, y % 32); });
  }));
  // The texts' left edge follows their width, not the area's: on an area narrowed by the docked
  // bars they reach left of its middle.
  const Pixels hints = ReadScreen(CRect(client.left, client.CenterPoint().y, client.right, client.bottom));
  EXPECT_TRUE(Contains(hints, RGB(0, 0, 0))) << "no hint text";
  EXPECT_TRUE(Contains(hints, RGB(222, 184, 135))) << "no title in its third colour";
  CRect frame;
  ::GetWindowRect(m_app.Frame(), &frame);
  SaveScreenshot(frame, "e2e_start_empty.bmp");
}

// A PNG named on the command line opens as the document, its transparent areas on white.
TEST_F(ShellTest, OpensThePictureOfTheCommandLineWithTransparencyOnWhite) {
  const CSize size(120, 80);
  const COLORREF crOpaque = RGB(30, 120, 200);
  // The right half transparent.
  Gdiplus::Bitmap bitmap(size.cx, size.cy, PixelFormat32bppARGB);
  for (int y = 0; y < size.cy; y++)
    for (int x = 0; x < size.cx; x++)
      bitmap.SetPixel(x, y,
                      Gdiplus::Color(x < size.cx / 2 ? 255 : 0, GetRValue(crOpaque), GetGValue(crOpaque),
                                     GetBValue(crOpaque)));
  const std::string path = SaveTempPng(bitmap, "e2e_transparent.png");
  ASSERT_FALSE(path.empty());
  ASSERT_TRUE(m_app.Start("\"" + path + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, size));
  EXPECT_NE(std::string::npos, m_app.Text(m_app.Frame()).find("e2e_transparent.png"))
      << m_app.Text(m_app.Frame());
  EXPECT_TRUE(m_app.PictureIs(size, [&](int x, int) { return x < size.cx / 2 ? crOpaque : kWhite; }));
  ::DeleteFileA(path.c_str());
}

// The tip of the day opens before the program's first idle moment, and its modal loop holds the
// idle updates back: the tool bars behind it show their commands' state already (no document:
// Save, Print and the editing buttons disabled), the same picture they show once it has closed.
TEST_F(ShellTest, ToolBarsShowTheirCommandsStateBehindTheTipOfTheDay) {
  // No button under the pointer: the corner, which no window of the program covers.
  XMoveMouse(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  HWND hTip = NULL;
  ASSERT_TRUE(m_app.StartWithTip(hTip));
  std::vector<HWND> bars;
  ASSERT_TRUE(WaitUntil("the two tool bars", [&] {
    bars.clear();
    for (HWND hBar : m_app.Descendants(AFX_IDW_TOOLBAR))
      if (::IsWindowVisible(hBar))
        bars.push_back(hBar);
    return bars.size() == 2;
  }));
  auto barsPicture = [&] {
    CRect rc = ScreenRect(bars[0]);
    rc.UnionRect(rc, ScreenRect(bars[1]));
    return Settled([&] { return ReadScreen(rc); }, 300);
  };
  const Pixels behindTip = barsPicture();
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_start_tip_of_the_day.bmp");
  ASSERT_TRUE(::IsWindowVisible(hTip)) << "the tip closed before the bars were read";
  ASSERT_TRUE(m_app.Activate(hTip));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil("the tip to close", [&] { return !::IsWindow(hTip); }));
  SyncInput(m_app.Frame());
  EXPECT_TRUE(PixelsAre(behindTip, PixelsOf(barsPicture())));
}

// A first run places the frame at 1/50 of the screen from its corner, 14/15 by 12/15 of it, and
// writes that place and the option defaults; an exit writes where the frame is, and the next
// start puts it there.
TEST_F(ShellTest, ExitKeepsTheWindowPlaceAndOptionsForTheNextStart) {
  DeleteProgramKey();
  ASSERT_TRUE(m_app.Start());
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  CRect frame;
  ::GetWindowRect(m_app.Frame(), &frame);
  EXPECT_EQ(ToString(CRect(CPoint(cx / 50, cy / 50), CSize(cx * 14 / 15, cy * 12 / 15))), ToString(frame));

  const CRect moved(100, 80, 1000, 780);
  ::SetWindowPos(m_app.Frame(), NULL, moved.left, moved.top, moved.Width(), moved.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil("the frame at its new place", [&] {
    ::GetWindowRect(m_app.Frame(), &frame);
    return frame == moved;
  }));
  ASSERT_TRUE(m_app.Exit());
  EXPECT_EQ(0u, m_app.ExitCode());
  const struct {
    const char* pszName;
    DWORD dwValue;
  } kStored[] = {{"cs_x", 100},       {"cs_y", 80},
                 {"cs_cx", 900},      {"cs_cy", 700},
                 {"EnableHotkey", 1}, {"HotkeyCtrlShftAlt", MOD_CONTROL},
                 {"HotkeyKey", 'Q'},  {"HotkeyCaptureType", ID_CAPTURE_RECTANGLE},
                 {"JpegQuality", 80}, {"IncludeMouse", 0},
                 {"ShowTip", 1}};
  for (const auto& stored : kStored) {
    DWORD dwValue = 0xDEAD;
    EXPECT_TRUE(ReadOption(stored.pszName, dwValue)) << stored.pszName;
    EXPECT_EQ(stored.dwValue, dwValue) << stored.pszName;
  }

  ASSERT_TRUE(m_app.Start());
  ::GetWindowRect(m_app.Frame(), &frame);
  EXPECT_EQ(ToString(moved), ToString(frame));
  ASSERT_TRUE(m_app.Exit());
}

} // namespace
