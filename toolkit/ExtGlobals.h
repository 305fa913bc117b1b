// The toolkit's process-wide objects are all defined in ExtGlobals.cpp, in one translation unit,
// so that they are made in one fixed order before main and destroyed in the reverse order after
// it. This header declares the window messages the toolkit registers there.
//
// Each message is registered under the qualified name of the static member that keeps it, so two
// window classes that use the same name see the same number. The classes that own them keep a
// reference to these values: a reference to an object of static storage is bound before any code
// runs, so a class's member is usable from the first global constructor on.
#pragma once

#include <windows.h>

// Mirrors the owning classes' names: ExtRegisteredMessages::CExtPopupMenuWnd::g_nMsgPrepareMenu
// is the number registered as "CExtPopupMenuWnd::g_nMsgPrepareMenu".
namespace ExtRegisteredMessages {

namespace CExtPopupMenuWnd {
extern const UINT g_nMsgPrepareMenu;
extern const UINT g_nMsgPrepareOneMenuLevel;
extern const UINT g_nMsgPrepareDesktopBk;
extern const UINT g_nMsgPopupNext;
extern const UINT g_nMsgPopupPrev;
extern const UINT g_nMsgNotifyMenuExpanded;
extern const UINT g_nMsgNotifyMenuClosed;
extern const UINT g_nMsgPopupDrawItem;
extern const UINT g_nMsgPopupDrawLeftArea;
extern const UINT g_nMsgPopupDrawBackground;
extern const UINT g_nMsgCreateInplaceEdit;
extern const UINT g_nMsgItemCoveringNotification;
extern const UINT g_nMsgTearOff;
extern const UINT g_nMsgCustomFloatPos;
namespace CInPlaceEditWnd {
extern const UINT g_nMsgDeleteSelection;
extern const UINT g_nMsgSelectAll;
} // namespace CInPlaceEditWnd
} // namespace CExtPopupMenuWnd

namespace CExtPopupColorMenuWnd {
extern const UINT g_nMsgNotifyColorChanged;
extern const UINT g_nMsgNotifyColorChangedFinally;
extern const UINT g_nMsgNotifyCustColor;
} // namespace CExtPopupColorMenuWnd

namespace CExtControlBar {
extern const UINT g_nMsgQueryRepositionCalcEffect;
extern const UINT g_nMsgQueryIcon;
extern const UINT g_nMsgPutToPopupMenu;
extern const UINT g_nMsgConstructPopupMenu;
extern const UINT g_nMsgCreateTabbedBar;
extern const UINT g_nMsgDrawTrackedArea;
extern const UINT g_nMsgCustomNcAreaQuery;
extern const UINT g_nMsgTakeDockPlace;
} // namespace CExtControlBar

namespace CExtToolControlBar {
extern const UINT g_nMsgTrackButtonMenu;
extern const UINT g_nMsgContinueTrackMenu;
} // namespace CExtToolControlBar

namespace CExtPaintManager {
extern const UINT g_nMsgPaintInheritedBackground;
} // namespace CExtPaintManager

namespace CExtMenuControlBar {
extern const UINT g_nMsgPrepareSystemMenu;
} // namespace CExtMenuControlBar

namespace CExtPopupControlMenuWnd {
extern const UINT g_nMsgControlInputRetranslate;
} // namespace CExtPopupControlMenuWnd

namespace CExtPopupInplaceListBox {
extern const UINT g_nMsgPopupListBoxInitContent;
extern const UINT g_nMsgPopupListBoxItemMeasure;
extern const UINT g_nMsgPopupListBoxItemDraw;
extern const UINT g_nMsgPopupListBoxSelEndOK;
extern const UINT g_nMsgPopupListBoxSelEndCancel;
extern const UINT g_nMsgPopupListBoxSelChange;
} // namespace CExtPopupInplaceListBox

namespace CExtPopupInplaceDatePicker {
extern const UINT g_nMsgPopupDatePickerInitContent;
} // namespace CExtPopupInplaceDatePicker

namespace CExtDatePickerWnd {
extern const UINT g_nMsgSelectionNotification;
} // namespace CExtDatePickerWnd

namespace CExtColorCtrl {
extern const UINT g_nMsgColorChanged;
} // namespace CExtColorCtrl

} // namespace ExtRegisteredMessages

// What start-up and exit did, for tests: the steps in the order start-up finished them, and a
// function told of each step as exit undoes it (the last to be told is the first step).
class ExtGlobalsTrace {
public:
  enum Step {
    STEP_MESSAGES_1_TO_11 = 1,
    STEP_SOUND_PLAYER,
    STEP_SOUND_IDLE_EVENT,
    STEP_SOUND_LOCK,
    STEP_MESSAGES_12_TO_17,
    STEP_MESSAGES_18_TO_19,
    STEP_MESSAGES_20_TO_26,
    STEP_CMD_MANAGER,
    STEP_RESOURCE_MANAGER,
    STEP_MESSAGES_27_TO_28,
    STEP_PAINT_MANAGER,
    STEP_MESSAGES_29_TO_30,
    STEP_HOOK_CHAINS_MAP,
    STEP_MESSAGES_31_TO_40,
    STEP_TRACK_SITE,
  };
  enum { MAX_STEPS = 32 };
  typedef void (*PFN_ExitStep)(int nStep);

  // Copies up to nMax steps and answers how many start-up recorded.
  static int GetStartupSteps(int* pSteps, int nMax);
  static void SetExitObserver(PFN_ExitStep pfnObserver);
};
