// Shared pieces of the dialog-layer tests: scripted modal dialogs and a driver for the system's
// own dialogs.
#pragma once

#include "framework/fw.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/framework/dlg/dlg_test_res.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Dialog hosts are shown unless a test says otherwise.
const DWORD kVisibleHost = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

// A modal dialog driven from its idle pass: the script runs at every WM_KICKIDLE with the dialog.
// A watchdog timer keeps idle passes coming, and after too many the dialog ends with -2 so a
// broken script fails the test instead of hanging it.
class CScriptedDialog : public CDialog {
public:
  explicit CScriptedDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL) : CDialog(nIDTemplate, pParentWnd) {}
  std::function<void(CScriptedDialog&)> m_script;
  int m_nKicks = 0;
  static const int kMaxKicks = 400;

protected:
  afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// Drives a system dialog (file, colour, print) that runs its own modal loop: a CBT hook notes the
// dialog when it is created and a thread timer acts on it once its controls exist. The action
// answers true when it has done its work. After too many attempts the dialog is cancelled.
class CSystemDialogDriver {
public:
  explicit CSystemDialogDriver(std::function<bool(HWND hDlg)> action);
  ~CSystemDialogDriver();
  CSystemDialogDriver(const CSystemDialogDriver&) = delete;
  CSystemDialogDriver& operator=(const CSystemDialogDriver&) = delete;

  HWND Dialog() const { return m_hDlg; }
  bool Done() const { return m_bDone; }
  int Attempts() const { return m_nAttempts; }

private:
  static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  static CSystemDialogDriver* s_pActive;

  std::function<bool(HWND)> m_action;
  HHOOK m_hHook = NULL;
  UINT_PTR m_nTimer = 0;
  HWND m_hDlg = NULL;
  bool m_bDone = false;
  int m_nAttempts = 0;
};

// Presses a dialog button by posting the click the button itself would send.
void ClickButton(HWND hDlg, int nID);

using pixel_support::ArtifactsFolder;

// Builds DLGTEMPLATE or DLGTEMPLATEEX data in memory.
class TemplateBuilder {
public:
  TemplateBuilder(bool bEx, DWORD dwStyle, const wchar_t* pszTitle, short cx, short cy,
                  const wchar_t* pszFont = nullptr, WORD wPointSize = 8);
  // A control of a predefined class: 0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box,
  // 0x0085 combo box.
  void AddItem(WORD wClassOrdinal, const wchar_t* pszText, DWORD dwID, DWORD dwStyle, short x, short y,
               short cx, short cy);
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
  void Word(WORD w) { m_words.push_back(w); }
  void Dword(DWORD dw) {
    Word(LOWORD(dw));
    Word(HIWORD(dw));
  }
  void String(const wchar_t* psz);
  void Align() {
    if (m_words.size() % 2 != 0)
      Word(0);
  }

  std::vector<WORD> m_words;
  bool m_bEx;
  size_t m_nCountIndex;
};

// DLGINIT records in memory: control id, message, data; ended by a zero id.
class DlgInitBuilder {
public:
  void Add(WORD wID, WORD wMsg, const std::string& data);
  void* Get();

private:
  std::vector<BYTE> m_bytes;
  bool m_bEnded = false;
};
