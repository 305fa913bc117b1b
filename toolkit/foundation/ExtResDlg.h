// The toolkit's dialog base: templates and dialog-initialisation data come through the resource
// manager, hooks may replace the template, and the template's font is brought into line with the
// system's dialog font before every creation.
#pragma once

#include "framework/dlg/fw_dlg.h"

#include <windows.h>

#include <string>

class CExtResDlg : public CDialog {
  DECLARE_DYNAMIC(CExtResDlg)
public:
  CExtResDlg();
  explicit CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
  ~CExtResDlg() override;

  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) override;
  // Remembers the name, so that OnInitDialog runs the dialog-initialisation data of the same name.
  BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = NULL) override;
  BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
                      void* lpDialogInit = NULL) override;
  BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL) override;
  // Remembers the template name and runs DoModalImpl; -1 when there is no template.
  INT_PTR DoModal() override;
  // Runs the dialog-initialisation data once (WM_INITIALUPDATE then reaches every direct child
  // once), then the data exchange; either failing ends the dialog with -1.
  BOOL OnInitDialog() override;

  // The template the dialog is made from: the resource manager's or the theme's replacement, or
  // pTemplate itself, with "MS Sans Serif" and "MS Shell Dlg" at the property-sheet font's size
  // given that font's face. A changed template is made in adjusted.
  virtual const DLGTEMPLATE* OnAdjustDialogTemplate(const DLGTEMPLATE* pTemplate, CDialogTemplate& adjusted);
  // The modal run: the template found through the resource manager, the owner disabled while the
  // dialog runs, the toolkit's modal loop.
  virtual INT_PTR DoModalImpl();
  // Whether this dialog takes the right-to-left layout when the resource manager reports it.
  virtual bool OnQueryAutomaticRTLTransform() const;

  // The font the common controls give property sheets (the font of their dialog 1006), found on
  // the first request that succeeds and kept; false when the library is not loaded or has none.
  static bool GetPropertySheetFont(CString& strFaceName, WORD& nPointSize);

  // The current theme's template hook (the same form as the resource manager's); none until the
  // theme engine installs one.
  typedef const DLGTEMPLATE*(AFXAPI* PFN_THEME_TEMPLATE_HOOK)(const DLGTEMPLATE* pTemplate, CWnd* pDlg,
                                                              WPARAM wParam, LPARAM lParam);
  static PFN_THEME_TEMPLATE_HOOK g_pfnThemeTemplateHook;

protected:
  // Every creation ends here: the template is adjusted, given the system font when it has none (or
  // a double-byte system would draw its face badly), laid out right to left when asked, and made.
  BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) override;
  // Runs dialog-initialisation records from p, reading at most cb bytes: records of control id
  // (16-bit, 0 ends), message (16-bit), data length (32-bit) and data. The end of the data ends the
  // records as a zero id does; a record cut short by it, or an item a control refuses, ends the run
  // with FALSE. After a complete run WM_INITIALUPDATE goes to the direct children.
  static BOOL ExecuteDlgInitData(CWnd* pWnd, const BYTE* p, size_t cb);

private:
  // The data of the remembered template name, found through the resource manager (or the data
  // given with an in-memory template), run once.
  BOOL RunDlgInit();
  void RememberTemplateName(LPCSTR lpszTemplateName);

  LPCSTR m_lpszInitTemplateName;     // name or MAKEINTRESOURCE id whose data OnInitDialog runs
  std::string m_strInitTemplateName; // keeps a string name alive
};
