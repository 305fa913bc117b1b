#include "tests/unit/toolkit/menus/popup_base_support.h"

#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtSoundPlayer.h"

namespace popup_base_test {

namespace {

typedef int(WINAPI* PFN_GetDeviceCaps)(HDC, int);
const PFN_GetDeviceCaps RealGetDeviceCaps =
    reinterpret_cast<PFN_GetDeviceCaps>(::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "GetDeviceCaps"));
int g_nForcedBits = 0;

int WINAPI ForcedGetDeviceCaps(HDC hDC, int nIndex) {
  return nIndex == BITSPIXEL ? g_nForcedBits : RealGetDeviceCaps(hDC, nIndex);
}

// The sounds come from the player's worker threads.
CCriticalSection g_soundsLock;
std::vector<std::string> g_sounds;

BOOL WINAPI RecordSound(LPCSTR pszName, HMODULE, DWORD) {
  if (pszName != NULL) {
    CSingleLock lock(&g_soundsLock, TRUE);
    g_sounds.push_back(pszName);
  }
  return TRUE;
}

// Waits until no sound worker runs; the idle event is left as it was found.
bool WaitSoundsDone() {
  if (!g_SoundIdleEvent.Lock(5000))
    return false;
  g_SoundIdleEvent.SetEvent();
  return true;
}

} // namespace

CForcedScreenDepth::CForcedScreenDepth(int nBits)
    : CImportPatch("gdi32.dll", "GetDeviceCaps", reinterpret_cast<FARPROC>(&ForcedGetDeviceCaps)) {
  g_nForcedBits = nBits;
}

CSoundRecorder::CSoundRecorder()
    : CImportPatch("winmm.dll", "PlaySoundA", reinterpret_cast<FARPROC>(&RecordSound)) {
  WaitSoundsDone();
  CSingleLock lock(&g_soundsLock, TRUE);
  g_sounds.clear();
}

CSoundRecorder::~CSoundRecorder() { WaitSoundsDone(); }

std::vector<std::string> CSoundRecorder::Sounds() {
  WaitSoundsDone();
  CSingleLock lock(&g_soundsLock, TRUE);
  return g_sounds;
}

const COLORREF CPlainPopup::kContent = RGB(40, 90, 200);

bool CPlainPopup::CreateHidden(const RECT& rcScreen) {
  TheTestApp();
  const CRect rc(rcScreen);
  return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)),
                  "popup", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(), NULL, NULL) != FALSE;
}

void CPlainPopup::ShowAndPaint() {
  SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  UpdateWindow();
}

void CPlainPopup::PaintContent(CDC& dc, bool) {
  CRect rcContent;
  GetClientRect(&rcContent);
  rcContent.DeflateRect(0, 0, GetShadowSize(), GetShadowSize());
  dc.FillSolidRect(&rcContent, kContent);
  m_shadow.PaintFor(dc, rcContent, CRect(), CRect(), GetShadowSize(), 75, 100, true, false, this);
}

void CPlainPopup::PaintAnimationFrame(CDC& dc) {
  CRect rc;
  GetClientRect(&rc);
  if (!PaintFrameOfType(dc, rc.Width(), rc.Height()))
    PaintContent(dc, true);
}

LRESULT CPlainPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = CExtPopupBaseWnd::WindowProc(message, wParam, lParam);
  if (message == WM_MOUSEACTIVATE)
    m_mouseActivateAnswers.push_back((int)lResult);
  else if (message == WM_LBUTTONDOWN)
    ++m_nButtonDowns;
  else if (message == WM_LBUTTONUP)
    ++m_nButtonUps;
  return lResult;
}

} // namespace popup_base_test
