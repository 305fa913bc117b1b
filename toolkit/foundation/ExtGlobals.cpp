// Every process-wide object of the toolkit, in the one order they are made before main; the
// language destroys them in the reverse order after it. Objects defined in one translation unit
// are initialised in the order of their definitions, so nothing here is left to the linker.
// Toolkit code that runs at exit may rely on what was made before it still being alive: the
// hook-chain map goes before the paint manager, the command manager before the control-bar
// objects, and the sound objects and the menu-tracking site last.
#include "toolkit/foundation/ExtGlobals.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

namespace {

// Zero-initialised before any constructor runs.
int g_arrStartupSteps[ExtGlobalsTrace::MAX_STEPS];
int g_nStartupSteps;
ExtGlobalsTrace::PFN_ExitStep g_pfnExitObserver;

// Placed right after the objects of a step: made when the step is done, destroyed just before
// exit undoes the step.
class StartupStep {
public:
  explicit StartupStep(ExtGlobalsTrace::Step nStep) : m_nStep(nStep) {
    if (g_nStartupSteps < ExtGlobalsTrace::MAX_STEPS)
      g_arrStartupSteps[g_nStartupSteps++] = nStep;
  }
  ~StartupStep() {
    if (g_pfnExitObserver != NULL)
      g_pfnExitObserver(m_nStep);
  }
  StartupStep(const StartupStep&) = delete;
  StartupStep& operator=(const StartupStep&) = delete;

private:
  int m_nStep;
};

} // namespace

int ExtGlobalsTrace::GetStartupSteps(int* pSteps, int nMax) {
  for (int i = 0; i < g_nStartupSteps && i < nMax; ++i)
    pSteps[i] = g_arrStartupSteps[i];
  return g_nStartupSteps;
}

void ExtGlobalsTrace::SetExitObserver(PFN_ExitStep pfnObserver) { g_pfnExitObserver = pfnObserver; }

// The registered string is the qualified member name the owner keeps the number in.
#define EXT_REGISTERED_MESSAGE(owner, member)                                                                \
  const UINT ExtRegisteredMessages::owner::member = ::RegisterWindowMessageA(#owner "::" #member);

// 1. The menu-tracking site (popup menus) is made first and destroyed last: its exit ends any
//    tracking and destroys the shared tip window. The popup menus' switches are constants until
//    the application sets them.
CExtPopupTrackSite g_PopupTrackSite;
int CExtPopupBaseWnd::g_nDefaultAnimation = CExtPopupBaseWnd::ANIM_FADE;
bool CExtPopupBaseWnd::g_bShadows = true;
bool CExtPopupMenuWnd::g_bMenuShadows = true;
bool CExtPopupMenuWnd::g_bMenuItemTips = true;
bool CExtPopupMenuWnd::g_bMenuHideRarelyUsed = true;
bool CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = true;
bool CExtPopupMenuWnd::g_bAnimateMenuExpansion = true;
bool CExtPopupMenuWnd::g_bMenuExpandByHover = true;
bool CExtPopupMenuWnd::g_bMenuUseWorkArea = true;
int CExtPopupMenuWnd::g_nMenuItemTipStyle = 4;
int CExtPopupMenuWnd::g_nPaletteItemTipStyle = 0;
bool CExtToolControlBar::g_bMenuTracking = false;
static StartupStep s_stepTrackSite(ExtGlobalsTrace::STEP_TRACK_SITE);

// 2. Messages 1-11.
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareMenu)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareOneMenuLevel)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareDesktopBk)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupNext)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupPrev)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgNotifyMenuExpanded)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgNotifyMenuClosed)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawItem)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawLeftArea)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawBackground)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgCreateInplaceEdit)
static StartupStep s_stepMessages1(ExtGlobalsTrace::STEP_MESSAGES_1_TO_11);

// 3. The sound player, its idle event and its lock.
CExtSoundPlayerHolder g_SoundPlayer;
static StartupStep s_stepSoundPlayer(ExtGlobalsTrace::STEP_SOUND_PLAYER);
CExtSoundIdleEvent g_SoundIdleEvent;
static StartupStep s_stepSoundIdleEvent(ExtGlobalsTrace::STEP_SOUND_IDLE_EVENT);
CCriticalSection g_SoundLock;
static StartupStep s_stepSoundLock(ExtGlobalsTrace::STEP_SOUND_LOCK);

// 4. Messages 12-17.
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgItemCoveringNotification)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgTearOff)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd, g_nMsgCustomFloatPos)
EXT_REGISTERED_MESSAGE(CExtPopupColorMenuWnd, g_nMsgNotifyColorChanged)
EXT_REGISTERED_MESSAGE(CExtPopupColorMenuWnd, g_nMsgNotifyColorChangedFinally)
EXT_REGISTERED_MESSAGE(CExtPopupColorMenuWnd, g_nMsgNotifyCustColor)
static StartupStep s_stepMessages12(ExtGlobalsTrace::STEP_MESSAGES_12_TO_17);

// 5. The colour popup's two tables of named colours (40 entries, then 16).
namespace {
std::vector<CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY> g_arrStdColors40;
std::vector<CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY> g_arrStdColors16;
} // namespace
const std::vector<CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY>& CExtPopupColorMenuWnd::g_StdColors40 =
    g_arrStdColors40;
const std::vector<CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY>& CExtPopupColorMenuWnd::g_StdColors16 =
    g_arrStdColors16;

// 6. Messages 18-19.
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd, g_nMsgDeleteSelection)
EXT_REGISTERED_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd, g_nMsgSelectAll)
static StartupStep s_stepMessages18(ExtGlobalsTrace::STEP_MESSAGES_18_TO_19);

// 7. The control bars' four cursors (arrow, size-all, size-north-south, size-west-east), the lock
//    of the control-bar list, that list and the dock-bar style map.

// 8. Messages 20-26.
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgQueryRepositionCalcEffect)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgQueryIcon)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgPutToPopupMenu)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgConstructPopupMenu)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgCreateTabbedBar)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgDrawTrackedArea)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgCustomNcAreaQuery)
static StartupStep s_stepMessages20(ExtGlobalsTrace::STEP_MESSAGES_20_TO_26);

// 9. The control-bar collection, the two dragging states and two further control-bar lists.

// 10. The command manager (with its profile "default"), then the resource manager's holder, which
//     is constant-initialised and empty until first use: only its exit is registered here.
CExtCmdManagerHolder g_CmdManagerHolder;
static StartupStep s_stepCmdManager(ExtGlobalsTrace::STEP_CMD_MANAGER);
CExtResourceManagerHolder g_ResourceManagerHolder;
static StartupStep s_stepResourceManager(ExtGlobalsTrace::STEP_RESOURCE_MANAGER);

// 11. Messages 27-28.
EXT_REGISTERED_MESSAGE(CExtToolControlBar, g_nMsgTrackButtonMenu)
EXT_REGISTERED_MESSAGE(CExtToolControlBar, g_nMsgContinueTrackMenu)
static StartupStep s_stepMessages27(ExtGlobalsTrace::STEP_MESSAGES_27_TO_28);

// 12. The paint manager's holder, which installs the default theme.
CExtPaintManagerHolder g_PaintManagerHolder;
static StartupStep s_stepPaintManager(ExtGlobalsTrace::STEP_PAINT_MANAGER);

// 13. The theme engine's glyphs: the exits of the static ones and the turned copies of a base
//     glyph, interleaved in their fixed sequence.

// 14. Messages 29-30.
EXT_REGISTERED_MESSAGE(CExtPaintManager, g_nMsgPaintInheritedBackground)
EXT_REGISTERED_MESSAGE(CExtMenuControlBar, g_nMsgPrepareSystemMenu)
static StartupStep s_stepMessages29(ExtGlobalsTrace::STEP_MESSAGES_29_TO_30);

// 15. The tab window's arrow cursor (before the map), then the hook-chain map.
CExtHookSink::HookChainsMap_t g_HookChainsMap;
static StartupStep s_stepHookChainsMap(ExtGlobalsTrace::STEP_HOOK_CHAINS_MAP);

// 16. Messages 31-40.
EXT_REGISTERED_MESSAGE(CExtPopupControlMenuWnd, g_nMsgControlInputRetranslate)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxInitContent)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxItemMeasure)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxItemDraw)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxSelEndOK)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxSelEndCancel)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxSelChange)
EXT_REGISTERED_MESSAGE(CExtPopupInplaceDatePicker, g_nMsgPopupDatePickerInitContent)
EXT_REGISTERED_MESSAGE(CExtDatePickerWnd, g_nMsgSelectionNotification)
EXT_REGISTERED_MESSAGE(CExtColorCtrl, g_nMsgColorChanged)
static StartupStep s_stepMessages31(ExtGlobalsTrace::STEP_MESSAGES_31_TO_40);

#undef EXT_REGISTERED_MESSAGE

// The owning classes' members refer to the numbers above; binding a reference needs no code.
#define EXT_BIND_MESSAGE(owner, member) const UINT& owner::member = ExtRegisteredMessages::owner::member;
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareMenu)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareOneMenuLevel)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPrepareDesktopBk)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupNext)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupPrev)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgNotifyMenuExpanded)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgNotifyMenuClosed)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawItem)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawLeftArea)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgPopupDrawBackground)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgCreateInplaceEdit)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgItemCoveringNotification)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgTearOff)
EXT_BIND_MESSAGE(CExtPopupMenuWnd, g_nMsgCustomFloatPos)
EXT_BIND_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd, g_nMsgDeleteSelection)
EXT_BIND_MESSAGE(CExtPopupMenuWnd::CInPlaceEditWnd, g_nMsgSelectAll)
EXT_BIND_MESSAGE(CExtPopupColorMenuWnd, g_nMsgNotifyColorChanged)
EXT_BIND_MESSAGE(CExtPopupColorMenuWnd, g_nMsgNotifyColorChangedFinally)
EXT_BIND_MESSAGE(CExtPopupColorMenuWnd, g_nMsgNotifyCustColor)
EXT_BIND_MESSAGE(CExtPopupControlMenuWnd, g_nMsgControlInputRetranslate)
EXT_BIND_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxInitContent)
EXT_BIND_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxItemMeasure)
EXT_BIND_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxItemDraw)
EXT_BIND_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxSelEndOK)
EXT_BIND_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxSelEndCancel)
EXT_BIND_MESSAGE(CExtPopupInplaceListBox, g_nMsgPopupListBoxSelChange)
EXT_BIND_MESSAGE(CExtPopupInplaceDatePicker, g_nMsgPopupDatePickerInitContent)
EXT_BIND_MESSAGE(CExtDatePickerWnd, g_nMsgSelectionNotification)
#undef EXT_BIND_MESSAGE
const UINT& CExtPaintManager::g_nMsgPaintInheritedBackground =
    ExtRegisteredMessages::CExtPaintManager::g_nMsgPaintInheritedBackground;
