// What the about box and tip of the day tests share: a script that drives a modal dialog with
// real input while its loop runs, real clicks, and the tips file beside the test program.
#pragma once

#include "framework/fw.h"

#include <functional>
#include <string>
#include <vector>

// Runs steps against the dialog with the caption while the calling thread sits in a modal loop.
// A step answers true when it is done; it is asked again on the next tick until then. A dialog
// still open after the last step or after ten seconds is cancelled, and Finished() is false.
class ModalScript {
public:
  using Step = std::function<bool(HWND hDlg)>;
  ModalScript(const char* pszCaption, std::vector<Step> steps);
  ~ModalScript();
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

  bool Seen() const { return m_bSeen; } // the dialog appeared
  bool Finished() const { return m_nNext == m_steps.size(); }

private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::string m_strCaption;
  std::vector<Step> m_steps;
  size_t m_nNext = 0;
  int m_nTicks = 0;
  bool m_bSeen = false;
  bool m_bBusy = false;
  UINT_PTR m_nTimer = 0;
};

// A real left click at the middle of the control (or at a client point of it).
void ClickControl(HWND hCtrl);
void ClickControlAt(HWND hCtrl, POINT ptClient);
std::string WindowText(HWND hWnd);

// Puts the bytes into tips.dat beside the test program (none: no file) for the life of the object
// and puts the file that was there back afterwards.
class TipsFile {
public:
  explicit TipsFile(const std::string* pContent);
  ~TipsFile();
  TipsFile(const TipsFile&) = delete;
  TipsFile& operator=(const TipsFile&) = delete;

private:
  std::string m_strPath;
  std::string m_strSaved;
  bool m_bHadFile = false;
};
