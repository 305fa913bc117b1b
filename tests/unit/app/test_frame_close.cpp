// The main frame's close: the hot key kept when the user gives up the close, and the place stored
// from the restored window whatever its state.
#include <gtest/gtest.h>

#include "app/FramletApp.h"
#include "resources/resource.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/frame_support.h"

namespace {

// Whether Ctrl+Q is free for another window: it is not while the frame holds it.
bool HotKeyIsFree() {
  if (!::RegisterHotKey(NULL, 0x7F00, MOD_CONTROL, 'Q'))
    return false;
  ::UnregisterHotKey(NULL, 0x7F00);
  return true;
}

TEST_F(MainFrameTest, ACloseGivenUpAtTheSavePromptKeepsTheHotKey) {
  SetOptionValue("EnableHotkey", 1);
  CMultiDocTemplate* pTemplate = ImageDocTemplate(); // the close asks about its documents
  ASSERT_NE(nullptr, MakeFrame());
  EXPECT_FALSE(HotKeyIsFree());
  CDocument* pDoc = pTemplate->OpenDocumentFile(NULL);
  ASSERT_NE(nullptr, pDoc);
  pDoc->SetModifiedFlag(TRUE);
  MessageBoxRecorder boxes;
  MessageBoxRecorder::s_nAnswer = IDCANCEL;
  m_pFrame->SendMessage(WM_CLOSE);
  MessageBoxRecorder::s_nAnswer = IDOK;
  ASSERT_TRUE(::IsWindow(m_pFrame->GetSafeHwnd()));
  EXPECT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_FALSE(HotKeyIsFree());
  pDoc->SetModifiedFlag(FALSE);
  m_pFrame->SendMessage(WM_CLOSE); // closes for good and lets the hot key go
  EXPECT_TRUE(HotKeyIsFree());
  m_pFrame = nullptr;
}

TEST_F(MainFrameTest, TheStoredPlaceIsTheRestoredWindowsEvenWhenMaximised) {
  ASSERT_NE(nullptr, MakeFrame());
  m_pFrame->MoveWindow(60, 40, 700, 650);
  m_pFrame->ShowWindow(SW_MAXIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return m_pFrame->IsZoomed() != FALSE; }));
  m_pFrame->SendMessage(WM_CLOSE);
  m_pFrame = nullptr;
  static const struct {
    const char* pszName;
    int nValue;
  } kPlace[] = {{"cs_x", 60}, {"cs_y", 40}, {"cs_cx", 700}, {"cs_cy", 650}};
  for (const auto& v : kPlace)
    EXPECT_EQ(v.nValue, OptionValue(v.pszName)) << v.pszName;
}

} // namespace
