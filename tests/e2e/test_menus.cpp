// Every command of the menu bar, the capture button's drop-down and the tray menu that the other
// end-to-end tests do not run, picked by its letters as a user picks it, with its effect on the
// windows, the picture, the clipboard, files and the mail sent. Each table runs in one run of the
// program, row after row: a row leaves the program as it found it.
#include "framework/res/fw_res.h"
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/common/resend_log.h"
#include "tests/e2e/e2e_support.h"

#include <gdiplus.h>
#include <shellapi.h>

#include <fstream>

using namespace e2e;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(220, 30, 40);
const COLORREF kBlue = RGB(20, 60, 210);
// The picture the document rows start from, and the one the clipboard and a file paste.
const CSize kPicture(160, 100);
const CSize kPasted(40, 30);
const CSize kFromFile(30, 20);

COLORREF Original(int x, int y) { return pattern_window::PatternColor(x, y); }
// The part of the picture the selection rows select, and what it holds.
const CRect kSelected(10, 10, 50, 40);
COLORREF Selected(int x, int y) { return Original(x + kSelected.left, y + kSelected.top); }
// The size of a capture of the whole screen.
const CSize kScreen(-1, -1);
// Where a pasted picture lands in the picture.
const CPoint kPasteAt(12, 12);

// The picture on the clipboard; empty when there is none.
Pixels ClipboardPicture() {
  Pixels px;
  if (::OpenClipboard(NULL)) {
    if (HBITMAP hBitmap = (HBITMAP)::GetClipboardData(CF_BITMAP))
      px = pixel_support::ReadBitmap(hBitmap);
    ::CloseClipboard();
  }
  return px;
}

// Puts a picture of one colour on the clipboard.
void SetClipboardPicture(CSize size, COLORREF cr) {
  HDC hScreen = ::GetDC(NULL);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
  HDC hDC = ::CreateCompatibleDC(hScreen);
  HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
  HBRUSH hBrush = ::CreateSolidBrush(cr);
  const RECT rc = {0, 0, size.cx, size.cy};
  ::FillRect(hDC, &rc, hBrush);
  ::DeleteObject(hBrush);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  ::ReleaseDC(NULL, hScreen);
  ASSERT_TRUE(WaitFor([] { return ::OpenClipboard(NULL) != FALSE; }));
  ::EmptyClipboard();
  EXPECT_NE(nullptr, ::SetClipboardData(CF_BITMAP, hBitmap)); // the clipboard owns it now
  ::CloseClipboard();
}

Expected Solid(COLORREF cr) {
  return [cr](int, int) { return cr; };
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// While it lives, the prefix has a mail system and the program's mail goes to the logging
// stand-in mapi32.dll in the prefix's system folder (none lies beside the program), which writes
// each message to the log; the prefix's own settings come back after.
class CMailStandIn {
public:
  explicit CMailStandIn(const std::string& log) {
    ::GetProfileStringA("Mail", "MAPI", "", m_szMapi, sizeof(m_szMapi));
    ::WriteProfileStringA("Mail", "MAPI", "1");
    HKEY hKey = NULL;
    if (::RegCreateKeyA(HKEY_CURRENT_USER, kOverrides, &hKey) == ERROR_SUCCESS) {
      ::RegSetValueExA(hKey, "mapi32", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
      ::RegCloseKey(hKey);
    }
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", log.c_str()); // the program started next inherits it
  }
  ~CMailStandIn() {
    ::SetEnvironmentVariableA("PIX_MAPI_LOG", NULL);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);
    ::WriteProfileStringA("Mail", "MAPI", *m_szMapi ? m_szMapi : NULL);
  }
  CMailStandIn(const CMailStandIn&) = delete;
  CMailStandIn& operator=(const CMailStandIn&) = delete;

private:
  static constexpr const char* kOverrides = "Software\\Wine\\AppDefaults\\pixolet.exe\\DllOverrides";
  char m_szMapi[16] = "";
};

BOOL CALLBACK EachWindow(HWND hWnd, LPARAM lParam) {
  (*reinterpret_cast<std::function<void(HWND)>*>(lParam))(hWnd);
  return TRUE;
}

class MenusTest;

// A command picked by its letters: the popup's, then the item's (and a submenu's on the way). The
// check waits for its effect and puts things back; prepare readies what it needs first.
struct MenuRow {
  const char* keys;
  void (MenusTest::*check)(const MenuRow&);
  const char* text = ""; // what the check looks for
  void (MenusTest::*prepare)() = nullptr;
  CSize size = CSize(); // of the picture it makes
  CPoint (*source)(int x, int y, CSize) = nullptr;
};

class MenusTest : public E2eTest {
public:
  // What a row checks. A picture opened from a file has no name to save under yet: the first Save asks for
  // one.
  void ExpectSaved(const MenuRow& row) {
    if (*row.text)
      ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(m_path));
    ASSERT_TRUE(
        WaitUntil("the file written again", [&] { return PixelsAre(ReadPictureFile(m_path), Original); }));
  }
  void ExpectMailed(const MenuRow&) {
    std::string line;
    ASSERT_TRUE(WaitUntil("one mail sent", [&] {
      std::ifstream log(m_mailLog);
      return bool(std::getline(log, line));
    }));
    EXPECT_NE(std::string::npos, line.find("\tfiles=1\t")) << line;
    EXPECT_NE(std::string::npos, line.find("\tfile0.exists=1\t")) << line;
  }
  void ExpectClipboardHoldsThePicture(const MenuRow&) {
    EXPECT_TRUE(
        WaitUntil("the picture on the clipboard", [&] { return PixelsAre(ClipboardPicture(), Original); }));
  }
  void ExpectDialog(const MenuRow& row) {
    HWND hDialog = m_app.WaitForDialog(row.text);
    ASSERT_NE(nullptr, hDialog) << "no dialog " << row.text;
    SaveScreenshot(ScreenRect(hDialog), (std::string("menu_dialog_") + row.keys + ".bmp").c_str());
    ASSERT_TRUE(m_app.Activate(hDialog));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the dialog to close", [&] { return !::IsWindow(hDialog); }));
  }
  void ExpectPreview(const MenuRow&) {
    HWND hPreview = NULL;
    ASSERT_TRUE(WaitUntil("the preview in the frame", [&] {
      hPreview = ::GetDlgItem(m_app.Frame(), AFX_IDW_PANE_FIRST);
      return hPreview != NULL && ::IsWindowVisible(hPreview) && !::IsWindowVisible(m_app.MdiClient());
    }));
    SaveScreenshot(ScreenRect(m_app.Frame()), "menu_print_preview.bmp");
    // Its bar's Close button ends it.
    std::vector<HWND> close = m_app.Descendants(AFX_ID_PREVIEW_CLOSE);
    ASSERT_FALSE(close.empty()) << "no Close button on the preview's bar";
    ASSERT_TRUE(ClickUntil("the preview to close", close[0],
                           [&] { return !::IsWindow(hPreview) && ::IsWindowVisible(m_app.MdiClient()); }));
  }
  // Select All leaves the commands of a selection enabled, Cut first among them.
  void ExpectSelection(const MenuRow&) { EXPECT_TRUE(CutEnabled(true)); }
  void ExpectNoSelection() { EXPECT_TRUE(CutEnabled(false)); }
  void ExpectCut(const MenuRow& row) {
    ExpectClipboardHoldsThePicture(row);
    ExpectPicture(kPicture, Solid(kWhite));
    Restore();
  }
  void ExpectCleared(const MenuRow&) {
    ExpectPicture(kPicture, Solid(kWhite));
    Restore();
  }
  // The pasted picture floats near the top-left corner over the picture; a click beside it puts
  // it into the picture, and Undo takes it out again.
  void ExpectPasted(const MenuRow& row) {
    const CRect piece(kPasteAt, row.size);
    const COLORREF cr = row.size == kPasted ? kRed : kBlue;
    EXPECT_TRUE(WaitUntil("the piece pasted", [&] {
      const Pixels px = m_app.ReadPicture(kPicture);
      bool bShown = !px.Empty();
      for (int y = 0; y < kPicture.cy && bShown; y++)
        for (int x = 0; x < kPicture.cx && bShown; x++)
          if (piece.PtInRect(CPoint(x, y)))
            bShown = px.At(x, y) == cr;
          else if (x > piece.right + 8 || y > piece.bottom + 8) // clear of its frame
            bShown = px.At(x, y) == Original(x, y);
      return bShown;
    }));
    const CPoint beside = m_app.PictureOrigin() + CPoint(kPicture.cx - 10, kPicture.cy - 10);
    SendXSteps("C" + std::to_string(beside.x) + "," + std::to_string(beside.y), m_app.View());
    Restore();
  }
  void ExpectSelectionFile(const MenuRow&) {
    ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(m_selectionPath));
    EXPECT_TRUE(WaitUntil("the selection's file",
                          [&] { return PixelsAre(ReadPictureFile(m_selectionPath), Selected); }));
  }
  void ExpectCropped(const MenuRow&) {
    ExpectPicture(kSelected.Size(), Selected);
    Restore();
  }
  void ExpectPastedFromFile(const MenuRow& row) {
    ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(m_fromFilePath));
    ExpectPasted(row);
  }
  void ExpectNewDocument(const MenuRow& row) {
    const size_t nBefore = m_nDocuments;
    ASSERT_TRUE(m_app.WaitForDocuments(nBefore + 1, row.size));
    EXPECT_TRUE(m_app.PictureIs(row.size, row.size == kPasted ? Solid(kRed) : Solid(kWhite)));
    // Closed again: a pasted picture is a change, a new blank one none.
    ASSERT_TRUE(m_app.Menu('F', 'C'));
    if (HWND hBox = m_app.WaitForDialog("Save changes to file?", row.size == kPasted ? 10000 : 1000)) {
      ASSERT_TRUE(m_app.Activate(hBox));
      PressKey('N');
    }
    ASSERT_TRUE(m_app.WaitForDocuments(nBefore));
  }
  void ExpectZoom(const MenuRow& row) {
    EXPECT_TRUE(WaitUntil(std::string("the zoom ") + row.text, [&] {
      return m_app.StatusText(3) == row.text;
    })) << m_app.StatusText(3);
  }
  void ExpectTransformed(const MenuRow& row) {
    ExpectPicture(row.size.cx ? row.size : kPicture, [&](int x, int y) {
      const CPoint from = row.source(x, y, kPicture);
      return Original(from.x, from.y);
    });
    Restore();
  }
  // The task sheet shows the operation's page, whose Cancel puts the picture back.
  void ExpectPage(const MenuRow& row) {
    HWND hTitle = NULL;
    ASSERT_TRUE(
        WaitUntil(std::string("the page ") + row.text, [&] { return (hTitle = Shown(row.text)) != NULL; }));
    for (HWND hBar : m_app.Descendants(ID_VIEW_TASK_SHEET))
      if (::IsWindowVisible(hBar) && ::IsChild(hBar, hTitle))
        SaveScreenshot(ScreenRect(hBar), (std::string("menu_page_") + row.keys + ".bmp").c_str());
    if (HWND hCancel = Shown("Cancel"))
      ASSERT_TRUE(ClickUntil("the page to go", hCancel, [&] { return !::IsWindowVisible(hTitle); }));
    ExpectPicture(kPicture, Original);
  }
  void ExpectIncludeMouseToggled(const MenuRow&) {
    const Pixels after = CaptureMenuMark();
    EXPECT_FALSE(after.Empty());
    EXPECT_NE(m_mark.data, after.data) << "the check mark of Include Mouse did not change";
    ASSERT_TRUE(m_app.Menu('C', 'I'));
    EXPECT_EQ(m_mark.data, CaptureMenuMark().data) << "the check mark did not come back";
  }
  // Window, New Window: a second window of the document. Cascade lays both out overlapping, and
  // Ctrl+F4 closes the new window alone.
  void ExpectSecondWindow(const MenuRow&) { ASSERT_TRUE(m_app.WaitForDocuments(2)); }
  void ExpectCascaded(const MenuRow&) {
    ASSERT_TRUE(WaitUntil("the windows cascaded", [&] {
      const std::vector<HWND> docs = m_app.Documents();
      if (docs.size() != 2 || ::IsZoomed(docs[0]) || ::IsZoomed(docs[1]))
        return false;
      const CRect a = ScreenRect(docs[0]), b = ScreenRect(docs[1]);
      return a.TopLeft() != b.TopLeft() && CRect().IntersectRect(&a, &b);
    }));
    SaveScreenshot(ScreenRect(m_app.Frame()), "menu_window_cascade.bmp");
    ASSERT_TRUE(m_app.Activate());
    PressKey(VK_F4, MOD_CONTROL);
    ASSERT_TRUE(m_app.WaitForDocuments(1));
  }

  // A capture: the area marked on the overlay when it asks for one, a new document of its size.
  void ExpectCapture(const MenuRow& row) {
    if (*row.text)
      ASSERT_TRUE(m_app.Mark(row.text));
    const CSize screen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(m_app.WaitForDocuments(m_nDocuments + 1, row.size == kScreen ? screen : row.size));
  }
  // The object picker comes; Esc ends it with nothing taken.
  // The program is done with it once the picker has gone, the frame is back and the program has
  // read what that brought: a menu opened while the frame still came back was cancelled.
  void ExpectPicker(const MenuRow&) {
    ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
    const HWND hPicker = m_app.WaitForDialog("");
    ASSERT_NE(nullptr, hPicker);
    // The user's Esc goes where the window system sends keys: the picker must have taken them.
    ASSERT_TRUE(IsActiveWindow(hPicker, "the object picker"));
    ASSERT_TRUE(HasXKeyboard(hPicker, "the object picker"));
    ASSERT_TRUE(XKeys("Escape"));
    ASSERT_TRUE(WaitUntil("the picker to go", [&] { return !::IsWindow(hPicker); }))
        << "X gives the keyboard to " << XKeyboardWindow() << "; the active window is "
        << DescribeWindow(::GetForegroundWindow()) << "; focus "
        << DescribeWindow(GuiState(hPicker).hwndFocus) << "; capture "
        << DescribeWindow(GuiState(hPicker).hwndCapture) << "; flags " << GuiState(hPicker).flags
        << "; picker " << DescribeWindow(hPicker);
    ASSERT_TRUE(m_app.WaitForDocuments(m_nDocuments));
    ASSERT_TRUE(m_app.Activate());
    SyncInput(m_app.Frame());
  }

  // What a row readies.
  void DeleteFile() { ::DeleteFileA(m_path.c_str()); }
  // A picture of its own on the clipboard, there for every program before the command runs.
  void PutPictureOnClipboard() {
    ASSERT_NO_FATAL_FAILURE(SetClipboardPicture(kPasted, kRed));
    ASSERT_TRUE(WaitUntil("the red picture on the clipboard", [] {
      const Pixels px = ClipboardPicture();
      return px.cx == kPasted.cx && PixelsAre(px, Solid(kRed));
    }));
  }
  void SelectAll() { ASSERT_TRUE(m_app.Menu('E', 'A')); }
  // The mark before the command: an empty read (the menu did not open) would let any mark after
  // it count as changed.
  void ReadMark() {
    m_mark = CaptureMenuMark();
    ASSERT_FALSE(m_mark.Empty()) << "the Capture menu did not open to read the mark of Include Mouse";
  }
  // The selection tool of the tools panel, and a drag over kSelected of the picture.
  void SelectArea() {
    HWND hTool = NULL;
    for (HWND h : m_app.Descendants(ID_TOOL_SELECT_REGION))
      if (::IsWindowVisible(h))
        hTool = h;
    ASSERT_NE(nullptr, hTool) << "no selection tool in the tools panel";
    const CPoint tool = ScreenRect(hTool).CenterPoint();
    SendXSteps("C" + std::to_string(tool.x) + "," + std::to_string(tool.y), hTool);
    const HWND hView = m_app.View();
    ASSERT_TRUE(m_app.Activate());
    const CPoint from = m_app.PictureOrigin() + kSelected.TopLeft(),
                 to = m_app.PictureOrigin() + kSelected.BottomRight();
    SendXSteps("P" + std::to_string(from.x) + "," + std::to_string(from.y) + " M" + std::to_string(to.x - 5) +
                   "," + std::to_string(to.y - 5) + " R" + std::to_string(to.x) + "," + std::to_string(to.y),
               hView);
    ASSERT_TRUE(CutEnabled(true));
  }

  // Runs the rows' commands one after another.
  void Run(const MenuRow* pRows, size_t nRows) {
    for (size_t i = 0; i < nRows; i++) {
      const MenuRow& row = pRows[i];
      SCOPED_TRACE(std::string("menu keys ") + row.keys);
      const DWORD dwStart = ::GetTickCount();
      if (row.prepare)
        ASSERT_NO_FATAL_FAILURE((this->*row.prepare)());
      m_nDocuments = m_app.Documents().size();
      ASSERT_TRUE(Pick(row.keys));
      ASSERT_NO_FATAL_FAILURE((this->*row.check)(row));
      std::printf("[ MENU     ] %-4s %5lu ms\n", row.keys, ::GetTickCount() - dwStart);
    }
  }
  // Saves a picture of each popup open, submenus with their popup.
  void SaveMenus(const char* const* ppKeys, size_t n, const char* pszPrefix) {
    for (size_t i = 0; i < n; i++) {
      HWND hPopup = m_app.OpenMenuPath(ppKeys[i]);
      EXPECT_NE(nullptr, hPopup) << ppKeys[i];
      if (hPopup != NULL) {
        CRect all = ScreenRect(hPopup);
        if (HWND hFirst = m_app.ShownMenu()) {
          const CRect first = ScreenRect(hFirst);
          all.UnionRect(&all, &first);
        }
        SaveScreenshot(all, (std::string("menu_") + pszPrefix + ppKeys[i] + ".bmp").c_str());
      }
      CloseMenus();
    }
  }

protected:
  // A visible window of the frame, at any depth, whose text is that, spaces round it aside.
  HWND Shown(const std::string& text) const {
    HWND hFound = NULL;
    std::function<void(HWND)> visit = [&](HWND hParent) {
      for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL && hFound == NULL;
           h = ::GetWindow(h, GW_HWNDNEXT))
        if (::IsWindowVisible(h)) {
          if (Trimmed(m_app.Text(h)) == text)
            hFound = h;
          visit(h);
        }
    };
    visit(m_app.Frame());
    return hFound;
  }
  // Clicks the middle of the window with the X pointer until what it does shows: a click the
  // window system lost is made once more, and named (a pointer move can be undone by a late report of an
  // earlier position (tests/probes/pointer_probe)). A page's Cancel puts the picture back before the
  // main page comes, which under load took over 3 s: a click sent again then lands on the main page's
  // link under the pointer, so what the click does has ample time to show first.
  ::testing::AssertionResult ClickUntil(const std::string& what, HWND hWnd,
                                        const std::function<bool()>& done) {
    for (int nTry = 0; nTry < 2; nTry++) {
      if (nTry > 0)
        resend_log::Note("a click for " + what + ": nothing came");
      const CPoint centre = ScreenRect(hWnd).CenterPoint();
      SendXSteps("C" + std::to_string(centre.x) + "," + std::to_string(centre.y), hWnd);
      if (WaitFor(done, 10000))
        return ::testing::AssertionSuccess();
    }
    const CPoint centre = ScreenRect(hWnd).CenterPoint();
    return ::testing::AssertionFailure()
           << "no " << what << "; clicked " << DescribeWindow(hWnd)
           << (::IsWindowEnabled(hWnd) ? "" : ", disabled") << "; under its centre "
           << DescribeWindow(::WindowFromPoint(centre)) << "; the active window is "
           << DescribeWindow(::GetForegroundWindow());
  }
  // Esc closes the innermost popup, the last one leaves the menu bar; a key a popup drops while
  // it unfolds or folds is pressed again.
  void CloseMenus() {
    for (int i = 0; i < 8 && m_app.ShownMenu() != NULL; i++) {
      PressKey(VK_ESCAPE);
      WaitFor([&] { return m_app.ShownMenu() == NULL; }, 500);
    }
    PressKey(VK_ESCAPE);
    SyncInput(m_app.Frame());
    EXPECT_EQ(nullptr, m_app.ShownMenu()) << "a menu stayed open";
  }
  // The picture's pixels and size: the view shows its size when the pointer moves over it.
  // Each row makes one change: Edit, Undo gives the picture it started with back.
  void Restore() {
    ASSERT_TRUE(m_app.Menu('E', 'U'));
    EXPECT_TRUE(WaitUntil("Undo to give the picture back",
                          [&] { return PixelsAre(m_app.ReadPicture(kPicture), Original); }))
        << "the active window is " << DescribeWindow(::GetForegroundWindow());
  }
  // Whether the Edit menu draws Cut enabled (the highlight moved to the last item, away from it).
  ::testing::AssertionResult CutEnabled(bool bEnabled) {
    ::testing::AssertionResult result = ::testing::AssertionFailure() << "no Edit menu";
    if (HWND hPopup = m_app.OpenMenu('E')) {
      PressKey(VK_UP);
      SyncInput(hPopup);
      result = m_app.MenuItemEnabled(hPopup, 3, bEnabled);
    }
    CloseMenus();
    return result;
  }
  // The check mark of Include Mouse, the last of the twelve rows the Capture menu draws.
  Pixels CaptureMenuMark() {
    Pixels mark;
    if (HWND hPopup = m_app.OpenMenu('C'))
      mark = CPixolet::MenuItemMark(hPopup, 11);
    CloseMenus();
    return mark;
  }
  // The capture bar is the narrower of the two tool bars shown; the arrow of its button, left of
  // the chevron at the bar's end, opens the drop-down.
  HWND OpenCaptureDropDown() {
    CRect bar;
    for (HWND hBar : m_app.Descendants(59392)) {
      const CRect rc = ScreenRect(hBar);
      if (::IsWindowVisible(hBar) && (bar.IsRectEmpty() || rc.Width() < bar.Width()))
        bar = rc;
    }
    if (bar.IsRectEmpty() || !m_app.Activate())
      return NULL;
    // Off the bar first: a button under the pointer is drawn hot, its arrow with it. The arrow
    // found once stays where it is: a button whose menu was open may be drawn pressed a while.
    XMoveMouse(bar.CenterPoint().x, bar.bottom + 200);
    WaitFor([&] { return m_app.ShownMenu() == NULL; }, 3000);
    if (m_arrow.x < 0)
      m_arrow = DropDownArrow(bar);
    const CPoint arrow = m_arrow;
    if (arrow.x < 0)
      return NULL;
    HWND hPopup = NULL;
    // A click that opened no menu is made once more, and named (a pointer move can be undone by a late report
    // of an earlier position (tests/probes/pointer_probe)).
    for (int nTry = 0; nTry < 2 && hPopup == NULL; nTry++) {
      if (nTry > 0)
        resend_log::Note("a click on the capture button's arrow: no menu opened");
      SendXSteps("C" + std::to_string(arrow.x) + "," + std::to_string(arrow.y), m_app.Frame());
      WaitFor([&] { return (hPopup = m_app.ShownMenu()) != NULL; }, 3000);
    }
    if (hPopup != NULL)
      WaitUntilUnfolded(hPopup);
    return hPopup;
  }
  // The shell holds the program's icon for one of its hidden windows; the icon's right click is
  // posted to it as the shell posts it (Xvfb shows no notification area to click).
  HWND OpenTrayMenu() {
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(m_app.Frame(), &dwPid);
    HWND hIcon = NULL;
    std::function<void(HWND)> find = [&](HWND hWnd) {
      DWORD dwOwner = 0;
      ::GetWindowThreadProcessId(hWnd, &dwOwner);
      NOTIFYICONDATAA data = {};
      data.cbSize = NOTIFYICONDATAA_V1_SIZE;
      data.hWnd = hWnd;
      data.uID = IDR_TRAY_MENU;
      if (hIcon == NULL && dwOwner == dwPid && ::Shell_NotifyIconA(NIM_MODIFY, &data))
        hIcon = hWnd;
    };
    ::EnumWindows(EachWindow, reinterpret_cast<LPARAM>(&find));
    if (hIcon == NULL)
      return NULL;
    MoveMouse(900, 700);
    // The last key of the row before (an Escape that leaves the menu bar's keyboard mode) would
    // otherwise reach the tray menu, which the posted notification opens first.
    const std::vector<HWND> menuBar = m_app.Descendants(ID_VIEW_MENUBAR);
    if (menuBar.empty() || !InputTaken(menuBar[0]))
      return NULL;
    ::PostMessageA(hIcon, UM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_RBUTTONUP);
    HWND hPopup = NULL;
    if (WaitFor([&] { return (hPopup = m_app.ShownMenu()) != NULL; }))
      WaitUntilUnfolded(hPopup);
    return hPopup;
  }
  // Picks the command of the row: lower-case 'd' and 't' name the capture drop-down and the tray
  // menu, upper-case letters the menu bar's popups.
  ::testing::AssertionResult Pick(const std::string& keys) {
    if (keys[0] != 'd' && keys[0] != 't')
      return m_app.MenuPath(keys);
    const HWND hPopup = keys[0] == 'd' ? OpenCaptureDropDown() : OpenTrayMenu();
    if (hPopup == NULL)
      return ::testing::AssertionFailure() << "the menu " << keys[0] << " did not open";
    PressKey((WORD)keys[1]);
    if (WaitFor([&] { return !::IsWindowVisible(hPopup); }, 3000))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the menu stayed open after " << keys;
  }

  std::string m_path = TempPath("e2e_menus.png");
  std::string m_selectionPath = TempPath("e2e_menus_selection.png");
  std::string m_fromFilePath = TempPath("e2e_menus_paste.png");
  std::string m_mailLog = TempPath("e2e_menus_mail.log");
  Pixels m_mark;
  size_t m_nDocuments = 0; // before the row's command
  CPoint m_arrow{-1, -1};  // the capture button's drop-down arrow on the screen
};

CPoint FlipH(int x, int y, CSize s) { return CPoint(s.cx - 1 - x, y); }
CPoint FlipV(int x, int y, CSize s) { return CPoint(x, s.cy - 1 - y); }
CPoint TurnRight(int x, int y, CSize s) { return CPoint(y, s.cy - 1 - x); }
CPoint TurnLeft(int x, int y, CSize s) { return CPoint(s.cx - 1 - y, x); }

using T = MenusTest;
const CSize kTurned(kPicture.cy, kPicture.cx);

// The document's menu, on a picture opened from a file.
const MenuRow kDocumentRows[] = {
    {"FS", &T::ExpectSaved, "asks", &T::DeleteFile},
    {"FS", &T::ExpectSaved, "", &T::DeleteFile},
    {"FD", &T::ExpectMailed},
    {"FB", &T::ExpectClipboardHoldsThePicture, "", &T::PutPictureOnClipboard},
    {"FR", &T::ExpectDialog, "Print Setup"},
    {"FV", &T::ExpectPreview},
    {"EA", &T::ExpectSelection, "", &T::ExpectNoSelection},
    {"EC", &T::ExpectClipboardHoldsThePicture, "", &T::PutPictureOnClipboard},
    {"ET", &T::ExpectCut, "", &T::PutPictureOnClipboard},
    {"EL", &T::ExpectCleared, "", &T::SelectAll},
    {"EP", &T::ExpectPasted, "", &T::PutPictureOnClipboard, kPasted},
    {"ES", &T::ExpectSelectionFile, "", &T::SelectArea},
    {"EO", &T::ExpectCropped},
    {"EF", &T::ExpectPastedFromFile, "", nullptr, kFromFile},
    {"EN", &T::ExpectNewDocument, "", &T::PutPictureOnClipboard, kPasted},
    {"VI", &T::ExpectZoom, "Zoom:200%"},
    {"VZ", &T::ExpectZoom, "Zoom:100%"},
    {"VO", &T::ExpectZoom, "Zoom:50%"},
    {"VZ", &T::ExpectZoom, "Zoom:100%"},
    {"IH", &T::ExpectTransformed, "", nullptr, CSize(), FlipH},
    {"IV", &T::ExpectTransformed, "", nullptr, CSize(), FlipV},
    {"IRR", &T::ExpectTransformed, "", nullptr, kTurned, TurnRight},
    {"IRL", &T::ExpectTransformed, "", nullptr, kTurned, TurnLeft},
    {"ICB", &T::ExpectPage, "Brightness-Contrast  Settings"},
    {"ICC", &T::ExpectPage, "Color Balance  Settings"},
    {"ICI", &T::ExpectPage, "Invert Color Settings"},
    {"ICG", &T::ExpectPage, "Grayscale  Settings"},
    {"ICM", &T::ExpectPage, "Black/White  Settings"},
    {"IET", &T::ExpectPage, "Torn Edge Settings"},
    {"IES", &T::ExpectPage, "Saw Edge Settings"},
    {"IEH", &T::ExpectPage, "Shark Edge Settings"},
    {"IEW", &T::ExpectPage, "Wave Edge Settings"},
    {"IEF", &T::ExpectPage, "Fade Edge Settings"},
    {"IED", &T::ExpectPage, "Shadow  Settings"},
    {"IEB", &T::ExpectPage, "Beveled  Settings"},
    {"IER", &T::ExpectPage, "Border  Settings"},
    {"IMP", &T::ExpectPage, "Perspective  Settings"},
    {"IMS", &T::ExpectPage, "Shear  Settings"},
    {"IMB", &T::ExpectPage, "Blur  Settings"},
    {"IME", &T::ExpectPage, "Emboss  Settings"},
    {"IMH", &T::ExpectPage, "Sharpen  Settings"},
    {"IMO", &T::ExpectPage, "Solarize  Settings"},
    {"IRA", &T::ExpectPage, "Rotate  Settings"},
    {"II", &T::ExpectPage, "Resize Image"},
    {"IN", &T::ExpectPage, "Resize Canvas"},
    {"IA", &T::ExpectPage, "Enter Text:"},
    {"IS", &T::ExpectDialog, "Image Resolution"},
    {"TO", &T::ExpectDialog, "Options"},
    {"CI", &T::ExpectIncludeMouseToggled, "", &T::ReadMark},
    {"WN", &T::ExpectSecondWindow},
    {"WC", &T::ExpectCascaded},
};

// The main menu, with no document open.
const MenuRow kMainRows[] = {
    {"FN", &T::ExpectNewDocument, "", nullptr, CSize(400, 300)},
    {"FR", &T::ExpectDialog, "Print Setup"},
    {"EP", &T::ExpectNewDocument, "", &T::PutPictureOnClipboard, kPasted},
    {"CI", &T::ExpectIncludeMouseToggled, "", &T::ReadMark},
    {"TO", &T::ExpectDialog, "Options"},
};

// The capture button's drop-down and the tray menu's captures the tray's own tests leave.
const MenuRow kCaptureRows[] = {
    {"dR", &T::ExpectCapture, "P100,100 R300,200", nullptr, CSize(200, 100)},
    {"dA", &T::ExpectCapture},
    {"dF", &T::ExpectCapture, "", nullptr, kScreen},
    {"dC", &T::ExpectCapture, "P400,300 R600,500", nullptr, CSize(200, 200)},
    {"dP", &T::ExpectCapture, "C200,300 C600,300 C400,700 Enter", nullptr, CSize(398, 398)},
    {"dU", &T::ExpectCapture, "P400,300 R700,500", nullptr, CSize(300, 200)},
    {"dN", &T::ExpectCapture, "P300,300 M700,300 M700,700 R300,700", nullptr, CSize(398, 398)},
    {"dM", &T::ExpectCapture, "P100,100 M200,200 R300,250 P400,350 M300,300 R250,200 Enter", nullptr,
     CSize(300, 250)},
    {"dO", &T::ExpectPicker},
    {"dI", &T::ExpectIncludeMouseToggled, "", &T::ReadMark},
    {"tA", &T::ExpectCapture},
    {"tN", &T::ExpectCapture, "P300,300 M700,300 M700,700 R300,700", nullptr, CSize(398, 398)},
};

const char* const kMainPopups[] = {"F", "E", "C", "V", "T", "H"};
const char* const kDocumentPopups[] = {"F", "E", "C", "V", "I", "IC", "IE", "IM", "IR", "T", "W", "H"};

TEST_F(MenusTest, MainMenuCommandsWithoutADocument) {
  ASSERT_TRUE(m_app.Start());
  SaveMenus(kMainPopups, sizeof(kMainPopups) / sizeof(kMainPopups[0]), "main_");
  Run(kMainRows, sizeof(kMainRows) / sizeof(kMainRows[0]));
  EXPECT_TRUE(m_app.Documents().empty());
}

TEST_F(MenusTest, CaptureDropDownAndTrayMenu) {
  ASSERT_TRUE(m_app.Start());
  for (const char* pszMenu : {"t", "d"}) {
    HWND hPopup = *pszMenu == 'd' ? OpenCaptureDropDown() : OpenTrayMenu();
    ASSERT_NE(nullptr, hPopup) << pszMenu;
    SaveScreenshot(ScreenRect(hPopup), *pszMenu == 'd' ? "menu_capture_drop_down.bmp" : "menu_tray.bmp");
    CloseMenus();
  }
  Run(kCaptureRows, sizeof(kCaptureRows) / sizeof(kCaptureRows[0]));
}

// The recent file the registry names opens from the File menu.
TEST_F(MenusTest, RecentFileOpensFromTheFileMenu) {
  const std::string path = SavePicturePng("e2e_menus_recent.png", kPicture, Original);
  ASSERT_FALSE(path.empty());
  HKEY hKey = NULL;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyA(HKEY_CURRENT_USER,
                            "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Recent File List", &hKey));
  ::RegSetValueExA(hKey, "File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                   (DWORD)path.size() + 1);
  ::RegCloseKey(hKey);
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(m_app.Menu('F', '1'));
  ASSERT_TRUE(m_app.WaitForDocuments(1, kPicture));
  EXPECT_TRUE(m_app.PictureIs(kPicture, Original));
  ::DeleteFileA(path.c_str());
}

TEST_F(MenusTest, DocumentMenuCommands) {
  ASSERT_FALSE(SavePicturePng("e2e_menus.png", kPicture, Original).empty());
  ASSERT_FALSE(SavePicturePng("e2e_menus_paste.png", kFromFile, Solid(kBlue)).empty());
  ::DeleteFileA(m_selectionPath.c_str());
  ::DeleteFileA(m_mailLog.c_str());
  ASSERT_EQ("", InstallMailStandIn());
  CMailStandIn mail(m_mailLog);
  ASSERT_TRUE(m_app.Start("\"" + m_path + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, kPicture));
  ASSERT_TRUE(m_app.PictureIs(kPicture, Original));
  SaveMenus(kDocumentPopups, sizeof(kDocumentPopups) / sizeof(kDocumentPopups[0]), "document_");
  Run(kDocumentRows, sizeof(kDocumentRows) / sizeof(kDocumentRows[0]));
  for (const std::string& path : {m_path, m_selectionPath, m_fromFilePath, m_mailLog})
    ::DeleteFileA(path.c_str());
}

} // namespace
