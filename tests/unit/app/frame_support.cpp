#include <gtest/gtest.h>

#include "tests/unit/app/frame_support.h"

#include "app/ChildFrame.h"
#include "app/FramletApp.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "resources/resource.h"
#include "tests/common/window_support.h"

namespace {

const char kProgramKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture";

// Records the check mark an update handler gives.
class CCheckProbe : public CCmdUI {
public:
  int m_nCheck = -1;
  void Enable(BOOL) override {}
  void SetCheck(int nCheck) override { m_nCheck = nCheck; }
  void SetText(LPCSTR) override {}
};

} // namespace

int OptionValue(const char* pszName) {
  DWORD dwValue = 0, dwSize = sizeof(dwValue);
  if (::RegGetValueA(HKEY_CURRENT_USER, CMainFrame::kOptionsKey, pszName, RRF_RT_REG_DWORD, NULL, &dwValue,
                     &dwSize) != ERROR_SUCCESS)
    return -1;
  return (int)dwValue;
}

void SetOptionValue(const char* pszName, int nValue) {
  HKEY hKey = NULL;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, CMainFrame::kOptionsKey, 0, NULL, 0,
                                             KEY_ALL_ACCESS, NULL, &hKey, NULL));
  DWORD dwValue = (DWORD)nValue;
  ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
  ::RegCloseKey(hKey);
}

// Deletes the key with all its subkeys.
void DeleteKeyTree(HKEY hParent, const char* pszName) {
  HKEY hKey = NULL;
  if (::RegOpenKeyExA(hParent, pszName, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    return;
  char szSub[256];
  DWORD cch = sizeof(szSub);
  while (::RegEnumKeyExA(hKey, 0, szSub, &cch, NULL, NULL, NULL, NULL) == ERROR_SUCCESS) {
    DeleteKeyTree(hKey, szSub);
    cch = sizeof(szSub);
  }
  ::RegCloseKey(hKey);
  ::RegDeleteKeyA(hParent, pszName);
}

void DeleteProgramKey() {
  DeleteKeyTree(HKEY_CURRENT_USER, kProgramKey);
  // The command profile's state, under whatever profile name the application got.
  DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Vantrel");
}

CMultiDocTemplate* ImageDocTemplate() {
  static CMultiDocTemplate* s_pTemplate = nullptr;
  if (s_pTemplate == nullptr) {
    s_pTemplate = new CMultiDocTemplate(IDR_IMAGE_TYPE, RUNTIME_CLASS(CFramletDoc),
                                        RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CFramletView));
    TheFramletApp().AddDocTemplate(s_pTemplate);
  }
  return s_pTemplate;
}

void MainFrameTest::SetUpTestSuite() {
  CFramletApp& app = TheFramletApp();
  if (app.m_pszRegistryKey == NULL) {
    app.SetRegistryKey("Vantrel");
    app.SetupCommandProfile();
  }
}

void MainFrameTest::SetUp() {
  DeleteProgramKey();
  SetOptionValue("EnableHotkey", 0); // a test that wants the hot key turns it on
}

void MainFrameTest::TearDown() {
  if (m_pFrame != nullptr && ::IsWindow(m_pFrame->GetSafeHwnd()))
    m_pFrame->DestroyWindow();
  m_pFrame = nullptr;
  TheFramletApp().m_pMainWnd = NULL;
  PumpPending();
  // The main window going away asked the thread to quit: in the program that ends it, here it
  // would end the next test's modal loop at once.
  MSG msg;
  while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

CMainFrame* MainFrameTest::MakeFrame() {
  auto* pFrame = new CMainFrame;
  if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    return nullptr; // deleted itself
  TheFramletApp().m_pMainWnd = pFrame;
  pFrame->ShowWindow(SW_SHOW);
  pFrame->RecalcLayout();
  pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
  PumpPending();
  m_pFrame = pFrame;
  return pFrame;
}

// The frame, then the program's application, as the framework routes a command.
void MainFrameTest::Command(UINT nID) {
  m_pFrame->OnCmdMsg(nID, CN_COMMAND, NULL, NULL);
  m_pFrame->RecalcLayout();
  PumpPending();
}

int MainFrameTest::CheckOf(UINT nID) {
  CCheckProbe probe;
  probe.m_nID = nID;
  m_pFrame->OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, NULL);
  return probe.m_nCheck;
}
