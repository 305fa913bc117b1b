// Starting an operation from the task sheet: page switching and the messages that tell the active
// view an edit begins. The sheet is found below the application's main window, so callers need
// not know the frame.
#pragma once

class CLinkLabel;
class CModelessPropSheet;
class CView;
class CWnd;
struct tagRECT;

// The sheet's pages, in the order the frame adds them.
enum TaskPage { TASK_PAGE_MAIN = 0, TASK_PAGE_PARAM = 1, TASK_PAGE_RESIZE = 2, TASK_PAGE_CAPTION = 3 };

// The first descendant of the main window, or of a floating frame it owns, that is a
// CModelessPropSheet; NULL when there is none.
CModelessPropSheet* FindTaskSheet();
// The active view of the main frame's active child frame; NULL when no document is open.
CView* GetTaskView();

// The effect page for taskId: the view keeps its original first, then the page is told the effect.
void OpenEffectPage(int taskId);
// The resize page; the caller sets its title and mode afterwards.
void OpenResizePage(int taskId);
void OpenCaptionPage();
// Runs an operation that needs no parameters (UM_APPLY_EFFECT to the active view).
void SendTaskToView(int taskId);
// The active page's index, -1 without a sheet.
int GetTaskPageIndex();
// Makes the main page active again.
void ShowTaskMainPage();
// One of a page's " Main Menu ", OK and Cancel links, in the look all pages give them.
void CreateTaskNavigationLink(CLinkLabel& link, CWnd* pPage, const char* pszText, unsigned nId,
                              const tagRECT& rc);
