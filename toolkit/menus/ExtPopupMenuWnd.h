// The toolkit's popup menu: an ordered array of items tied to the commands of a command profile,
// filled one by one or from a menu handle (with the recent-file and MDI window lists), laid out
// in a column or as a palette, placed on the monitor beside the button that opened it, painted
// through the current theme with a soft shadow, and opened with an animation.
//
// One class split by concern: ExtPopupMenuItems.cpp (the item record, the command-update pass),
// ExtPopupMenuItemList.cpp (access by index, insertion, removal, searches, the submenu chain),
// ExtPopupMenuBuild.cpp (menu handles), ExtPopupMenuLayout.cpp (item layout, layout rectangles,
// hit test, scrolling), ExtPopupMenuPlacement.cpp (size, placement on the monitor, window region),
// ExtPopupMenuNavigation.cpp (navigation targets), ExtPopupMenuPaint.cpp (painting, the expand
// effect), ExtPopupMenuWindow.cpp (the window: creation, animation hooks, hiding, ending with a
// command), ExtPopupMenuTracking.cpp (the tracking entry and its modal loop, the thread hooks, the
// end of tracking), ExtPopupMenuNavigate.cpp (showing the menu, the current item under the mouse
// and the timers), ExtPopupMenuKeyboard.cpp (the keys), ExtPopupMenuTearOff.cpp (tearing the menu
// off) and ExtPopupMenuInplaceEdit.cpp (the edit field of an in-place item).
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_string.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/menus/ExtPopupBaseWnd.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"
#include "toolkit/theme/ExtMenuJointSource.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <vector>

class CExtBarButton;
class CExtCmdItem;
class CExtPopupMenuWnd;

// A command id a menu item or bar button may carry: neither 0 nor negative as a signed value.
inline bool IsCommandIdValid(UINT nCmdId) { return nCmdId != 0 && (int)nCmdId > 0; }
// The standard window commands (minimise, close and the rest).
inline bool IsSystemCommandId(UINT nCmdId) { return nCmdId >= 0xF000 && nCmdId <= 0xF1EF; }
// A button release in the client or the non-client area, as the hooks see it.
inline bool IsButtonRelease(UINT nMsg) {
  return nMsg == WM_LBUTTONUP || nMsg == WM_RBUTTONUP || nMsg == WM_MBUTTONUP || nMsg == WM_NCLBUTTONUP ||
         nMsg == WM_NCRBUTTONUP || nMsg == WM_NCMBUTTONUP;
}

// Whether two windows belong to one family of top-level windows, for hover tracking of bars, tabs
// and buttons: false while a menu is tracked when asked, false unless both are windows (enabled
// and visible when asked); then the first window's ancestors are walked.
bool AreWindowsInOneFamily(HWND hWnd1, HWND hWnd2, bool bCheckEnabled = false, bool bCheckVisible = false,
                           bool bFailWhileMenuTracked = false);

class CExtPopupMenuWnd : public CExtPopupBaseWnd,
                         public CExtPopupMenuSite,
                         public CExtPopupMenuItemsSite,
                         public CExtMenuJointSource {
  DECLARE_DYNCREATE(CExtPopupMenuWnd)
public:
  // ---------------------------------------------------------------------------------------------
  // Process-wide switches, set by the application at start-up.
  static bool g_bMenuShadows;             // same as CExtPopupBaseWnd::g_bShadows
  static bool g_bMenuItemTips;            // item tips
  static bool g_bMenuHideRarelyUsed;      // menus open with rarely used items hidden
  static bool g_bMenuHighlightRarelyUsed; // rarely used items have their own look
  static bool g_bAnimateMenuExpansion;    // the expand effect animates
  static bool g_bMenuExpandByHover;       // hovering the expand row expands
  static bool g_bMenuUseWorkArea;         // menus fit the monitor's work area
  static int g_nMenuItemTipStyle;         // tip style of item tips (4: rectangle, no icon)
  static int g_nPaletteItemTipStyle;      // tip style in palette menus (0: none)

  // Registered messages sent to the command receiver.
  static const UINT& g_nMsgPrepareMenu;
  static const UINT& g_nMsgPrepareOneMenuLevel;
  static const UINT& g_nMsgPrepareDesktopBk;
  static const UINT& g_nMsgPopupNext;
  static const UINT& g_nMsgPopupPrev;
  static const UINT& g_nMsgNotifyMenuExpanded;
  static const UINT& g_nMsgNotifyMenuClosed;
  static const UINT& g_nMsgPopupDrawItem;
  static const UINT& g_nMsgPopupDrawLeftArea;
  static const UINT& g_nMsgPopupDrawBackground;
  static const UINT& g_nMsgCreateInplaceEdit;
  static const UINT& g_nMsgItemCoveringNotification;
  static const UINT& g_nMsgTearOff;
  static const UINT& g_nMsgCustomFloatPos;

  // Track flags.
  enum TrackFlags : DWORD {
    TPMX_ALIGN_MASK = 0x0000000F,
    TPMX_COMBINE_ALWAYS = 0x00000010,
    TPMX_COMBINE_BY_THEME = 0x00000020,
    TPMX_COMBINE_MASK = 0x00000030,
    TPMX_SELECT_FIRST = 0x00000040,
    TPMX_MODAL_LOOP = 0x00000080,
    TPMX_SHOW_ALL = 0x00000100,
    TPMX_NO_CMD_DELIVERY = 0x00000200,
    TPMX_NO_CMD_UI = 0x00000400,
    TPMX_OWNERDRAW_ITEMS = 0x00000800,
    TPMX_NO_SHADOW = 0x00001000,
    TPMX_HELP_MODE = 0x00002000,
    TPMX_DISPLAY_ONLY = 0x00004000, // effects suppressed
    TPMX_NO_ANIMATION = 0x00008000,
    TPMX_PALETTE = 0x00010000,
    TPMX_DOCKER_BACKGROUND = 0x00020000,
    TPMX_TEAROFF = 0x00040000,
  };
  // Menu state flags.
  enum MenuStateFlags : DWORD {
    MENU_TOP_LEVEL = 0x01,
    MENU_SCROLLING = 0x02,
    MENU_EXPAND_ROW = 0x04,
    MENU_EXPANDED = 0x08,
    MENU_COVERING_ANSWER = 0x10, // the receiver's answer bit to the last covering notification
  };
  // Hit-test and navigation answers that are no item index.
  enum HitCodes : int {
    HIT_NOTHING = -1,
    HIT_SCROLL_UP = -2,
    HIT_SCROLL_DOWN = -3,
    HIT_EXPAND_ROW = -4,
    HIT_TEAROFF = -5,
  };
  enum NavigationCodes : int {
    NAV_NONE = -100,
    NAV_CURRENT = -101,
    NAV_NEXT = -102,
    NAV_PREV = -103,
    NAV_NEXT_ROW = -104,
    NAV_PREV_ROW = -105,
  };
  // Private timers of a menu.
  enum MenuTimers : UINT {
    ID_TIMER_SUBMENU_DELAY = 667,
    ID_TIMER_SCROLL = 668,
    ID_TIMER_ITEM_HOVER = 670,
  };
  // Special command ids.
  enum : UINT {
    ID_SUBMENU = 0xFFFFFFFF,
    ID_FIRST_RECENT_FILE = 0xE110,
    ID_LAST_RECENT_FILE = 0xE11F,
    ID_FIRST_MDI_CHILD = 0xFF00,
    ID_MORE_WINDOWS = 0xFF09,
  };

  // The painter of the area combined with the opening button: called after the theme painted it.
  typedef void (*PFN_COMBINED_AREA_PAINTER)(LPVOID pCookie, CDC& dc, const CWnd& wndMenu, const RECT& rcArea,
                                            int nCombineSide);

  // ---------------------------------------------------------------------------------------------
  // One item.
  struct MENUITEMDATA {
    enum DisplayFlags : BYTE {
      DISPLAY_CURRENT = 0x01,
      DISPLAY_SHOWN = 0x02,
      DISPLAY_RARELY_USED_SHOWN = 0x04, // pinned as shown
      DISPLAY_JOINED_SUBMENU = 0x08,
      DISPLAY_INLINE = 0x10,     // plain layout: inline; palette: own icon column
      DISPLAY_NEW_COLUMN = 0x20, // plain layout: new column; palette: row ends after it
      DISPLAY_DEFAULT = 0x40,
      DISPLAY_ALWAYS_ENABLED = 0x80,
    };
    enum StateFlags : BYTE {
      STATE_BIT1 = 0x02,
      STATE_CHECKED = 0x04,
      STATE_RADIO = 0x08,
      STATE_ENABLED = 0x10,
      STATE_INDETERMINATE = 0x20,
      STATE_OWN_DATA = 0x80,
    };
    enum ExtraFlags : BYTE {
      EXTRA_ZERO_SIZE_WITHOUT_ICON = 0x01,
      EXTRA_BIT1 = 0x02,
    };
    typedef bool (*PFN_COMMAND_CALLBACK)(CExtPopupMenuWnd* pMenu, MENUITEMDATA* pItem);
    typedef void (*PFN_CLICK_CALLBACK)(CExtPopupMenuWnd* pMenu, MENUITEMDATA* pItem);
    // The owner's callbacks of an in-place edit (CInPlaceEditWnd takes the same): each keystroke's
    // text is validated, Enter commits, and the filter sees every message of the edit first.
    typedef bool (*PFN_INPLACE_VALIDATE)(LPCSTR lpszText);
    typedef void (*PFN_INPLACE_COMMIT)(LPCSTR lpszText);
    typedef bool (*PFN_INPLACE_FILTER)(LRESULT& lResult, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                       DWORD dwCookie);
    enum InplaceFlags : BYTE { INPLACE_DISPLAY_TEXT = 0x02 }; // m_sInplaceText shows instead of the value

    MENUITEMDATA();

    CExtPopupMenuWnd* m_pPopup = NULL; // owned: only clearing the items destroys it
    int m_nItemIndex = -100;
    UINT m_nCmdId = 0;
    CString m_sText;
    CString m_sAccelText;
    CString m_sTipText; // own status tip
    CExtCmdIcon m_icon;
    int m_nWidth = 0, m_nHeight = 0;
    mutable CRect m_rcInner, m_rcItem; // cached by the layout, also from its const queries
    int m_nIconAreaWidth = 0;
    int m_nMarginLeft = -1, m_nMarginTop = -1, m_nMarginRight = -1, m_nMarginBottom = -1;
    BYTE m_nDisplayFlags = 0;
    BYTE m_nStateFlags = STATE_ENABLED;
    BYTE m_nExtraFlags = 0;
    PFN_COMMAND_CALLBACK m_pfnCommandCallback = NULL;
    PFN_CLICK_CALLBACK m_pfnClickCallback = NULL;
    BYTE m_cAccelChar = 0;
    HWND m_hWndCmdReceiver = NULL;
    // In-place control fields (edits in items).
    HWND m_hWndInplace = NULL;
    CString* m_pInplaceValue = NULL;
    int m_nInplaceExtent = 0;
    int m_nInplaceEditWidth = 0;
    BYTE m_nInplaceFlags = 0x01;
    CString m_sInplaceText; // the display text shown when not editing (bit 1 of the flags)
    LPARAM m_lInplaceParam = 0;
    PFN_INPLACE_VALIDATE m_pfnInplaceValidate = NULL;
    PFN_INPLACE_COMMIT m_pfnInplaceCommit = NULL; // NULL: Enter stores the text in *m_pInplaceValue
    PFN_INPLACE_FILTER m_pfnInplaceFilter = NULL;
    DWORD m_dwInplaceCookie = 0; // handed to the filter

    bool IsSeparator() const { return m_nCmdId == 0; }
    bool IsPopup() const { return m_nCmdId == ID_SUBMENU; }
    bool IsOwnData() const { return (m_nStateFlags & STATE_OWN_DATA) != 0; }
    bool IsCommandItem() const { return !IsSeparator() && !IsPopup(); }
    bool IsInplace() const { return m_pInplaceValue != NULL; }
    bool IsDisplayed() const { return (m_nDisplayFlags & (DISPLAY_SHOWN | DISPLAY_RARELY_USED_SHOWN)) != 0; }
    bool IsEnabled() const;
    bool IsDefault() const { return (m_nDisplayFlags & DISPLAY_DEFAULT) != 0; }

    // TAB splits the text from the accelerator text (command items only).
    void SetText(LPCSTR lpszText);
    void UpdateAccelChar();
    // Measures the item in the theme's menu font; dc may be NULL (a screen DC is used).
    void MeasureItem(CDC* pDC = NULL);
    // Refreshes the accelerator text from the command and measures again.
    void UpdateFromCommand();
    // Takes the id, texts and accelerator character of a command; false (and id 0) for a command
    // id of 0 or above 0x7FFFFFFF.
    bool FillFromCmdItem(const CExtCmdItem* pCmdItem, int nItemIndex);
    // Reads one position of a menu handle; false when it gives no item.
    bool FillFromMenuItem(HWND hWndReceiver, HMENU hMenu, int nPos, bool bNoRegistration);
    // Makes the item a submenu item with a new child menu.
    void SetPopup(int nItemIndex, LPCSTR lpszText, const CExtCmdIcon* pIcon, CExtPopupMenuWnd* pPopup = NULL);
    CExtPopupMenuWnd* CreateSubmenu();
    CString GetTipText() const;
    void SetThirdText(LPCSTR lpszText) { m_sTipText = lpszText != NULL ? lpszText : ""; }
    // Sets the enabled flag of a command item; the previous value.
    bool SetCommandFlag4(bool bEnabled);
    void SetCheck(bool bOn);
    void SetRadio(bool bOn);
    void SetIndeterminate(bool bOn);
    void SetDefault(bool bOn);
    // The registered command of the item's id in its receiver's profile, or NULL.
    CExtCmdItem* GetCmdItem() const;
    // The own icon, else the command's; NULL when empty.
    CExtCmdIcon* GetIcon();
    void SetIcon(const CExtCmdIcon* pIcon);
    // Empties the display text of an in-place item; with in-place data and a text, shows that.
    void SetInplaceDisplayText(LPCSTR lpszText);
    // Whether the registered command counts as rarely used (never for own data or click items).
    bool IsRarelyUsedCommand() const;
  };
  typedef CArray<MENUITEMDATA, MENUITEMDATA&> ItemArray_t;

  // The command-update record of one item.
  class CExtPopupMenuCmdUI : public CCmdUI {
  public:
    CExtPopupMenuCmdUI(CExtPopupMenuWnd* pMenu, MENUITEMDATA* pItem) : m_pMenu2(pMenu), m_pItem(pItem) {}
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCSTR lpszText) override;
    CExtPopupMenuWnd* m_pMenu2;
    MENUITEMDATA* m_pItem;
  };

  // One shown item the DC can see, for painting and the expand effect.
  struct VisibleItemDefinition_t {
    enum : BYTE {
      VID_RARELY_USED = 1,
      VID_PREV_RARELY = 2,
      VID_NEXT_RARELY = 4,
      VID_SEPARATOR = 8,
      VID_POPUP = 16
    };
    int m_nIndex = -1;
    BYTE m_nFlags = 0;
    UINT m_nCmdId = 0;
    CRect m_rcInner;
    CRect m_rcItem;
  };
  typedef std::vector<VisibleItemDefinition_t> VisibleItems_t;
  struct ExpandEffectRect_t {
    CRect m_rcSource;
    CRect m_rcTarget;
  };
  typedef std::vector<ExpandEffectRect_t> ExpandEffectRects_t;

  // The records of the registered painting messages (sent with lParam = the record).
  struct DrawBackgroundData_t {
    enum : DWORD { PAINTED_BACKGROUND = 0x01, PAINTED_BORDER = 0x02 };
    CDC& m_dc;
    RECT m_rcClient;
    CExtPopupMenuWnd* m_pMenu;
    DWORD m_dwFlags = 0;
  };
  struct DrawLeftAreaData_t {
    CDC& m_dc;
    RECT m_rcArea;
    CExtPopupMenuWnd* m_pMenu;
  };
  struct DrawItemData_t {
    CDC& m_dc;
    RECT m_rcItem;
    RECT m_rcInner;
    MENUITEMDATA* m_pItem;
    CExtPopupMenuWnd* m_pMenu;
    DWORD m_dwState;
  };
  // State bits of an item in DrawItemData_t.
  enum ItemPaintState : DWORD {
    IPS_NEXT_RARELY = 0x01,
    IPS_PREV_RARELY = 0x02,
    IPS_RARELY_USED = 0x04,
    IPS_POPUP = 0x08,
    IPS_OWNERDRAW = 0x10,
  };

  // Sent by address as wParam of g_nMsgPrepareMenu and g_nMsgPrepareOneMenuLevel (lParam the
  // menu).
  struct MsgPrepareMenuData_t {
    enum : BYTE { PREPARE_CHANGED = 0x01, PREPARE_CANCEL = 0x02, PREPARE_ONE_LEVEL = 0x04 };
    BYTE m_nFlags = 0;
    CExtPopupMenuWnd* m_pPopup = NULL;
  };
  // Sent by address as wParam of g_nMsgItemCoveringNotification (lParam 0).
  struct ItemCoveringNotification_t {
    enum EventCode : int { ICN_BAR_BUTTON_0 = 0, ICN_ITEM_CURRENT = 1, ICN_SUBMENU_DELAY = 2 };
    enum : BYTE { ICN_OPEN_SUBMENU = 0x01, ICN_SELECT_FIRST = 0x02, ICN_ANSWER = 0x04 };
    ItemCoveringNotification_t(CExtPopupMenuWnd* pPopup, CExtBarButton* pButton, int nValue, int nEvent,
                               BYTE nFlags = 0)
        : m_pPopup(pPopup), m_pButton(pButton), m_nValue(nValue), m_nEvent(nEvent), m_nFlags(nFlags) {}
    CExtPopupMenuWnd* m_pPopup;
    CExtBarButton* m_pButton;
    int m_nValue;
    int m_nEvent;
    BYTE m_nFlags;
    // Sends the notification to the menu's receiver (or, for a bar button, the window the bars
    // give); true when it was sent.
    bool Notify();
  };
  // The tear-off drag and the edit of an in-place item (ExtPopupMenuTearOff.h).
  struct TEAROFFNOTIFICATON;
  class CInPlaceEditWnd;

  CExtPopupMenuWnd();
  ~CExtPopupMenuWnd() override;

  // ---------------------------------------------------------------------------------------------
  // The tracking site.
  static CExtPopupTrackSite& GetTrackSite();

  // ---------------------------------------------------------------------------------------------
  // Overrides of the popup base.
  bool IsRightToLeftLayout() const override;
  bool IsEffectsSuppressed() const override;
  bool IsHelpMode() const override;
  void StartAnimationTimer() override;
  void ReleaseAnimationBuffers() override;
  bool IsShadowEnabled() const override;
  void PaintAnimationFrame(CDC& dc) override;
  void PaintContent(CDC& dc, bool bOnScreen) override;
  void GetContentRect(RECT& rc) const override;

  // The theme's site interfaces.
  bool IsRightToLeft() const override { return IsRightToLeftLayout(); }
  int GetItemCount() const override;
  bool IsItemIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetItemCount(); }
  int GetItemIconAreaWidth(int nIndex) const override;
  DWORD GetItemState(int nIndex) const override;
  bool GetJointBarState(BarState_t& state) const override;

  // ---------------------------------------------------------------------------------------------
  // Items (ExtPopupMenuItems.cpp).
  virtual int GetCurrentItemIndex() const { return m_nCurIndex; }
  virtual HWND GetCmdReceiverHWND() const { return m_hWndCmdReceiver; }
  virtual DWORD GetTrackFlags() const { return m_dwTrackFlags; }
  virtual void SetTrackFlags(DWORD dwFlags) { m_dwTrackFlags = dwFlags; }
  virtual void SetCmdReceiverForItems(HWND hWnd, bool bThisLevelOnly = false);
  MENUITEMDATA& GetItemAt(int nIndex);
  const MENUITEMDATA& GetItemAt(int nIndex) const;
  virtual UINT ItemGetCmdID(int nIndex) const;
  virtual CExtCmdIcon* ItemGetIcon(int nIndex);
  virtual CString ItemGetText(int nIndex) const;
  virtual CString ItemGetAccelText(int nIndex) const;
  virtual int ItemFindPosForCmdID(UINT nCmdId, int nStartIndex = -1) const;
  virtual bool ItemSetIcon(int nIndex, const CExtCmdIcon* pIcon);
  virtual bool ItemSetText(int nIndex, LPCSTR lpszText);
  virtual bool ItemSetAccelText(int nIndex, LPCSTR lpszText);
  virtual CExtPopupMenuWnd* ItemGetPopup(int nIndex);
  virtual const CExtPopupMenuWnd* ItemGetPopup(int nIndex) const;
  virtual bool ItemIsDisplayed(int nIndex) const;
  virtual void ItemSetRarelyUsedDisplayed(int nIndex, bool bShown);
  virtual bool ItemRemove(int nIndex = -1);
  virtual int ItemRemoveAllSeparators();
  virtual bool ItemIsNewColumn(int nIndex) const;
  virtual void ItemSetNewColumn(int nIndex, bool bOn = true);
  virtual bool ItemIsInline(int nIndex) const;
  virtual void ItemSetInline(int nIndex, bool bOn = true);
  virtual bool ItemIsEnabled(int nIndex) const;
  virtual void ItemEnabledSet(int nIndex, bool bOn = true);
  virtual bool ItemIsDefault(int nIndex) const;
  virtual void ItemDefaultSet(int nIndex, bool bOn = true);
  virtual bool ItemGetExtraFlag1(int nIndex) const;
  virtual void ItemSetExtraFlag1(int nIndex, bool bOn = true);
  virtual bool ItemGetStateFlag1(int nIndex) const;
  virtual void ItemSetStateFlag1(int nIndex, bool bOn = true);
  // Command id 0: separator; ID_SUBMENU: a submenu item with the text and icon; otherwise a
  // command registered in the receiver's profile. Position -1 appends.
  virtual bool InsertItem(UINT nCmdId, int nPos = -1, LPCSTR lpszText = NULL, const CExtCmdIcon* pIcon = NULL,
                          HWND hWndReceiver = NULL);
  // nCheck: 0 none, 1 checked, 2 third state, 3 radio.
  virtual bool InsertOwnItem(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccelText,
                             const CExtCmdIcon& icon, int nCheck = 0, HWND hWndReceiver = NULL);
  bool InsertCommandItemWithHIcon(UINT nCmdId, LPCSTR lpszText, LPCSTR lpszAccelText, HICON hIcon,
                                  bool bCopyIcon = true, int nCheck = 0, HWND hWndReceiver = NULL);
  virtual bool InsertPopupMenu(CExtPopupMenuWnd* pPopup, int nPos = -1, LPCSTR lpszText = NULL,
                               const CExtCmdIcon* pIcon = NULL);
  virtual int FindItemByAccelChar(BYTE cAccel, int nStartIndex = -1, bool bRestartAtTop = true) const;
  virtual int FindItemByText(LPCSTR lpszText, int nStartIndex = -1) const;
  virtual bool HasNoShownItems() const;
  virtual bool InitTopLevel(HWND hWndReceiver);
  virtual void UpdateItemsCmdUI();
  virtual void ResetMenuState();
  virtual bool InsertItemAt(int nIndex, MENUITEMDATA& item);
  void SetLeftAreaWidth(int nWidth) { m_nLeftAreaWidth = nWidth; }
  int GetLeftAreaWidth() const { return m_nLeftAreaWidth; }
  CExtPopupMenuWnd* GetParentMenu() const { return m_pParentMenu; }
  bool IsTopLevel() const { return (m_dwMenuState & MENU_TOP_LEVEL) != 0; }
  // Destroys every item: submenus cleared, their windows destroyed and their objects deleted.
  void DestroyAllItems();
  // The top menu of this chain.
  CExtPopupMenuWnd* GetTopMenu();
  // Refreshes the layout of the top menu of the chain.
  void RelayoutChain();

  // ---------------------------------------------------------------------------------------------
  // Menu handles (ExtPopupMenuBuild.cpp).
  virtual bool BuildFromMenuResource(HWND hWndReceiver, UINT nResourceId, bool bTakeFirstSubmenu = false,
                                     bool bNoRegistration = false);
  virtual HMENU ExportToMenuHandle(bool bDeep = true) const;
  virtual bool BuildFromMenuHandle(HWND hWndReceiver, CMenu* pMenu, bool bTakeFirstSubmenu = false,
                                   bool bTopLevel = true, bool bNoRegistration = false);
  virtual void AppendMdiWindowItems();
  virtual bool BuildItemsFromMenuHandle(CMenu* pMenu, bool bTopLevel, bool bNoRegistration);

  // ---------------------------------------------------------------------------------------------
  // Layout, placement, hit test, navigation and scrolling (ExtPopupMenuLayout.cpp).
  virtual void RecalcLayoutRects();
  virtual int GetBorderSize() const;
  virtual int HitTest(const POINT& ptClient, bool* pbOnEdit = NULL, bool* pbOnDropDown = NULL) const;
  virtual int GetTearOffBarHeight() const;
  virtual bool IsTearOffEnabled() const { return (m_dwTrackFlags & TPMX_TEAROFF) != 0; }
  virtual bool IsPaletteLayout() const { return (m_dwTrackFlags & TPMX_PALETTE) != 0; }
  virtual bool IsRowBreakAfter(int nIndex) const;
  virtual void GetItemRect(int nIndex, RECT& rc, bool bInner = false) const;
  virtual void GetItemRectPalette(int nIndex, RECT& rc, bool bInner = false) const;
  virtual int GetMinScrollOffset() const;
  virtual bool StartScrolling(int nButton);
  // One tick of timer 668: moves the offset by the step the cursor's button asks; false when the
  // scrolling stopped.
  bool ScrollStep(const POINT& ptClient);
  virtual void RecalcItemLayout();
  virtual void RecalcItemLayoutPalette();
  virtual void AssignRowBreaks(int nFirst = 0, int nLast = -1);
  virtual bool IsPointOverMenu(const POINT& ptClient) const;
  virtual bool IsPointInChain(const POINT& ptScreen, bool bAskParents = true) const;
  // The window rectangle in screen coordinates, with the combine side; empty when there is no
  // room at all.
  virtual CRect CalcWindowPlacement();
  virtual CSize MeasureMenu() const;
  virtual int FindNavigationTarget(int nCode) const;
  // The edit part of an item's rectangle.
  CRect CalcEditRect(const RECT& rcInner, const MENUITEMDATA& item) const;
  // The monitor rectangle menus of this chain fit in.
  CRect GetPlacementArea() const;
  // The top-left corner of a window of the given size (shadow included) that opens with the
  // alignment (1-6, else at the track point) from the excluded rectangle, before it is fitted to
  // the monitor; a menu combined with the excluded rectangle overlaps it by one pixel.
  CPoint CalcAnchorPoint(int nAlignment, const CSize& sizeWindow) const;
  // The menu body (without shadow and combined area) in client coordinates: where the placement
  // put it, else at the origin with the measured size.
  CRect GetBodyRect() const;

  // ---------------------------------------------------------------------------------------------
  // Painting (ExtPopupMenuPaint.cpp).
  virtual void PaintItems(CDC& dc);
  virtual void PaintItemsPalette(CDC& dc);
  virtual void BuildVisibleItems(CDC& dc, VisibleItems_t& items);
  virtual void BuildVisibleItemsPalette(CDC& dc, VisibleItems_t& items);
  void PaintItem(CDC& dc, const VisibleItemDefinition_t& vid, bool bNoIcon = false, bool bNoText = false,
                 bool bNoCheck = false, bool bForceEnabled = false, bool bNoSelection = false);
  void PaintExpandEffectFrame(CDC& dc, int nStep);
  void RepaintOpenChain();

  // ---------------------------------------------------------------------------------------------
  // The window (ExtPopupMenuWindow.cpp).
  virtual bool CreateMenuWindow(CWnd* pWndParent);
  virtual void StopAnimation();
  virtual void ResetAndHide(bool bKeepWindow = false);
  virtual void SetHoverMenu();
  virtual CExtPopupMenuWnd* GetHoverMenu() const;
  virtual void ClearHoverMenu();
  virtual void ReshowForShadow();
  virtual bool ExpandToAllItems();
  virtual bool IsOwnTipVisible() const;
  virtual void HideOwnTip(bool bEndAnimation = false);
  virtual int GetItemTipStyle() const;
  virtual void EndWithCommand(UINT nCmdId, HWND hWndTarget = NULL);
  virtual bool CanOpenAsSubmenu() const { return true; }
  // Cancels a pending submenu delay (timer 667).
  void CancelSubmenuDelay();

  // ---------------------------------------------------------------------------------------------
  // Tracking (ExtPopupMenuTracking.cpp): the entry, its modal loop and the chain's end.
  // The tracking entry: the site owns the menu from here on (and deletes it when tracking ends);
  // false when the menu could not be shown, and then the caller still owns it and deletes it.
  virtual bool RunTrackingLoop(DWORD dwTrackFlags, int x, int y, const RECT* prcExclude = NULL,
                               LPVOID pCookie = NULL, PFN_COMBINED_AREA_PAINTER pfnPainter = NULL,
                               UINT* pResultCmdId = NULL, bool bPainterFlag = false);
  static bool AnyMenuTracked();
  static void CancelAllTracking();
  // Dispatches every pending message of the thread; with bIdle, then the thread's idle passes.
  static void DrainMessagesAndIdle(bool bIdle = false);
  // Ends the chain with the item's command and receiver.
  void ExecuteItem(int nIndex);
  // The menu of this chain (its top menu and the open submenus) whose window, or visible tip, lies
  // under the screen point; NULL when none does.
  CExtPopupMenuWnd* FindChainMenuAt(const POINT& ptScreen);

  // ---------------------------------------------------------------------------------------------
  // Showing and navigating (ExtPopupMenuNavigate.cpp).
  virtual bool PrepareContent(DWORD dwTrackFlags, int x, int y, const RECT* prcExclude, LPVOID pCookie,
                              PFN_COMBINED_AREA_PAINTER pfnPainter, bool bPainterFlag);
  virtual void SetCurrentItem(int nIndex, bool bOpenSubmenu = false, bool bRepaintNow = false,
                              bool bSelectFirst = false);
  virtual void StartSubmenuDelay(int nIndex);
  virtual void ClearCurrentItem(bool bHideInplace = true, bool bNotify = true);
  // Input the hooks route to the hover menu; each answers whether it consumed the message and may
  // set bNoEat to let an unconsumed message go on.
  virtual bool HandleKeyboard(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat);
  virtual bool HandleMouseMove(UINT nMsg, int x, int y, bool& bNoEat);
  virtual bool HandleMouseClick(UINT nMsg, int x, int y, bool& bNoEat);
  virtual bool HandleMouseWheel(UINT nMsg, const MOUSEHOOKSTRUCT* pMouseData, bool& bNoEat);
  virtual void HandleTimer(UINT nIDEvent);
  // Asked before this menu opens from the item that holds it.
  virtual bool CanOpenFromItem() const { return true; }

  // ---------------------------------------------------------------------------------------------
  // Tear-off and in-place edits (ExtPopupMenuTearOff.cpp).
  virtual void BeginTearOff();
  // Creates the edit field of an in-place item over rc (client coordinates); false without
  // in-place data or when the edit cannot be made.
  bool CreateInplaceEditForItem(int nIndex, CWnd* pWndParent, const RECT& rc);

  // ---------------------------------------------------------------------------------------------
  // State (public for the painters, the tracking and the tests).
  ItemArray_t m_items;
  HWND m_hWndCmdReceiver = NULL;
  CExtPopupMenuWnd* m_pParentMenu = NULL;
  DWORD m_dwTrackFlags = 0;
  DWORD m_dwMenuState = 0;
  int m_nLeftAreaWidth = 0;
  int m_nContentWidth = 0, m_nContentHeight = 0;
  int m_nScrollOffset = 0;
  int m_nScrollStep = 0;
  CRect m_rcScrollUp, m_rcScrollDown, m_rcExpandRow, m_rcTearOff;
  int m_nCombineSide = 0; // 0 none, 1 above, 2 below, 3 right, 4 left (where the area lies)
  PFN_COMBINED_AREA_PAINTER m_pfnCombinedAreaPainter = NULL;
  LPVOID m_pCombinedAreaCookie = NULL;
  bool m_bCombinedAreaPainterFlag = false;
  CRgn m_rgnWindow;
  // Navigation and placement (set by showing the menu).
  int m_nCurIndex = -1;
  int m_nPendingSubmenuIndex = -1;
  int m_nLastHoverIndex = -1;
  UINT m_nExpandHoverCounter = 0;
  CPoint m_ptTrack;           // as given: the placement computes the anchor from it
  CRect m_rcExclude;          // screen coordinates
  BYTE m_nPlacementFlags = 0; // bit 0: an excluded rectangle was given; bit 1: combined with it
  CRect m_rcWindow;           // the placement's answer, screen coordinates
  CRect m_rcBody;             // the placed menu body, client coordinates; empty before placement
  ExpandEffectRects_t m_expandRects;
  CExtPopupMenuTipWnd m_tip; // the menu's own tip (item status tips)

  enum : BYTE { PLACE_EXCLUDE_GIVEN = 0x01, PLACE_COMBINED = 0x02 };

protected:
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnCancelMode();
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  // Mouse, key and character messages that reach the window itself: input comes through the hooks.
  afx_msg LRESULT OnSwallowInput(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
  // The top menu's window is gone: the receiver is told and the tracking ends.
  void PostNcDestroy() override;

  // Frees a submenu object with its window and items.
  static void DestroySubmenu(CExtPopupMenuWnd* pPopup);

private:
  // Showing and navigating steps (ExtPopupMenuNavigate.cpp, ExtPopupMenuKeyboard.cpp).
  // Sends one of the prepare messages; false when the receiver vetoes the menu or the chain went
  // while it answered.
  bool SendPrepareMessage(UINT nMessage, BYTE nFlags);
  // Gives the standard window commands the states their receiver windows allow.
  void UpdateSystemCommandStates();
  // The status line of the receiver's frame shows the item's tip (the idle message without one).
  void ShowStatusTipOf(int nIndex);
  // The rows a change of the current item repaints: the item with two neighbours each side, whose
  // rarely-used marks and separators depend on it (the whole client in a palette).
  CRect GetCurrentItemDirtyRect(int nIndex) const;
  // Makes the target of a navigation code current (the expand row expands the menu first).
  void MoveByNavigationCode(int nCode);
  // Executes an item as Enter does: its command callback first, else the chain ends with it.
  void ExecuteItemWithCallback(int nIndex);
  // Enter on the current item (or the first item marked for it); true when consumed.
  bool HandleEnterKey(bool& bNoEat);
  // The keys for the edit field that has the focus; true when consumed.
  bool HandleInplaceEditKey(UINT nChar, bool& bNoEat);
  // Left and Right as the layout reads them; bPhysicalLeft names the key that was pressed.
  bool HandleLeftKey(bool bPhysicalLeft);
  bool HandleRightKey(bool bPhysicalLeft);
  // Closes this submenu and gives the input back to its parent, the same item current.
  void CloseToParent();
  // An accelerator character typed; true when consumed.
  bool HandleAccelKey(UINT nChar, UINT nFlags);
  // Sends the bar's neighbour message (previous for the physical Left key, else next).
  void SendNeighbourMessage(bool bPhysicalLeft);

  // The palette cells of every item relative to the body's top-left corner (a separator spans
  // the content) and the row each lies in (-1 for separators); answers the content size before
  // its minimum. Either vector may be NULL.
  CSize CalcPaletteCells(std::vector<CRect>* pCells, std::vector<int>* pRows) const;

  // Painting steps (ExtPopupMenuPaint.cpp).
  bool HasCombinedArea() const;
  // The receiver draws the items: asked by the top menu of the chain.
  bool IsOwnerDrawingItems();
  void PaintCombinedArea(CDC& dc, const CRect& rcBody);
  void PaintScrollButton(CDC& dc, const CRect& rc, bool bUp, bool bHover);
  void PaintOneItem(CDC& dc, const VisibleItemDefinition_t& vid, bool bOwnerDraw, bool bNoIcon, bool bNoText);
  // Sends to the receiver when it is a window (wParam 0); 0 otherwise.
  LRESULT SendMessageToReceiver(UINT nMessage, LPARAM lParam);
};
