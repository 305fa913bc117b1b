// The toolkit's resizable dialog: child controls anchored to the client area, a minimum size of
// the first size, a size gripper, themed painting, a placement kept in the application's profile
// and the toolkit's system menu. Enter and Esc do not close it when it is embedded as a child.
#pragma once

#include "toolkit/foundation/ExtResDlg.h"
#include "toolkit/controls/ExtWA.h"
#include "toolkit/controls/ExtWS.h"

#include <windows.h>

class CExtResizableDialog : public CExtWA<CExtWS<CExtADLG<CExtResDlg>, 301>> {
  DECLARE_DYNAMIC(CExtResizableDialog)
public:
  typedef CExtWA<CExtWS<CExtADLG<CExtResDlg>, 301>> CExtResizableDialogBase;

  // The flags of the dialog itself.
  enum ResizableDialogFlags : BYTE {
    RDF_SUBCLASSED = 0x01,   // attached to its window; child bars follow the command states
    RDF_UPDATING_BARS = 0x02 // the command states of the child bars are being updated
  };

  CExtResizableDialog();
  explicit CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;
  void PreSubclassWindow() override;
  // A dialog embedded as a child window is not ended by Enter or Esc.
  void OnOK() override;
  void OnCancel() override;

  // Offers a key message to the toolkit control bar that holds this dialog.
  BOOL PreTranslateThroughParentBar(MSG* pMsg);
  // Offers a key message to every toolkit control bar among the dialog's children.
  BOOL PreTranslateThroughChildBars(MSG* pMsg);
  // Updates the command states of the toolkit control bars among the dialog's children.
  void UpdateChildBarsCommandState();

  BYTE m_nDialogFlags;
};
