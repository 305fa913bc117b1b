#include "tests/unit/app/dialogs_support.h"

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"

#include <fstream>
#include <iterator>

namespace {
ModalScript* g_pScript = nullptr;
} // namespace

ModalScript::ModalScript(const char* pszCaption, std::vector<Step> steps)
    : m_strCaption(pszCaption), m_steps(std::move(steps)) {
  g_pScript = this;
  m_nTimer = ::SetTimer(NULL, 0, 20, &ModalScript::OnTick);
}

ModalScript::~ModalScript() {
  ::KillTimer(NULL, m_nTimer);
  g_pScript = nullptr;
}

void CALLBACK ModalScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_pScript != nullptr && !g_pScript->m_bBusy)
    g_pScript->Tick();
}

void ModalScript::Tick() {
  HWND hDlg = ::FindWindowA("#32770", m_strCaption.c_str());
  if (hDlg == NULL || !::IsWindowVisible(hDlg))
    return;
  m_bSeen = true;
  m_bBusy = true; // the steps pump messages: the timer must not run them again meanwhile
  if (++m_nTicks > 500 || m_nNext == m_steps.size())
    ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
  else if (m_steps[m_nNext](hDlg))
    ++m_nNext;
  m_bBusy = false;
}

void ClickControlAt(HWND hCtrl, POINT ptClient) {
  ::SetForegroundWindow(::GetAncestor(hCtrl, GA_ROOT));
  MouseInClient(hCtrl, ptClient, MOUSEEVENTF_LEFTDOWN);
  MouseInClient(hCtrl, ptClient, MOUSEEVENTF_LEFTUP);
  PumpPending();
}

void ClickControl(HWND hCtrl) {
  RECT rc;
  ::GetClientRect(hCtrl, &rc);
  ClickControlAt(hCtrl, POINT{rc.right / 2, rc.bottom / 2});
}

std::string WindowText(HWND hWnd) {
  char sz[1024] = {};
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

TipsFile::TipsFile(const std::string* pContent) {
  char szModule[MAX_PATH] = {};
  ::GetModuleFileNameA(NULL, szModule, MAX_PATH);
  m_strPath = szModule;
  m_strPath = m_strPath.substr(0, m_strPath.rfind('\\')) + "\\tips.dat";
  std::ifstream in(m_strPath, std::ios::binary);
  m_bHadFile = in.good();
  if (m_bHadFile)
    m_strSaved.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  in.close();
  ::DeleteFileA(m_strPath.c_str());
  if (pContent != nullptr)
    std::ofstream(m_strPath, std::ios::binary) << *pContent;
}

TipsFile::~TipsFile() {
  ::DeleteFileA(m_strPath.c_str());
  if (m_bHadFile)
    std::ofstream(m_strPath, std::ios::binary) << m_strSaved;
}
