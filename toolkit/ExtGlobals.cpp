// Every process-wide object of the toolkit, in the one order they are made before main; the
// language destroys them in the reverse order after it. Objects defined in one translation unit
// are initialised in the order of their definitions, so nothing here is left to the linker.
// Toolkit code that runs at exit may rely on what was made before it still being alive: the
// hook-chain map goes before the paint manager, the command manager before the control-bar
// objects, and the sound objects and the menu-tracking site last.
#include "toolkit/ExtGlobals.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtHookSink.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/controls/ExtColorCtrl.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDynDockMarkerWnd.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/docking/ExtTabWnd.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
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
bool CExtToolControlBar::g_bMenuExpanded = false;
bool CExtToolControlBar::g_bLargeIcons = false;
bool CExtToolControlBar::g_bDisplayTips = true;
bool CExtToolControlBar::g_bShowShortcutsInTips = false;
bool CExtMenuControlBar::g_bKeyboardAltIgnore = false;
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
typedef CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY ColorEntry_t;
std::vector<ColorEntry_t> g_arrStdColors40 = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 50"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 40"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};
std::vector<ColorEntry_t> g_arrStdColors16 = {
    {RGB(0, 0, 0), "Black"},          {RGB(102, 102, 102), "Grey - 50"},
    {RGB(139, 0, 0), "Dark red"},     {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},        {RGB(75, 0, 130), "Indigo"},
    {RGB(0, 0, 139), "Dark blue"},    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(255, 255, 255), "White"},    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 0, 0), "Red"},          {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"}, {RGB(192, 255, 255), "Skyblue"},
    {RGB(0, 0, 255), "Blue"},         {RGB(255, 228, 225), "Rose"},
};
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
HCURSOR CExtControlBar::g_hCursorArrow = ::LoadCursor(NULL, IDC_ARROW);
HCURSOR CExtControlBar::g_hCursorSizeAll = ::LoadCursor(NULL, IDC_SIZEALL);
HCURSOR CExtControlBar::g_hCursorSizeNS = ::LoadCursor(NULL, IDC_SIZENS);
HCURSOR CExtControlBar::g_hCursorSizeWE = ::LoadCursor(NULL, IDC_SIZEWE);
CCriticalSection CExtControlBar::g_csAllBars;
std::vector<CExtControlBar*> CExtControlBar::g_AllBars;
CMap<DWORD, DWORD, DWORD, DWORD> CExtControlBar::g_DockBarStyleMap;
namespace {
// Each side's alignment bit with the border bit that faces the frame's centre.
struct DockBarStyleMapFiller {
  DockBarStyleMapFiller() {
    CExtControlBar::g_DockBarStyleMap.SetAt(AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM);
    CExtControlBar::g_DockBarStyleMap.SetAt(AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP);
    CExtControlBar::g_DockBarStyleMap.SetAt(AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT);
    CExtControlBar::g_DockBarStyleMap.SetAt(AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT);
  }
} s_DockBarStyleMapFiller;
} // namespace
bool CExtControlBar::g_bLockAllBars = false;
int CExtControlBar::g_nDockingMarkerMode = -1;
DWORD CExtControlBar::g_dwDragHoverDelay = 500;
bool CExtControlBar::g_bIdleInModalLoops = false;
bool CExtControlBar::g_bActivateOnHover = false;
bool CExtControlBar::g_bStaticOptionA = false;
bool CExtControlBar::g_bStaticOptionB = false;
bool CExtControlBar::g_bClassRegistered = false;
bool CExtControlBar::g_bBarTips = true;

// 8. Messages 20-26, and the request that docks a bar shown without a place.
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgQueryRepositionCalcEffect)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgQueryIcon)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgPutToPopupMenu)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgConstructPopupMenu)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgCreateTabbedBar)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgDrawTrackedArea)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgCustomNcAreaQuery)
EXT_REGISTERED_MESSAGE(CExtControlBar, g_nMsgTakeDockPlace)
static StartupStep s_stepMessages20(ExtGlobalsTrace::STEP_MESSAGES_20_TO_26);

// 9. The control-bar collection, the two dragging states and two further control-bar lists.
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateCurrent;
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateNew;
bool CExtControlBar::g_bDraggingStepGuard = false;
//    The marker windows read the current dragging state through this pointer.
const CExtControlBar::InternalDraggingState_t* CExtDynDockMarkerWnd::g_pDraggingState =
    &CExtControlBar::g_DragStateCurrent;
namespace {
// Tips hide while a bar is dragged; the menus ask through their seam.
struct BarDraggingSeam {
  BarDraggingSeam() {
    CExtPopupMenuTipWnd::g_pfnIsBarDragging = [] { return CExtControlBar::GetDraggedBar() != NULL; };
  }
} s_BarDraggingSeam;
} // namespace

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
HCURSOR CExtTabWnd::g_hTabWndCursor = ::LoadCursor(NULL, IDC_ARROW);
// The auto-hide slider's thread hooks: none are in until a bar slides out.
CExtDynAutoHideSlider::ThreadHooks CExtDynAutoHideSlider::g_Hooks;
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
EXT_BIND_MESSAGE(CExtColorCtrl, g_nMsgColorChanged)
EXT_BIND_MESSAGE(CExtToolControlBar, g_nMsgTrackButtonMenu)
EXT_BIND_MESSAGE(CExtToolControlBar, g_nMsgContinueTrackMenu)
EXT_BIND_MESSAGE(CExtMenuControlBar, g_nMsgPrepareSystemMenu)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgQueryRepositionCalcEffect)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgQueryIcon)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgPutToPopupMenu)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgConstructPopupMenu)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgCreateTabbedBar)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgDrawTrackedArea)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgCustomNcAreaQuery)
EXT_BIND_MESSAGE(CExtControlBar, g_nMsgTakeDockPlace)
#undef EXT_BIND_MESSAGE
const UINT& CExtPaintManager::g_nMsgPaintInheritedBackground =
    ExtRegisteredMessages::CExtPaintManager::g_nMsgPaintInheritedBackground;
