// The program's main frame made in a test, as the application makes it, and the registry values it
// keeps.
#pragma once

#include "app/MainFrame.h"
#include "framework/doc/fw_doc.h"

// Loads a main frame from the program's resources; the fixture's frame is closed or destroyed by
// the test or at its end.
class MainFrameTest : public testing::Test {
protected:
  static void SetUpTestSuite();
  void SetUp() override;
  void TearDown() override;
  // A new frame, shown; NULL when its creation fails.
  CMainFrame* MakeFrame();
  // A command through the frame's routing, then the idle update of its bars.
  void Command(UINT nID);
  // The check mark a command's update handler gives (-1: no handler set it).
  int CheckOf(UINT nID);

  CMainFrame* m_pFrame = nullptr;
};

// The program's image template, which its start-up would add, added to the application once.
CMultiDocTemplate* ImageDocTemplate();

// The Options key's DWORD value; -1 when missing.
int OptionValue(const char* pszName);
void SetOptionValue(const char* pszName, int nValue);
void DeleteProgramKey();
