#include "tests/unit/editor/editor_harness.h"

#include "imaging/PixelPlane.h"
#include "resources/resource.h"

#include <cstring>
#include <fstream>
#include <iterator>

// The drawing state the shell keeps, at its starting values.
CEditorAppState g_editorState;

CEditorHarness::CEditorHarness() {
  m_pFrame = static_cast<CEditorLabFrame*>(CreateLabFrame(new CEditorLabFrame));
  EXPECT_NE(nullptr, m_pFrame);
  m_pTemplate = new CMultiDocTemplate(IDR_IMAGE_TYPE, RUNTIME_CLASS(CFramletDoc), RUNTIME_CLASS(CMDIChildWnd),
                                      RUNTIME_CLASS(CFramletView));
  m_pDoc = NewDocument();
  EXPECT_NE(nullptr, m_pDoc);
}

CEditorHarness::~CEditorHarness() {
  DestroyLabFrame(m_pFrame); // takes the documents with their frames
  delete m_pTemplate;
}

CFramletDoc* CEditorHarness::NewDocument() {
  CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
  return PumpPending(), static_cast<CFramletDoc*>(pDoc);
}

CSize BitmapSizeOf(CBitmap* pBitmap) {
  BITMAP bm = {};
  pBitmap->GetBitmap(&bm);
  return CSize(bm.bmWidth, bm.bmHeight);
}

std::vector<DWORD> PicturePixels(CBitmap* pBitmap) {
  std::vector<DWORD> pixels((size_t)BitmapSizeOf(pBitmap).cx * BitmapSizeOf(pBitmap).cy);
  ::GdiFlush();
  pBitmap->GetBitmapBits((DWORD)(pixels.size() * 4), pixels.data());
  return pixels;
}

std::vector<DWORD> PictureColours(CFramletDoc* pDoc) {
  std::vector<DWORD> px = PicturePixels(pDoc);
  for (DWORD& p : px)
    p &= 0xFFFFFF;
  return px;
}

void FillPicture(CFramletDoc* pDoc, const CRect& rect, COLORREF clr) {
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  CBitmap* pOld = dc.SelectObject(pDoc->m_pImage->GetBitmap());
  dc.FillSolidRect(&rect, clr), dc.SelectObject(pOld);
}

HBITMAP MakePictureBitmap(int cx, int cy, DWORD (*pixel)(int x, int y)) {
  CPixelPlane plane;
  HBITMAP hBitmap = CreatePlaneBitmap(cx, cy, &plane);
  for (int y = 0; hBitmap != NULL && y < cy; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < cx; x++)
      pRow[x] = pixel(x, y);
  }
  return hBitmap;
}

Gdiplus::Bitmap* NewArgbPicture(int cx, int cy, const std::function<DWORD(int x, int y)>& argb) {
  auto* pBitmap = new Gdiplus::Bitmap(cx, cy, PixelFormat32bppARGB);
  for (int i = 0; i < cx * cy; ++i)
    pBitmap->SetPixel(i % cx, i / cx, Gdiplus::Color(argb(i % cx, i / cx)));
  return pBitmap;
}

DWORD ArgbAt(Gdiplus::Bitmap* pBitmap, int x, int y) {
  Gdiplus::Color color;
  pBitmap->GetPixel(x, y, &color);
  return color.GetValue();
}

pixel_support::Pixels ColoursOf(Gdiplus::Bitmap* pBitmap) {
  pixel_support::Pixels px{int(pBitmap->GetWidth()), int(pBitmap->GetHeight()), {}};
  for (int i = 0; i < px.cx * px.cy; i++)
    px.data.push_back(pixel_support::FromDib(ArgbAt(pBitmap, i % px.cx, i / px.cx) & 0xFFFFFF));
  return px;
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const auto& box : MessageBoxRecorder::Boxes())
    texts.push_back(box.first);
  return texts;
}

std::string ItemText(HWND hDlg, int nID) {
  char sz[256] = "";
  ::GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
  return sz;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

CTempFolder::CTempFolder() {
  char szTemp[MAX_PATH], szName[MAX_PATH];
  ::GetTempPathA(MAX_PATH, szTemp), ::GetTempFileNameA(szTemp, "pix", 0, szName);
  ::DeleteFileA(szName), ::CreateDirectoryA(szName, NULL), path = szName;
}

CTempFolder::~CTempFolder() {
  for (const std::string& name : Files())
    ::DeleteFileA((*this / name).c_str());
  ::RemoveDirectoryA(path.c_str());
}

std::vector<std::string> CTempFolder::Files() const {
  std::vector<std::string> names;
  WIN32_FIND_DATAA fd;
  HANDLE hFind = ::FindFirstFileA((*this / "*").c_str(), &fd);
  for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileA(hFind, &fd))
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(fd.cFileName);
  if (hFind != INVALID_HANDLE_VALUE)
    ::FindClose(hFind);
  return names;
}

void SendMouse(CPoint ptScreen, DWORD dwFlags) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {INPUT_MOUSE};
  in.mi.dx = (ptScreen.x * 65536 + cx - 1) / cx, in.mi.dy = (ptScreen.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &in, sizeof(in));
}

void EditorViewTest::SetUp() {
  std::memcpy(m_styles, g_editorState.m_styles, sizeof(m_styles));
  g_editorState.m_nCurrentTool = ID_TOOL_POINTER, g_nTaskEditState = 0;
  ::SetCursorPos(1270, 1010); // the real pointer stays out of the scripted drags
  View()->GetParentFrame()->MoveWindow(0, 0, 620, 420);
  PumpPending();
}

void EditorViewTest::TearDown() {
  std::memcpy(g_editorState.m_styles, m_styles, sizeof(m_styles));
  g_editorState.m_nCurrentTool = g_editorState.m_nLastTool = g_nTaskEditState = 0;
  g_editorState.m_strStampFile.Empty();
}

void EditorViewTest::SetPicture(int cx, int cy, DWORD (*pixel)(int x, int y)) {
  ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(cx, cy, pixel)));
  View()->TakeSnapshot(), PumpPending(); // the document leaves the view's copy of the picture it replaced
}

void EditorViewTest::Command(UINT nID) { View()->SendMessage(WM_COMMAND, nID), PumpPending(); }

void EditorViewTest::Mouse(UINT nMsg, CPoint pt, UINT nFlags) {
  View()->SendMessage(nMsg, nFlags, MAKELPARAM(pt.x, pt.y));
}

void EditorViewTest::Drag(int nTool, const std::vector<CPoint>& points, UINT nFlags) {
  g_editorState.m_nCurrentTool = nTool;
  const bool bRight = (nFlags & MK_RBUTTON) != 0;
  auto post = [&](UINT nMsg, UINT nHeld, CPoint pt) {
    View()->PostMessage(nMsg, nHeld, MAKELPARAM(pt.x, pt.y));
  };
  post(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, nFlags, points.front());
  for (size_t i = 1; i < points.size(); i++)
    post(WM_MOUSEMOVE, nFlags, points[i]);
  post(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, nFlags & ~(MK_LBUTTON | MK_RBUTTON), points.back());
  PumpPending();
}

void EditorViewTest::Zoom(float fZoom, CSize scroll) {
  View()->m_fZoom = fZoom;
  View()->UpdateScrollSizes(), View()->ScrollToPosition(CPoint(0, 0));
  if (scroll != CSize(0, 0)) {
    View()->OnScrollBy(scroll);
    EXPECT_EQ(scroll, CSize(View()->m_nScrollX, View()->m_nScrollY));
  }
}

DWORD EditorViewTest::PixelAt(int x, int y) {
  return PictureColours(Doc())[(size_t)y * BitmapSizeOf(Doc()->m_pImage->GetBitmap()).cx + x];
}

int EditorViewTest::Enabled(void (CFramletView::*pfnUpdate)(CCmdUI*)) {
  struct CProbe : CCmdUI {
    int m_nEnabled = -1;
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
  } probe;
  (View()->*pfnUpdate)(&probe);
  return probe.m_nEnabled;
}

pixel_support::Pixels EditorViewTest::Shot(const char* pszName) {
  View()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN), PumpPending();
  CRect rc;
  View()->GetClientRect(&rc);
  pixel_support::Pixels px = pixel_support::ReadWindow(View()->m_hWnd, rc);
  if (pszName != NULL)
    EXPECT_FALSE(pixel_support::SaveBmp(px, pszName).empty()) << pszName;
  return px;
}

void EditorViewTest::PointerAt(CPoint client) {
  CPoint screen = client, now;
  View()->ClientToScreen(&screen);
  ::SetCursorPos(screen.x, screen.y);
  ASSERT_TRUE(::GetCursorPos(&now) && now == screen);
}
