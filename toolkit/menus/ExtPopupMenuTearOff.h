// Tearing a menu off into a floating bar, and the edit fields of in-place menu items.
#pragma once

#include "framework/dlg/fw_ctrl.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

class CExtControlBar;

// The record of one tear-off drag, handed to the receiver with g_nMsgTearOff (wParam its address):
// stage 0 asks for the window that represents the menu, 1 reports each drag step, 2 the end. The
// drag's own loop hooks the tracked window. The window floats in a toolkit floating frame when it is
// a toolkit bar docked in a frame; any other window ends the drag at once.
struct CExtPopupMenuWnd::TEAROFFNOTIFICATON : public CExtHookSink {
  enum Stage : int { STAGE_ASK_WINDOW = 0, STAGE_DRAGGING = 1, STAGE_FINISHED = 2 };
  enum : BYTE { TO_LEFT_ZONE = 0x01, TO_TRANSIENT = 0x02, TO_CANCELLED = 0x04, TO_DONE = 0x08 };

  // The drag in progress; NULL when none.
  static TEAROFFNOTIFICATON* g_pCurrent;

  TEAROFFNOTIFICATON(CExtPopupMenuWnd* pMenu, const POINT& ptStart);
  ~TEAROFFNOTIFICATON() override;

  virtual bool Run();
  virtual bool RunDragLoop();
  virtual void HandleDrag(bool bFinal = false);
  virtual bool IsInTearOffZone(const POINT& ptScreen) const;
  virtual bool IsCurrent() const { return g_pCurrent == this; }
  // Offered every mouse and key message first while the drag runs; true when it handled it.
  virtual bool OnHookMouseMove();
  virtual bool OnHookMouseClick(UINT nMsg);
  virtual bool OnHookKey();
  bool OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                       LPARAM& lParam) override;

  HWND m_hWndCreated = NULL;
  HWND m_hWndMenu = NULL;
  CExtPopupMenuWnd* m_pMenu = NULL;
  HWND m_hWndTracked = NULL;
  CExtControlBar* m_pBar = NULL;
  CPoint m_ptStart;
  int m_cxThreshold = 5, m_cyThreshold = 5;
  CRect m_rcStart;
  CRect m_rcFloatPos;
  BYTE m_nStateBits = 0;
  int m_nStage = STAGE_ASK_WINDOW;

private:
  // Whether the menu window still exists and still belongs to the menu.
  bool IsMenuAlive() const;
  void Notify(int nStage);
  // Runs every queued message; input is offered to the drag first (the tracking hooks do so before
  // it is queued, the loop for what reaches it). False when the thread was told to quit.
  bool PumpQueued();
  bool RouteInput(const MSG& msg);
  bool IsBarVisible() const;
  void ShowBar(bool bShow);
  void FloatBar(const CPoint& ptScreen);
  // The bar's floating frame, NULL while it is docked.
  HWND GetBarFloatingFrame() const;
  void Track(HWND hWnd);
  // Repaints the visible menus of the chain, only those over rcScreen when it is not NULL.
  void RepaintChain(const RECT* prcScreen, bool bDiscardParentShadows, bool bErase);
};

// The edit field of an in-place item: keystrokes validated by the owner, the text committed with
// Enter.
class CExtPopupMenuWnd::CInPlaceEditWnd : public CEdit {
public:
  typedef bool (*PFN_VALIDATE)(LPCSTR lpszText);
  typedef void (*PFN_COMMIT)(LPCSTR lpszText);
  typedef bool (*PFN_FILTER)(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam, DWORD dwCookie);
  enum : BYTE { EDIT_COMMITTED = 0x01 };

  static const UINT& g_nMsgDeleteSelection;
  static const UINT& g_nMsgSelectAll;

  // The record of g_nMsgCreateInplaceEdit (wParam its address, lParam 0): a receiver that makes an
  // edit of its own stores its window in *m_phWndSlot.
  struct CreateRequest_t {
    HWND* m_phWndSlot;
    CWnd* m_pWndParent;
    MENUITEMDATA* m_pItem;
    PFN_VALIDATE m_pfnValidate;
    PFN_COMMIT m_pfnCommit;
    PFN_FILTER m_pfnFilter;
    DWORD m_dwCookie;
    CString* m_pValue;
    RECT m_rcCreate;
  };

  CInPlaceEditWnd(PFN_VALIDATE pfnValidate, PFN_COMMIT pfnCommit, PFN_FILTER pfnFilter, DWORD dwCookie,
                  CString& sValue);
  ~CInPlaceEditWnd() override;

  BOOL Create(CWnd* pWndParent, const RECT& rc, UINT nID = 0);
  void SetSelection(DWORD dwStartEnd, bool bNoScroll = false);

  PFN_VALIDATE m_pfnValidate;
  PFN_COMMIT m_pfnCommit;
  PFN_FILTER m_pfnFilter;
  DWORD m_dwCookie;
  CString& m_sValue;
  CString m_sInitial;
  BYTE m_nEditState = 0;
  // Set for the edits the menu makes: the object goes with its window.
  bool m_bAutoDelete = false;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

private:
  // The menu the edit lies in, NULL when its parent is no popup menu.
  CExtPopupMenuWnd* GetMenu() const;
  void OnEscape();
  void OnEnter();
  // Lets the edit take a key or character, then puts the old text and selection back when the
  // validation rejects the new text.
  LRESULT EditValidated(UINT message, WPARAM wParam, LPARAM lParam);
  void DeleteSelection();
};
