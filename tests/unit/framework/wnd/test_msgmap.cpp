// Message maps decode each handler family's arguments, look registered ids up when a message
// arrives, dispatch virtual handlers virtually and reach handlers of classes with a mix-in base.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string g_last;

template <typename... A> void Record(const char* name, A... args) {
  std::ostringstream os;
  os << name;
  ((os << ' ' << args), ...);
  g_last = os.str();
}

// Registered before the map is used but after the map's table exists.
UINT g_nLateMessage = 0;

class CDecodeWnd : public CWnd {
protected:
  afx_msg void OnSize(UINT t, int cx, int cy) { Record("size", t, cx, cy); }
  afx_msg void OnMove(int x, int y) { Record("move", x, y); }
  afx_msg void OnLButtonDown(UINT f, CPoint p) { Record("lbd", f, p.x, p.y); }
  afx_msg void OnNcLButtonDown(UINT h, CPoint p) { Record("nclbd", h, p.x, p.y); }
  afx_msg BOOL OnMouseWheel(UINT f, short z, CPoint p) {
    Record("wheel", f, z, p.x, p.y);
    return TRUE;
  }
  afx_msg void OnKeyDown(UINT c, UINT r, UINT f) { Record("key", c, r, f); }
  afx_msg void OnTimer(UINT id) { Record("timer", id); }
  afx_msg void OnShowWindow(BOOL b, UINT s) { Record("show", b, s); }
  afx_msg void OnActivate(UINT s, CWnd* pOther, BOOL bMin) {
    Record("activate", s, pOther != NULL ? "wnd" : "null", bMin);
  }
  afx_msg void OnSysCommand(UINT id, LPARAM l) { Record("syscmd", id, l); }
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint p) {
    Record("ctx", pWnd == this ? "self" : "other", p.x, p.y);
  }
  afx_msg UINT OnGetDlgCode() {
    Record("dlgcode");
    return DLGC_WANTARROWS;
  }
  afx_msg void OnSettingChange(UINT f, LPCSTR s) { Record("setting", f, s != NULL ? s : "null"); }
  afx_msg int OnMouseActivate(CWnd*, UINT hit, UINT msg) {
    Record("mouseact", hit, msg);
    return MA_NOACTIVATE;
  }
  afx_msg LRESULT OnUser(WPARAM w, LPARAM l) {
    Record("user", w, l);
    return 77;
  }
  afx_msg LRESULT OnLate(WPARAM w, LPARAM l) {
    Record("late", w, l);
    return 55;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDecodeWnd, CWnd)
ON_WM_SIZE()
ON_WM_MOVE()
ON_WM_LBUTTONDOWN()
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

struct DecodeCase {
  UINT msg;
  WPARAM w;
  LPARAM l;
  const char* expected;
  LRESULT result; // -1: not checked
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {
protected:
  static void SetUpTestSuite() {
    s_wnd = new CDecodeWnd;
    s_wnd->CreateEx(0, NULL, "decode", WS_POPUP, 0, 0, 50, 50, NULL, NULL);
  }
  static void TearDownTestSuite() {
    s_wnd->DestroyWindow();
    delete s_wnd;
  }
  static CDecodeWnd* s_wnd;
};
CDecodeWnd* DecodeTest::s_wnd = NULL;

TEST_P(DecodeTest, HandlerGetsDecodedArguments) {
  const DecodeCase& c = GetParam();
  g_last.clear();
  LRESULT r = s_wnd->SendMessage(c.msg, c.w, c.l);
  EXPECT_EQ(c.expected, g_last);
  if (c.result != -1)
    EXPECT_EQ(c.result, r);
}

INSTANTIATE_TEST_SUITE_P(
    Families, DecodeTest,
    ::testing::Values(DecodeCase{WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 45), "size 0 120 45", -1},
                      DecodeCase{WM_MOVE, 0, MAKELPARAM((WORD)-5, 9), "move -5 9", -1},
                      DecodeCase{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(3, 4), "lbd 5 3 4", -1},
                      DecodeCase{WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM((WORD)-20, 700), "nclbd 2 -20 700",
                                 -1},
                      DecodeCase{WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)-120), MAKELPARAM(10, 11),
                                 "wheel 8 -120 10 11", 1},
                      DecodeCase{WM_KEYDOWN, VK_LEFT, MAKELPARAM(3, 0x14B), "key 37 3 331", -1},
                      DecodeCase{WM_TIMER, 42, 0, "timer 42", -1},
                      DecodeCase{WM_SHOWWINDOW, TRUE, SW_PARENTOPENING, "show 1 3", -1},
                      DecodeCase{WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, 1), 0, "activate 2 null 1", -1},
                      DecodeCase{WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(5, 6), "syscmd 61536 393221", -1},
                      DecodeCase{WM_GETDLGCODE, 0, 0, "dlgcode", DLGC_WANTARROWS},
                      DecodeCase{WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, "setting 47 null", -1},
                      DecodeCase{WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN), "mouseact 1 513",
                                 MA_NOACTIVATE},
                      DecodeCase{WM_APP + 1, 7, 8, "user 7 8", 77}));

TEST(MessageMaps, RegisteredIdAssignedAfterTheMapIsDispatched) {
  CDecodeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "late", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  // Until the id is known the entry matches nothing.
  g_last.clear();
  wnd.SendMessage(0xC000, 1, 2);
  EXPECT_EQ("", g_last);
  g_nLateMessage = ::RegisterWindowMessageA("FwLab::LateMessage");
  ASSERT_NE(0u, g_nLateMessage);
  EXPECT_EQ(55, wnd.SendMessage(g_nLateMessage, 3, 4));
  EXPECT_EQ("late 3 4", g_last);
  wnd.DestroyWindow();
}

TEST(MessageMaps, ContextMenuCarriesTheWindowAndScreenPoint) {
  CDecodeWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "ctx", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  wnd.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(wnd.m_hWnd), MAKELPARAM(300, (WORD)-2));
  EXPECT_EQ("ctx self 300 -2", g_last);
  wnd.DestroyWindow();
}

// A template layer with its own map, as toolkit mix-in templates use.
template <class BASE> class CLayer : public BASE {
protected:
  afx_msg LRESULT OnLayer(WPARAM w, LPARAM) {
    Record("layer", w);
    return 1;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_TEMPLATE_MESSAGE_MAP(CLayer, BASE, BASE)
ON_MESSAGE(WM_APP + 2, OnLayer)
END_MESSAGE_MAP()

class CLayered : public CLayer<CDecodeWnd> {};

TEST(MessageMaps, TemplateLayerMapChainsToItsBase) {
  CLayered wnd;
  ASSERT_TRUE(wnd.CreateEx(0, NULL, "layer", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(1, wnd.SendMessage(WM_APP + 2, 9, 0));
  EXPECT_EQ("layer 9", g_last);
  EXPECT_EQ(77, wnd.SendMessage(WM_APP + 1, 1, 2)); // the base class map still answers
  wnd.DestroyWindow();
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
  LRESULT r = wnd.SendMessage(WM_APP + 3, 4, 0);
  EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<CSinkWnd*>(&wnd)), r);
  EXPECT_EQ(70, wnd.m_nSeen);
  wnd.DestroyWindow();
}

} // namespace
