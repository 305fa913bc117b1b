// Window subclassing for toolkit objects that must see the messages of a window they do not own
// (the menu bar watching its frame, the MDI tabs watching the MDI client). Every hooked window has
// one chain of sinks; the window is subclassed once, when its chain is made, and gets its previous
// procedure back when it is destroyed. The mouse-capture sink routes capture through one
// overridable operation.
#pragma once

#include "framework/core/fw_coll.h"

#include <windows.h>

class CExtHookSink {
public:
  // Chain order: the first sink sees a message first.
  class HookSinkArray_t : public CArray<CExtHookSink*, CExtHookSink*> {};

  // The sinks of one hooked window and the procedure the window had before the chain took over.
  class HookChains_t {
  public:
    enum : BYTE {
      CHAIN_SKIP_PREV_PROC_ON_NCDESTROY = 0x01,
    };

    // Subclasses the window; m_pfnPrevWndProc stays NULL when the window cannot be subclassed.
    explicit HookChains_t(HWND hWndHooked);
    HookChains_t(const HookChains_t&) = delete;
    HookChains_t& operator=(const HookChains_t&) = delete;

    LRESULT ProcessMessage(UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    // Releases the auto-delete sinks, empties the chain and gives the window its procedure back.
    void DestroyChain(bool bDelete);

    INT_PTR FindSink(const CExtHookSink* pSink) const;

    BYTE m_nFlags = 0;
    HookSinkArray_t m_arrSinks;
    HWND m_hWnd;
    WNDPROC m_pfnPrevWndProc;

  private:
    bool m_bDestroyed = false; // the window went away while one of its messages was still running
  };

  // Window handle -> owned chain, for every hooked window of the process.
  class HookChainsMap_t : public CMap<HWND, HWND, HookChains_t*, HookChains_t*> {
  public:
    HookChainsMap_t();
    ~HookChainsMap_t() override;
  };

  enum : BYTE {
    SINK_ROUTE_SINGLE_MESSAGES = 0x01, // the base OnWindowMessage calls OnCommand, OnPaint and the like
    SINK_TAKES_NCDESTROY = 0x02,       // the window's previous procedure does not see WM_NCDESTROY
  };

  explicit CExtHookSink(bool bRouteSingleMessages = true);
  // Detaches the sink from every window still hooking it, so that no chain keeps a dead sink.
  virtual ~CExtHookSink();
  CExtHookSink(const CExtHookSink&) = delete;
  CExtHookSink& operator=(const CExtHookSink&) = delete;

  // True: the sink is deleted when it is detached from a window or its window is destroyed.
  virtual bool IsAutoDelete() const;
  // The previous procedure of the window whose message is being processed, for that message.
  virtual LRESULT CallOriginalProc(WPARAM wParam, LPARAM lParam);
  virtual LRESULT CallOriginalProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
  virtual LRESULT CallOriginalProc();
  // Sees every message of a hooked window before the window does; true ends the message with
  // lResult. wParam and lParam may be changed for the sinks and the procedure that follow.
  virtual bool OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                               LPARAM& lParam);
  virtual bool OnCommand(LRESULT& lResult, HWND hWndHooked, UINT nNotifyCode, UINT nCmdId, HWND hWndCtrl);
  virtual bool OnNotify(LRESULT& lResult, HWND hWndHooked, WPARAM wParam, NMHDR* pNMHDR);
  virtual bool OnPaint(LRESULT& lResult, HWND hWndHooked, WPARAM wParam, LPARAM lParam);
  virtual bool OnEraseBackground(LRESULT& lResult, HWND hWndHooked, WPARAM wParam, LPARAM lParam);
  virtual bool OnPrint(LRESULT& lResult, HWND hWndHooked, WPARAM wParam, LPARAM lParam);
  virtual bool OnNcPaint(LRESULT& lResult, HWND hWndHooked, WPARAM wParam, LPARAM lParam);
  virtual void OnNcDestroy();
  virtual void OnAttached(HWND hWndHooked);
  virtual void OnDetached(HWND hWndHooked);
  // Attaches the sink to the window's chain (at the front with bAddToHead) or detaches it.
  // False for a NULL window, or when attaching to a window that does not exist or cannot be
  // subclassed.
  virtual bool HookWindow(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
  virtual void UnhookAllWindows();

  bool IsWindowHooked(HWND hWnd) const;
  // Appends every window whose chain holds this sink.
  void CollectHookedWindows(CList<HWND, HWND>& listHookedWindows) const;

protected:
  BYTE m_nSinkFlags;
};

extern CExtHookSink::HookChainsMap_t g_HookChainsMap;

class CExtMouseCaptureSink {
public:
  // Answers the window that had the capture before.
  virtual HWND SetCapture(HWND hWnd);
  static HWND GetCapture();
  static BOOL ReleaseCapture();

protected:
  // A second base: objects are deleted through their window class, never through this one.
  ~CExtMouseCaptureSink() = default;
};
