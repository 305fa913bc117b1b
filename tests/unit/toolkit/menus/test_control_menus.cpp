// Popup menus hosting controls: the input records reaching the control with the let-through flag,
// the undo/redo list's caption and drag-scroll timers, the hosted list's one ending, the calendar menu.
#include "tests/unit/toolkit/menus/menu_input_support.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace {

typedef CExtPopupControlMenuWnd::InputRecord InputRecord;
using menu_paint::CMenuReceiver;
using menu_paint::ReceivedMessage;
using menu_paint::WaitUntil;

// The menus are made only by their run-time classes.
template <class T> std::unique_ptr<T> MakeByClass(CRuntimeClass* pClass) {
  CObject* pObject = pClass->CreateObject();
  return std::unique_ptr<T>(pObject != NULL && pObject->IsKindOf(pClass) ? static_cast<T*>(pObject) : NULL);
}

LPCSTR ControlClass() {
  return AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
}

// Logs every record; answers m_lAnswer, or asks for the let-through when m_bLetThrough is set.
class CLoggingControl : public CWnd {
public:
  std::vector<InputRecord> m_records;
  LRESULT m_lAnswer = 1;
  bool m_bLetThrough = false;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate)
      return CWnd::WindowProc(message, wParam, lParam);
    InputRecord& rec = *reinterpret_cast<InputRecord*>(wParam);
    m_records.push_back(rec);
    if (m_bLetThrough && rec.m_pLetThrough != NULL)
      *rec.m_pLetThrough = 1;
    return m_lAnswer;
  }
  void PostNcDestroy() override { delete this; }
};

class CHostingMenu : public CExtPopupControlMenuWnd {
public:
  HWND CreateHostedControl(CWnd* pWndMenu, const RECT& rc) override {
    m_pControl = new CLoggingControl;
    if (m_pControl->CreateEx(0, ControlClass(), NULL, WS_CHILD | WS_VISIBLE, rc, pWndMenu, 1))
      return m_pControl->m_hWnd;
    delete m_pControl;
    m_pControl = NULL;
    return NULL;
  }
  CLoggingControl* m_pControl = NULL;
};

// Shows the menu at (300, 200) at once, as the tracking will, and waits until it has appeared.
bool ShowHosting(CExtPopupMenuWnd& menu, CWnd* pOwner) {
  return menu_paint::ShowAt(menu, pOwner, CPoint(300, 200), 0, CExtPopupBaseWnd::ANIM_AT_ONCE) &&
         WaitUntil([] { return g_PopupTrackSite.m_pAnimatedMenu == NULL; });
}

// Makes the tracking site report a tracked menu for the life of the object. A tracked menu whose
// window goes is deleted by the site: the test owns these menus, so End hands them back first.
struct ScopedTrackedMenu {
  explicit ScopedTrackedMenu(CExtPopupMenuWnd* pMenu) { g_PopupTrackSite.m_pTrackedMenu = pMenu; }
  ~ScopedTrackedMenu() { End(); }
  void End() { g_PopupTrackSite.m_pTrackedMenu = NULL; }
};

enum class Input { kMove, kPress, kWheel, kKey };

struct RetranslateCase {
  const char* name;
  Input input;
  bool bLetThrough;
  LRESULT lAnswer;
  bool bHandled;
};

class RetranslateTest : public ::testing::TestWithParam<RetranslateCase> {};

TEST_P(RetranslateTest, TheControlGetsTheRecordAndMayLetTheMessageThrough) {
  const RetranslateCase& row = GetParam();
  CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  CHostingMenu menu;
  menu.m_hWndCmdReceiver = receiver.m_hWnd;
  ASSERT_TRUE(ShowHosting(menu, &receiver));
  ASSERT_NE(nullptr, menu.m_pControl);
  EXPECT_EQ(menu.m_rcControl.Size(), CSize(150, 100));
  menu.m_pControl->m_bLetThrough = row.bLetThrough;
  menu.m_pControl->m_lAnswer = row.lAnswer;
  ScopedTrackedMenu tracked(&menu);
  // Over the menu's border, beside the control.
  const CPoint pt(menu.m_rcControl.left - 1, menu.m_rcControl.top + 5);
  MOUSEHOOKSTRUCT hook = {};
  menu.ClientToScreen(&hook.pt);
  bool bNoEat = false;
  const bool bHandled = row.input == Input::kMove ? menu.HandleMouseMove(WM_MOUSEMOVE, pt.x, pt.y, bNoEat)
                        : row.input == Input::kPress
                            ? menu.HandleMouseClick(WM_LBUTTONDOWN, pt.x, pt.y, bNoEat)
                        : row.input == Input::kWheel ? menu.HandleMouseWheel(WM_MOUSEWHEEL, &hook, bNoEat)
                                                     : menu.HandleKeyboard('A', 2, KF_EXTENDED, bNoEat);
  EXPECT_EQ(row.bHandled, bHandled);
  EXPECT_EQ(row.bLetThrough, bNoEat);
  ASSERT_EQ(1u, menu.m_pControl->m_records.size());
  const InputRecord& rec = menu.m_pControl->m_records[0];
  EXPECT_EQ((DWORD)row.input, rec.m_nKind);
  EXPECT_EQ(&menu, rec.m_pMenu);
  EXPECT_NE(nullptr, rec.m_pLetThrough);
  const bool bPointer = row.input == Input::kMove || row.input == Input::kPress,
             bKey = row.input == Input::kKey;
  const DWORD dwFlags = row.input == Input::kPress ? WM_LBUTTONDOWN : bKey ? KF_EXTENDED : 0;
  const UINT nWheel = row.input == Input::kWheel ? WM_MOUSEWHEEL : 0;
  EXPECT_EQ(std::make_tuple(bPointer ? pt : CPoint(0, 0), dwFlags, bKey ? 'A' : 0u, bKey ? 2u : 0u, nWheel,
                            (const MOUSEHOOKSTRUCT*)(nWheel != 0 ? &hook : nullptr)),
            std::make_tuple(CPoint(rec.m_x, rec.m_y), rec.m_nFlagsOrMessage, rec.m_nVirtKey, rec.m_nRepCnt,
                            rec.m_nWheelMessage, rec.m_pMouseHook));
  // Over the control itself the input goes on to it untouched, with no record.
  bNoEat = false;
  const CPoint ptControl = menu.m_rcControl.CenterPoint();
  EXPECT_FALSE(menu.HandleMouseMove(WM_MOUSEMOVE, ptControl.x, ptControl.y, bNoEat));
  EXPECT_TRUE(bNoEat);
  EXPECT_EQ(1u, menu.m_pControl->m_records.size());
  tracked.End();
  menu.DestroyWindow();
  EXPECT_EQ(NULL, menu.m_hWndControl);
  receiver.DestroyWindow();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, RetranslateTest, ::testing::Values(
    RetranslateCase{"move", Input::kMove, false, 0, true},
    RetranslateCase{"move_let_through", Input::kMove, true, 0, false},
    RetranslateCase{"press_used", Input::kPress, false, 1, true},
    RetranslateCase{"press_unused", Input::kPress, false, 0, false},
    RetranslateCase{"press_let_through", Input::kPress, true, 1, false},
    RetranslateCase{"wheel", Input::kWheel, false, 0, true},
    RetranslateCase{"wheel_let_through", Input::kWheel, true, 0, false},
    RetranslateCase{"key_used", Input::kKey, false, 1, true},
    RetranslateCase{"key_unused", Input::kKey, false, 0, false},
    RetranslateCase{"key_let_through", Input::kKey, true, 1, false}), menu_paint::CaseName());
// clang-format on

std::vector<int> g_codes; // the selection callback's codes, in order
bool g_bTakeSelection = false;

bool FillActions(CExtPopupInplaceListBox& list, LPVOID) {
  for (int i = 0; i < 30; i++)
    list.AddString(("Action " + std::to_string(i)).c_str());
  return true;
}

bool OnSelection(CExtPopupInplaceListBox&, LPVOID, int nCode) {
  g_codes.push_back(nCode);
  return g_bTakeSelection;
}

class UndoRedoMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_codes.clear();
    g_bTakeSelection = false;
    // Pointer input beyond the menu reaches a capture only in the foreground thread.
    ASSERT_TRUE(m_receiver.CreateReceiver(CRect(600, 40, 760, 140), true));
    ::SetForegroundWindow(m_receiver.m_hWnd);
    // The pointer away from the list, which would otherwise pick what lies under it.
    ASSERT_TRUE(menu_input::RestPointer(CPoint(20, 900)));
    m_pMenu = MakeByClass<CExtPopupUndoRedoMenuWnd>(RUNTIME_CLASS(CExtPopupUndoRedoMenuWnd));
    ASSERT_EQ(0x50200068u, m_pMenu->m_dwListStyle);
    m_pMenu->m_hWndCmdReceiver = m_receiver.m_hWnd;
    m_pMenu->m_pfnInit = FillActions;
    m_pMenu->m_pfnSelection = OnSelection;
    ASSERT_TRUE(ShowHosting(*m_pMenu, &m_receiver));
    m_pList = DYNAMIC_DOWNCAST(CExtPopupUndoRedoListBox, CWnd::FromHandlePermanent(m_pMenu->m_hWndControl));
    ASSERT_NE(nullptr, m_pList);
    ASSERT_EQ(30, m_pList->GetCount());
  }
  void TearDown() override {
    m_pMenu->DestroyWindow();
    m_pMenu.reset();
    m_receiver.DestroyWindow();
  }
  CPoint ItemCenter(int nIndex) {
    CRect rc;
    m_pList->GetItemRect(nIndex, rc);
    m_pList->ClientToScreen(rc);
    return rc.CenterPoint();
  }
  int Sent(UINT nMsg) const { return m_receiver.Count(nMsg); }

  CMenuReceiver m_receiver;
  std::unique_ptr<CExtPopupUndoRedoMenuWnd> m_pMenu;
  CExtPopupUndoRedoListBox* m_pList = NULL;
};

TEST_F(UndoRedoMenuTest, TheCaptionCountsTheRunFromTheFirstItemToTheOneUnderThePointer) {
  EXPECT_STREQ("Undo 0 Actions", (LPCSTR)m_pMenu->GetCaptionText());
  EXPECT_EQ(m_pMenu->m_rcControl.bottom, m_pMenu->m_rcCaption.top);
  EXPECT_EQ(24, m_pMenu->m_rcCaption.Height());
  menu_input::MoveTo(ItemCenter(2));
  ASSERT_TRUE(WaitUntil([&] { return m_pMenu->m_nSelectedCount == 3; }));
  EXPECT_STREQ("Undo 3 Actions", (LPCSTR)m_pMenu->GetCaptionText());
  for (int i = 0; i < 5; i++)
    EXPECT_EQ(i <= 2, m_pList->GetSel(i) > 0) << i;
  EXPECT_EQ(0, Sent(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
  m_pList->SelectUpTo(0);
  EXPECT_STREQ("Undo 1 Actions", (LPCSTR)m_pMenu->GetCaptionText());
}

TEST_F(UndoRedoMenuTest, DraggingBelowTheListScrollsWithTheTimerOfTheDistanceAndTheReleaseEndsWithOK) {
  CRect rcList;
  m_pList->GetClientRect(rcList);
  m_pList->ClientToScreen(rcList);
  menu_input::MoveTo(ItemCenter(1));
  menu_input::Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return ::GetCapture() == m_pList->m_hWnd; }));
  const struct {
    int nBelow;
    UINT nPeriod;
  } steps[] = {{25, 200}, {45, 50}, {5, 500}};
  for (const auto& step : steps) {
    menu_input::MoveTo(CPoint(rcList.CenterPoint().x, rcList.bottom - 1 + step.nBelow));
    EXPECT_TRUE(WaitUntil([&] {
      return m_pList->m_nTimerState == CExtPopupUndoRedoListBox::TIMER_DOWN_RUNS &&
             m_pList->m_nPeriodDown == step.nPeriod;
    })) << step.nBelow
        << " px below: " << m_pList->m_nPeriodDown;
  }
  EXPECT_TRUE(WaitUntil([&] { return m_pList->GetTopIndex() > 0; })) << "the timers scroll the list";
  menu_input::Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return Sent(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK) == 1; }));
  EXPECT_EQ(0, m_pList->m_nTimerState);
  EXPECT_EQ(m_pList->GetSelCount(), m_pMenu->m_nSelectedCount);
  EXPECT_EQ(CExtPopupInplaceListBox::SEL_OK, g_codes.back());
}

struct EndingCase {
  const char* name;
  bool bDestroy; // the menu goes without a choice, else Escape reaches the list
  bool bCallbackTakes;
  int nCancelMessages;
};

class HostedListEndingTest : public UndoRedoMenuTest, public ::testing::WithParamInterface<EndingCase> {};

TEST_P(HostedListEndingTest, AListEndsOnceAndTheReceiverHearsOfACancelOnlyWhenTheCallbackLeavesIt) {
  g_bTakeSelection = GetParam().bCallbackTakes;
  m_pMenu->m_dwControlFlags = 0; // Escape goes to the list
  ScopedTrackedMenu tracked(m_pMenu.get());
  bool bNoEat = false;
  for (int i = 0; i < 2; i++) // the second time finds the list ended
    GetParam().bDestroy ? (tracked.End(), (void)m_pMenu->DestroyWindow())
                        : (void)m_pMenu->HandleKeyboard(VK_ESCAPE, 1, 0, bNoEat);
  EXPECT_EQ(std::vector<int>{CExtPopupInplaceListBox::SEL_CANCEL}, g_codes);
  EXPECT_EQ(GetParam().nCancelMessages, Sent(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel));
  EXPECT_EQ(0, Sent(CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK));
}

INSTANTIATE_TEST_SUITE_P(Callback, HostedListEndingTest,
                         ::testing::Values(EndingCase{"escape_taken", false, true, 0},
                                           EndingCase{"escape_left", false, false, 1},
                                           EndingCase{"destroyed_without_a_choice", true, false, 0}),
                         menu_paint::CaseName());

TEST(ScrollTimerInterval, ThePeriodFollowsTheDistanceOnEitherSide) {
  const struct {
    int nDistance;
    UINT nPeriod;
  } rows[] = {{0, 500}, {9, 500},  {10, 300},  {25, 200}, {39, 100},
              {45, 50}, {400, 50}, {-25, 200}, {-45, 50}, {-5, 500}};
  for (const auto& row : rows)
    EXPECT_EQ(row.nPeriod, GetScrollTimerInterval(row.nDistance)) << row.nDistance;
}

TEST(PopupListBox, HeldBelowTheListItStepsNoFurtherThanTheLastItem) {
  CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver(CRect(600, 40, 760, 140), true));
  ::SetForegroundWindow(receiver.m_hWnd);
  CExtPopupInplaceListBox* pList = new CExtPopupInplaceListBox;
  pList->m_bAutoDelete = true;
  pList->m_pfnInit = FillActions;
  pList->m_pfnSelection = OnSelection;
  ASSERT_TRUE(pList->CreateEx(0, "LISTBOX", NULL, WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS,
                              CRect(0, 0, 160, 60), &receiver, 1));
  const int nLast = pList->GetCount() - 1;
  pList->SetTopIndex(nLast);
  CRect rcItem, rcList;
  pList->GetItemRect(nLast, rcItem);
  pList->ClientToScreen(rcItem);
  pList->GetWindowRect(rcList);
  menu_input::MoveTo(rcItem.CenterPoint());
  ASSERT_TRUE(WaitUntil([&] { return pList->GetCurSel() == nLast; }));
  menu_input::Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return ::GetCapture() == pList->m_hWnd; }));
  g_codes.clear();
  menu_input::MoveTo(CPoint(rcItem.CenterPoint().x, rcList.bottom + 20));
  menu_input::Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return ::GetCapture() == NULL; }));
  EXPECT_EQ(nLast, pList->GetCurSel()) << "never one past the last item";
  EXPECT_TRUE(g_codes.empty()) << "the selection did not change";
  receiver.DestroyWindow();
}

bool g_bTakeDate = false;
std::vector<WPARAM> g_dates;
CExtDatePickerWnd::SELECTION_NOTIFICATION g_lastRecord;
bool OnDate(WPARAM wParam, LPVOID) {
  g_dates.push_back(wParam);
  if (wParam > 0xFFFF)
    g_lastRecord = *reinterpret_cast<const CExtDatePickerWnd::SELECTION_NOTIFICATION*>(wParam);
  return g_bTakeDate;
}

TEST(DatePickerMenu, TheCalendarIsSizedMadeFedKeysAndItsSelectionPassedOn) {
  CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  CRuntimeClass* const pDefaultClass = CExtPopupDatePickerMenuWnd::g_pCalendarClass;
  EXPECT_EQ(RUNTIME_CLASS(CExtPopupInplaceDatePicker), pDefaultClass) << "the menus host the real calendar";
  CExtPopupDatePickerMenuWnd::g_pCalendarClass = NULL;
  CExtPopupDatePickerMenuWnd none;
  EXPECT_FALSE(none.CreateMenuWindow(&receiver));
  EXPECT_EQ(NULL, none.m_hWnd) << "no calendar, no menu";
  CExtPopupDatePickerMenuWnd::g_pCalendarClass = pDefaultClass;
  std::unique_ptr<CExtPopupDatePickerMenuWnd> pMenu =
      MakeByClass<CExtPopupDatePickerMenuWnd>(RUNTIME_CLASS(CExtPopupDatePickerMenuWnd));
  // The menu is as big as one month of the calendar in the menu's style, buttons included.
  CExtDatePickerWnd measure;
  measure.ModifyDatePickerStyle((DWORD)-1, pMenu->m_dwCalendarStyle, false);
  const CSize sizeMonth = measure.CalcSizeForDimension(CSize(1, 1));
  EXPECT_EQ(sizeMonth, CSize(pMenu->m_nControlWidth, pMenu->m_nControlHeight));
  EXPECT_LT(measure.CalcSizeForDimension(CSize(1, 1)).cy, measure.CalcSizeForDimension(CSize(1, 2)).cy);
  EXPECT_EQ(0x52000000u, pMenu->m_dwCalendarWindowStyle);
  pMenu->m_hWndCmdReceiver = receiver.m_hWnd;
  pMenu->m_lParamCookie = 77;
  pMenu->m_pfnSelection = OnDate;
  ASSERT_TRUE(ShowHosting(*pMenu, &receiver));
  CExtPopupInplaceDatePicker* pCalendar =
      DYNAMIC_DOWNCAST(CExtPopupInplaceDatePicker, CWnd::FromHandlePermanent(pMenu->m_hWndControl));
  ASSERT_NE(nullptr, pCalendar);
  EXPECT_EQ(7703u, pCalendar->GetDatePickerStyle());
  EXPECT_EQ(-1, pCalendar->GetDlgCtrlID());
  const ReceivedMessage* pInit = receiver.Find(CExtPopupInplaceDatePicker::g_nMsgPopupDatePickerInitContent);
  ASSERT_NE(nullptr, pInit);
  EXPECT_EQ((WPARAM)pCalendar, pInit->wParam);
  EXPECT_EQ(77, pInit->lParam);
  EXPECT_EQ(MA_NOACTIVATE, pCalendar->SendMessage(WM_MOUSEACTIVATE, (WPARAM)pMenu->m_hWnd, 0));

  // A key the menu passes on moves the calendar's selection, which starts from today, and the
  // calendar's one notification reaches the menu's selection callback, not yet final.
  ScopedTrackedMenu tracked(pMenu.get());
  g_dates.clear();
  g_bTakeDate = true;
  const COleDateTime dtToday = COleDateTime::GetCurrentTime();
  bool bNoEat = false;
  EXPECT_TRUE(pMenu->HandleKeyboard(VK_RIGHT, 1, 0, bNoEat));
  EXPECT_FALSE(bNoEat) << "the calendar took the key and cleared the let-through";
  COleDateTime dtBegin, dtEnd;
  pCalendar->SelectionGet(dtBegin, dtEnd);
  COleDateTime dtTomorrow;
  dtTomorrow.SetDate(dtToday.GetYear(), dtToday.GetMonth(), dtToday.GetDay());
  dtTomorrow += COleDateTimeSpan(1, 0, 0, 0);
  EXPECT_EQ(dtTomorrow, dtBegin);
  EXPECT_EQ(dtTomorrow, dtEnd);
  ASSERT_EQ(1u, g_dates.size());
  EXPECT_EQ(dtTomorrow, g_lastRecord.m_dtEnd);
  EXPECT_EQ(77, g_lastRecord.m_lParamCookie);
  EXPECT_FALSE(g_lastRecord.IsFinal()) << "in a menu the keys do not finish the choice";
  EXPECT_EQ(pCalendar->m_hWnd, g_lastRecord.m_hWndDatePicker);
  MOUSEHOOKSTRUCT hook = {};
  EXPECT_TRUE(pMenu->HandleMouseWheel(WM_MOUSEWHEEL, &hook, bNoEat)) << "the wheel is eaten";

  g_dates.clear();
  for (bool bTake : {true, false}) {
    g_bTakeDate = bTake;
    const int nBefore = receiver.Count(CExtDatePickerWnd::g_nMsgSelectionNotification);
    pCalendar->GetParent()->SendMessage(CExtDatePickerWnd::g_nMsgSelectionNotification, 5, 0);
    EXPECT_EQ(bTake ? 0 : 1, receiver.Count(CExtDatePickerWnd::g_nMsgSelectionNotification) - nBefore);
  }
  EXPECT_EQ((std::vector<WPARAM>{5, 5}), g_dates);
  tracked.End();
  pMenu->DestroyWindow();
  receiver.DestroyWindow();
}

} // namespace
