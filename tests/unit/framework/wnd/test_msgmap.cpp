// Message maps decode each handler family's arguments, look registered ids up when a message
// arrives, chain template layers to their base, dispatch virtual handlers virtually and reach
// handlers of classes with a mix-in base.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace {

std::string g_last;

// Notes the handler's name and arguments, and answers r.
template <typename R, typename... A> R Record(R r, const char* name, A... args) {
  std::ostringstream os;
  os << name;
  ((os << ' ' << args), ...);
  g_last = os.str();
  return r;
}

// Registered before the map is used but after the map's table exists.
UINT g_nLateMessage = 0;

class CDecodeWnd : public CWnd {
protected:
  afx_msg void OnSize(UINT t, int cx, int cy) { Record(0, "size", t, cx, cy); }
  afx_msg void OnMove(int x, int y) { Record(0, "move", x, y); }
  afx_msg void OnNcLButtonDown(UINT h, CPoint p) { Record(0, "nclbd", h, p.x, p.y); }
  afx_msg BOOL OnMouseWheel(UINT f, short z, CPoint p) { return Record(TRUE, "wheel", f, z, p.x, p.y); }
  afx_msg void OnKeyDown(UINT c, UINT r, UINT f) { Record(0, "key", c, r, f); }
  afx_msg void OnTimer(UINT id) { Record(0, "timer", id); }
  afx_msg void OnShowWindow(BOOL b, UINT s) { Record(0, "show", b, s); }
  afx_msg void OnActivate(UINT s, CWnd* w, BOOL m) { Record(0, "activate", s, w ? "wnd" : "null", m); }
  afx_msg void OnSysCommand(UINT id, LPARAM l) { Record(0, "syscmd", id, l); }
  afx_msg void OnContextMenu(CWnd* w, CPoint p) { Record(0, "ctx", w == this ? "self" : "other", p.x, p.y); }
  afx_msg UINT OnGetDlgCode() { return Record<UINT>(DLGC_WANTARROWS, "dlgcode"); }
  afx_msg void OnSettingChange(UINT f, LPCSTR s) { Record(0, "setting", f, s != NULL ? s : "null"); }
  afx_msg int OnMouseActivate(CWnd*, UINT h, UINT m) { return Record(MA_NOACTIVATE, "mouseact", h, m); }
  afx_msg LRESULT OnUser(WPARAM w, LPARAM l) { return Record<LRESULT>(77, "user", w, l); }
  afx_msg LRESULT OnLate(WPARAM w, LPARAM l) { return Record<LRESULT>(55, "late", w, l); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDecodeWnd, CWnd)
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_NCLBUTTONDOWN()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_WM_TIMER()
ON_WM_SHOWWINDOW()
ON_WM_ACTIVATE()
ON_WM_SYSCOMMAND()
ON_WM_CONTEXTMENU()
ON_WM_GETDLGCODE()
ON_WM_SETTINGCHANGE()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_APP + 1, OnUser)
ON_REGISTERED_MESSAGE(g_nLateMessage, OnLate)
END_MESSAGE_MAP()

// A template layer with its own map, as toolkit mix-in templates use.
template <class BASE> class CLayer : public BASE {
protected:
  afx_msg LRESULT OnLayer(WPARAM w, LPARAM) { return Record<LRESULT>(1, "layer", w); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CLayer, BASE, BASE)
ON_MESSAGE(WM_APP + 2, OnLayer)
END_MESSAGE_MAP()

TEST(MessageMaps, HandlersGetDecodedArgumentsThroughATemplateLayer) {
  CLayer<CDecodeWnd> wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "decode", WS_POPUP, 0, 0, 50, 50, NULL, NULL));
  const WPARAM self = reinterpret_cast<WPARAM>(wnd.m_hWnd);
  const LRESULT unchecked = -1;
  // The message, its arguments, what the handler noted and what it answered.
  const std::tuple<UINT, WPARAM, LPARAM, const char*, LRESULT> cases[] = {
      {WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 45), "size 0 120 45", unchecked},
      {WM_MOVE, 0, MAKELPARAM((WORD)-5, 9), "move -5 9", unchecked},
      {WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM((WORD)-20, 700), "nclbd 2 -20 700", unchecked},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)-120), MAKELPARAM(10, 11), "wheel 8 -120 10 11", 1},
      {WM_KEYDOWN, VK_LEFT, MAKELPARAM(3, 0x14B), "key 37 3 331", unchecked},
      {WM_TIMER, 42, 0, "timer 42", unchecked},
      {WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3", unchecked},
      {WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, "activate 2 null 1", unchecked},
      {WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(5, 6), "syscmd 61536 393221", unchecked},
      {WM_CONTEXTMENU, self, MAKELPARAM(300, (WORD)-2), "ctx self 300 -2", unchecked},
      {WM_GETDLGCODE, 0, 0, "dlgcode", DLGC_WANTARROWS},
      {WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, "setting 47 null", unchecked},
      {WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN), "mouseact 1 513", MA_NOACTIVATE},
      {WM_APP + 1, 7, 8, "user 7 8", 77}, // the base class map still answers under the layer
      {WM_APP + 2, 9, 0, "layer 9", 1},
      {0xC000, 1, 2, "", unchecked}, // until the registered id is known its entry matches nothing
  };
  for (auto [msg, w, l, expected, result] : cases) {
    g_last.clear();
    LRESULT r = wnd.SendMessage(msg, w, l);
    EXPECT_EQ(expected, g_last) << msg;
    if (result != unchecked)
      EXPECT_EQ(result, r) << expected;
  }
  g_nLateMessage = ::RegisterWindowMessageA("FwLab::LateMessage");
  EXPECT_EQ(55, wnd.SendMessage(g_nLateMessage, 3, 4));
  EXPECT_EQ("late 3 4", g_last);
}

// A field-less second base, like the toolkit's sinks.
struct CSink {
  virtual ~CSink() = default;
  virtual int SinkValue() const { return 3; }
};

class CSinkWnd : public CWnd, public CSink {
public:
  int m_nSeen = 0;
  virtual void Handle(int n) { m_nSeen = n; }

protected:
  afx_msg LRESULT OnPing(WPARAM w, LPARAM) {
    Handle((int)w + SinkValue());
    return (LRESULT)this;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSinkWnd, CWnd)
ON_MESSAGE(WM_APP + 3, OnPing)
END_MESSAGE_MAP()

class CSinkWndDerived : public CSinkWnd {
public:
  void Handle(int n) override { m_nSeen = n * 10; }
};

TEST(MessageMaps, MixInClassesGetTheRightThisAndVirtualDispatch) {
  CSinkWndDerived wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "sink", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<CSinkWnd*>(&wnd)), wnd.SendMessage(WM_APP + 3, 4, 0));
  EXPECT_EQ(70, wnd.m_nSeen);
}

} // namespace
