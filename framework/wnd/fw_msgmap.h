// Message maps: constant tables that route window messages, commands and notifications to
// member functions. Handlers are stored as pointers to members, so virtual handlers dispatch
// virtually and handlers of classes with a mix-in second base get the right `this`.
#pragma once

#include "framework/core/fw_core.h"

#ifndef afx_msg
#define afx_msg // marks a message-map handler
#endif

class CCmdTarget;
class CWnd;
class CDC;
class CMenu;
class CCmdUI;
class CScrollBar;
class CPoint;

typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures: return type, then arguments.
enum AfxSig : UINT {
  AfxSig_end = 0,
  // commands and notifications
  AfxSig_cmd_v,        // void ()
  AfxSig_cmd_b,        // BOOL ()            (control reflect _EX)
  AfxSig_cmd_range,    // void (UINT id)
  AfxSig_cmd_ex,       // BOOL (UINT id)
  AfxSig_cmdui,        // void (CCmdUI*)
  AfxSig_notify,       // void (NMHDR*, LRESULT*)
  AfxSig_notify_b,     // BOOL (NMHDR*, LRESULT*)  (reflect _EX)
  AfxSig_notify_range, // void (UINT id, NMHDR*, LRESULT*)
  AfxSig_notify_ex,    // BOOL (UINT id, NMHDR*, LRESULT*)
  // window messages
  AfxSig_l_w_l,       // LRESULT (WPARAM, LPARAM)
  AfxSig_v_v,         // void ()
  AfxSig_b_v,         // BOOL ()
  AfxSig_u_v,         // UINT ()
  AfxSig_i_CREATE,    // int (LPCREATESTRUCT)
  AfxSig_b_CREATE,    // BOOL (LPCREATESTRUCT)
  AfxSig_v_u_ii,      // void (UINT, int, int)      OnSize
  AfxSig_v_ii,        // void (int, int)            OnMove
  AfxSig_v_u_pRECT,   // void (UINT, LPRECT)        OnSizing, OnMoving
  AfxSig_v_b_u,       // void (BOOL, UINT)          OnShowWindow
  AfxSig_v_WINDOWPOS, // void (WINDOWPOS*)
  AfxSig_v_MINMAX,    // void (MINMAXINFO*)
  AfxSig_b_D,         // BOOL (CDC*)                OnEraseBkgnd
  AfxSig_v_b_NCCALC,  // void (BOOL, NCCALCSIZE_PARAMS*)
  AfxSig_u_p,         // UINT (CPoint)              OnNcHitTest
  AfxSig_b_b,         // BOOL (BOOL)                OnNcActivate
  AfxSig_v_b,         // void (BOOL)                OnEnable, OnEndSession
  AfxSig_v_u_p,       // void (UINT, CPoint)        mouse and non-client mouse
  AfxSig_b_u_s_p,     // BOOL (UINT, short, CPoint) OnMouseWheel
  AfxSig_i_W_u_u,     // int (CWnd*, UINT, UINT)    OnMouseActivate
  AfxSig_b_W_u_u,     // BOOL (CWnd*, UINT, UINT)   OnSetCursor
  AfxSig_v_W_p,       // void (CWnd*, CPoint)       OnContextMenu
  AfxSig_v_W,         // void (CWnd*)               focus, capture, palette
  AfxSig_v_u_u_u,     // void (UINT, UINT, UINT)    keys
  AfxSig_v_u,         // void (UINT)                OnTimer
  AfxSig_v_u_W_b,     // void (UINT, CWnd*, BOOL)   OnActivate
  AfxSig_v_b_dw,      // void (BOOL, DWORD)         OnActivateApp
  AfxSig_v_u_s,       // void (UINT, LPCSTR)        OnSettingChange
  AfxSig_v_u_l,       // void (UINT, LPARAM)        OnSysCommand, OnParentNotify
  AfxSig_v_HDROP,     // void (HDROP)
  AfxSig_v_u_u_SB,    // void (UINT, UINT, CScrollBar*)
  AfxSig_v_M_u_b,     // void (CMenu*, UINT, BOOL)  OnInitMenuPopup
  AfxSig_v_M,         // void (CMenu*)              OnInitMenu
  AfxSig_v_u_u_M,     // void (UINT, UINT, HMENU)   OnMenuSelect
  AfxSig_hbr_D_W_u,   // HBRUSH (CDC*, CWnd*, UINT) OnCtlColor
  AfxSig_v_i_DRAW,    // void (int, LPDRAWITEMSTRUCT)
  AfxSig_v_i_MEASURE, // void (int, LPMEASUREITEMSTRUCT)
  AfxSig_i_i_COMPARE, // int (int, LPCOMPAREITEMSTRUCT)
  AfxSig_v_i_DELETE,  // void (int, LPDELETEITEMSTRUCT)
  AfxSig_v_i_STYLE,   // void (int, LPSTYLESTRUCT)
  AfxSig_b_HELPINFO,  // BOOL (HELPINFO*)
  AfxSig_v_u_W,       // void (UINT, CWnd*)        OnEnterIdle
  AfxSig_v_b_W_W,     // void (BOOL, CWnd*, CWnd*) OnMDIActivate
  // reflected messages
  AfxSig_hbr_D_u,   // HBRUSH (CDC*, UINT)        CtlColor reflect
  AfxSig_v_u_u,     // void (UINT, UINT)          H/VScroll reflect
  AfxSig_v_DRAW,    // void (LPDRAWITEMSTRUCT)
  AfxSig_v_MEASURE, // void (LPMEASUREITEMSTRUCT)
  AfxSig_i_COMPARE, // int (LPCOMPAREITEMSTRUCT)
  AfxSig_v_DELETE,  // void (LPDELETEITEMSTRUCT)
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;            // window message; WM_COMMAND/WM_NOTIFY for commands; reflected + base
  UINT nCode;               // control or notification code
  UINT nID;                 // control id (first of a range)
  UINT nLastID;             // last control id of a range
  const UINT* pnRegistered; // registered message: its id is read when a message arrives
  AfxSig nSig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// Commands travel through OnCmdMsg with these codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_EVENT ((UINT)(-2))
#define CN_OLECOMMAND ((UINT)(-3))
#define CN_OLE_UNREGISTER ((UINT)(-4))

// Reflected messages are looked up as WM_REFLECT_BASE + message in the child's map.
#define WM_REFLECT_BASE 0xBC00

// Notification codes travel to OnCmdMsg as MAKELONG(code, WM_NOTIFY).
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
  static const AFX_MSGMAP* GetThisMessageMap();                                                              \
  const AFX_MSGMAP* GetMessageMap() const override;

#define FW_BEGIN_MSGMAP_BODY(theClass, baseClass)                                                            \
  {                                                                                                          \
    typedef theClass ThisClass;                                                                              \
    typedef baseClass TheBaseClass;                                                                          \
    (void)sizeof(ThisClass*);                                                                                \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                          \
  const AFX_MSGMAP* theClass::GetThisMessageMap() FW_BEGIN_MSGMAP_BODY(theClass, baseClass)

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                                           \
  template <typename type_name> const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const {               \
    return GetThisMessageMap();                                                                              \
  }                                                                                                          \
  template <typename type_name>                                                                              \
  const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap()                                                 \
      FW_BEGIN_MSGMAP_BODY(theClass<type_name>, baseClass)

#define END_MESSAGE_MAP()                                                                                    \
  { 0, 0, 0, 0, NULL, AfxSig_end, NULL }                                                                     \
  }                                                                                                          \
  ;                                                                                                          \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};              \
  return &messageMap;                                                                                        \
  }

// Converts a checked handler pointer into the stored form.
#define FW_PMSG(sigtype, memberFxn) reinterpret_cast<AFX_PMSG>(static_cast<sigtype>(memberFxn))
#define FW_WNDMSG(msg, sig, sigtype, fn) {msg, 0, 0, 0, NULL, sig, FW_PMSG(sigtype, &ThisClass::fn)},

// ---- commands
#define ON_COMMAND(id, memberFxn)                                                                            \
  {WM_COMMAND,                                                                                               \
   CN_COMMAND,                                                                                               \
   (UINT)(id),                                                                                               \
   (UINT)(id),                                                                                               \
   NULL,                                                                                                     \
   AfxSig_cmd_v,                                                                                             \
   FW_PMSG(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                              \
  {WM_COMMAND,                                                                                               \
   CN_COMMAND,                                                                                               \
   (UINT)(id),                                                                                               \
   (UINT)(idLast),                                                                                           \
   NULL,                                                                                                     \
   AfxSig_cmd_range,                                                                                         \
   FW_PMSG(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn)                                                                         \
  {WM_COMMAND,                                                                                               \
   CN_COMMAND,                                                                                               \
   (UINT)(id),                                                                                               \
   (UINT)(id),                                                                                               \
   NULL,                                                                                                     \
   AfxSig_cmd_ex,                                                                                            \
   FW_PMSG(BOOL(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                           \
  {WM_COMMAND,                                                                                               \
   CN_COMMAND,                                                                                               \
   (UINT)(id),                                                                                               \
   (UINT)(idLast),                                                                                           \
   NULL,                                                                                                     \
   AfxSig_cmd_ex,                                                                                            \
   FW_PMSG(BOOL(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                  \
  {WM_COMMAND,                                                                                               \
   CN_UPDATE_COMMAND_UI,                                                                                     \
   (UINT)(id),                                                                                               \
   (UINT)(id),                                                                                               \
   NULL,                                                                                                     \
   AfxSig_cmdui,                                                                                             \
   FW_PMSG(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                                    \
  {WM_COMMAND,                                                                                               \
   CN_UPDATE_COMMAND_UI,                                                                                     \
   (UINT)(id),                                                                                               \
   (UINT)(idLast),                                                                                           \
   NULL,                                                                                                     \
   AfxSig_cmdui,                                                                                             \
   FW_PMSG(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},

// ---- control notifications (WM_COMMAND with a control handle)
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                               \
  {WM_COMMAND,                                                                                               \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   (UINT)(id),                                                                                               \
   (UINT)(id),                                                                                               \
   NULL,                                                                                                     \
   AfxSig_cmd_v,                                                                                             \
   FW_PMSG(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                                 \
  {WM_COMMAND,                                                                                               \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   (UINT)(id),                                                                                               \
   (UINT)(idLast),                                                                                           \
   NULL,                                                                                                     \
   AfxSig_cmd_range,                                                                                         \
   FW_PMSG(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// ---- WM_NOTIFY
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                                \
  {WM_NOTIFY,                                                                                                \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   (UINT)(id),                                                                                               \
   (UINT)(id),                                                                                               \
   NULL,                                                                                                     \
   AfxSig_notify,                                                                                            \
   FW_PMSG(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                  \
  {WM_NOTIFY,                                                                                                \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   (UINT)(id),                                                                                               \
   (UINT)(idLast),                                                                                           \
   NULL,                                                                                                     \
   AfxSig_notify_range,                                                                                      \
   FW_PMSG(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                             \
  {WM_NOTIFY,                                                                                                \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   (UINT)(id),                                                                                               \
   (UINT)(id),                                                                                               \
   NULL,                                                                                                     \
   AfxSig_notify_ex,                                                                                         \
   FW_PMSG(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                                               \
  {WM_NOTIFY,                                                                                                \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   (UINT)(id),                                                                                               \
   (UINT)(idLast),                                                                                           \
   NULL,                                                                                                     \
   AfxSig_notify_ex,                                                                                         \
   FW_PMSG(BOOL(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// ---- reflected to the control itself
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                                           \
  {WM_REFLECT_BASE + WM_COMMAND,                                                                             \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   0,                                                                                                        \
   0,                                                                                                        \
   NULL,                                                                                                     \
   AfxSig_cmd_v,                                                                                             \
   FW_PMSG(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                        \
  {WM_REFLECT_BASE + WM_COMMAND,                                                                             \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   0,                                                                                                        \
   0,                                                                                                        \
   NULL,                                                                                                     \
   AfxSig_cmd_b,                                                                                             \
   FW_PMSG(BOOL(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                                            \
  {WM_REFLECT_BASE + WM_NOTIFY,                                                                              \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   0,                                                                                                        \
   0,                                                                                                        \
   NULL,                                                                                                     \
   AfxSig_notify,                                                                                            \
   FW_PMSG(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                         \
  {WM_REFLECT_BASE + WM_NOTIFY,                                                                              \
   (UINT)(WORD)(wNotifyCode),                                                                                \
   0,                                                                                                        \
   0,                                                                                                        \
   NULL,                                                                                                     \
   AfxSig_notify_b,                                                                                          \
   FW_PMSG(BOOL(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_WM_CTLCOLOR_REFLECT()                                                                             \
  FW_WNDMSG(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, AfxSig_hbr_D_u, HBRUSH(CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_HSCROLL_REFLECT()                                                                              \
  FW_WNDMSG(WM_REFLECT_BASE + WM_HSCROLL, AfxSig_v_u_u, void(CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT()                                                                              \
  FW_WNDMSG(WM_REFLECT_BASE + WM_VSCROLL, AfxSig_v_u_u, void(CWnd::*)(UINT, UINT), VScroll)
#define ON_WM_DRAWITEM_REFLECT()                                                                             \
  FW_WNDMSG(WM_REFLECT_BASE + WM_DRAWITEM, AfxSig_v_DRAW, void(CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                          \
  FW_WNDMSG(WM_REFLECT_BASE + WM_MEASUREITEM, AfxSig_v_MEASURE, void(CWnd::*)(LPMEASUREITEMSTRUCT),          \
            MeasureItem)
#define ON_WM_COMPAREITEM_REFLECT()                                                                          \
  FW_WNDMSG(WM_REFLECT_BASE + WM_COMPAREITEM, AfxSig_i_COMPARE, int(CWnd::*)(LPCOMPAREITEMSTRUCT),           \
            CompareItem)
#define ON_WM_DELETEITEM_REFLECT()                                                                           \
  FW_WNDMSG(WM_REFLECT_BASE + WM_DELETEITEM, AfxSig_v_DELETE, void(CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_PARENTNOTIFY_REFLECT()                                                                         \
  FW_WNDMSG(WM_REFLECT_BASE + WM_PARENTNOTIFY, AfxSig_v_u_l, void(CWnd::*)(UINT, LPARAM), ParentNotify)

// ---- user and registered messages
#define ON_MESSAGE(message, memberFxn)                                                                       \
  {(UINT)(message),                                                                                          \
   0,                                                                                                        \
   0,                                                                                                        \
   0,                                                                                                        \
   NULL,                                                                                                     \
   AfxSig_l_w_l,                                                                                             \
   FW_PMSG(LRESULT(CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                                   \
  {0xC000,                                                                                                   \
   0,                                                                                                        \
   0,                                                                                                        \
   0,                                                                                                        \
   &(nMessageVariable),                                                                                      \
   AfxSig_l_w_l,                                                                                             \
   FW_PMSG(LRESULT(CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
// ---- window messages
#define ON_WM_CREATE() FW_WNDMSG(WM_CREATE, AfxSig_i_CREATE, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() FW_WNDMSG(WM_NCCREATE, AfxSig_b_CREATE, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() FW_WNDMSG(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() FW_WNDMSG(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() FW_WNDMSG(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() FW_WNDMSG(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() FW_WNDMSG(WM_NCPAINT, AfxSig_v_v, void (CWnd::*)(), OnNcPaint)
#define ON_WM_CANCELMODE() FW_WNDMSG(WM_CANCELMODE, AfxSig_v_v, void (CWnd::*)(), OnCancelMode)
#define ON_WM_SYSCOLORCHANGE() FW_WNDMSG(WM_SYSCOLORCHANGE, AfxSig_v_v, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_TIMECHANGE() FW_WNDMSG(WM_TIMECHANGE, AfxSig_v_v, void (CWnd::*)(), OnTimeChange)
#define ON_WM_QUERYNEWPALETTE() FW_WNDMSG(WM_QUERYNEWPALETTE, AfxSig_b_v, BOOL (CWnd::*)(), OnQueryNewPalette)
#define ON_WM_QUERYENDSESSION() FW_WNDMSG(WM_QUERYENDSESSION, AfxSig_b_v, BOOL (CWnd::*)(), OnQueryEndSession)
#define ON_WM_ENDSESSION() FW_WNDMSG(WM_ENDSESSION, AfxSig_v_b, void (CWnd::*)(BOOL), OnEndSession)
#define ON_WM_SIZE() FW_WNDMSG(WM_SIZE, AfxSig_v_u_ii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() FW_WNDMSG(WM_MOVE, AfxSig_v_ii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SIZING() FW_WNDMSG(WM_SIZING, AfxSig_v_u_pRECT, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVING() FW_WNDMSG(WM_MOVING, AfxSig_v_u_pRECT, void (CWnd::*)(UINT, LPRECT), OnMoving)
#define ON_WM_SHOWWINDOW() FW_WNDMSG(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_WINDOWPOSCHANGING()                                                                            \
  FW_WNDMSG(WM_WINDOWPOSCHANGING, AfxSig_v_WINDOWPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()                                                                             \
  FW_WNDMSG(WM_WINDOWPOSCHANGED, AfxSig_v_WINDOWPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_GETMINMAXINFO()                                                                                \
  FW_WNDMSG(WM_GETMINMAXINFO, AfxSig_v_MINMAX, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_ERASEBKGND() FW_WNDMSG(WM_ERASEBKGND, AfxSig_b_D, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_NCCALCSIZE()                                                                                   \
  FW_WNDMSG(WM_NCCALCSIZE, AfxSig_v_b_NCCALC, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_NCHITTEST() FW_WNDMSG(WM_NCHITTEST, AfxSig_u_p, UINT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCACTIVATE() FW_WNDMSG(WM_NCACTIVATE, AfxSig_b_b, BOOL (CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_ENABLE() FW_WNDMSG(WM_ENABLE, AfxSig_v_b, void (CWnd::*)(BOOL), OnEnable)
#define FW_MOUSEMSG(msg, fn) FW_WNDMSG(msg, AfxSig_v_u_p, void (CWnd::*)(UINT, CPoint), fn)
#define ON_WM_NCMOUSEMOVE() FW_MOUSEMSG(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() FW_MOUSEMSG(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() FW_MOUSEMSG(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() FW_MOUSEMSG(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() FW_MOUSEMSG(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() FW_MOUSEMSG(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() FW_MOUSEMSG(WM_NCRBUTTONDBLCLK, OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() FW_MOUSEMSG(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() FW_MOUSEMSG(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() FW_MOUSEMSG(WM_NCMBUTTONDBLCLK, OnNcMButtonDblClk)
#define ON_WM_MOUSEMOVE() FW_MOUSEMSG(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() FW_MOUSEMSG(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() FW_MOUSEMSG(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() FW_MOUSEMSG(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() FW_MOUSEMSG(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() FW_MOUSEMSG(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() FW_MOUSEMSG(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() FW_MOUSEMSG(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() FW_MOUSEMSG(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() FW_MOUSEMSG(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEWHEEL()                                                                                   \
  FW_WNDMSG(WM_MOUSEWHEEL, AfxSig_b_u_s_p, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_MOUSEACTIVATE()                                                                                \
  FW_WNDMSG(WM_MOUSEACTIVATE, AfxSig_i_W_u_u, int (CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_SETCURSOR()                                                                                    \
  FW_WNDMSG(WM_SETCURSOR, AfxSig_b_W_u_u, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CONTEXTMENU()                                                                                  \
  FW_WNDMSG(WM_CONTEXTMENU, AfxSig_v_W_p, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_SETFOCUS() FW_WNDMSG(WM_SETFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() FW_WNDMSG(WM_KILLFOCUS, AfxSig_v_W, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED()                                                                               \
  FW_WNDMSG(WM_CAPTURECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_PALETTECHANGED()                                                                               \
  FW_WNDMSG(WM_PALETTECHANGED, AfxSig_v_W, void (CWnd::*)(CWnd*), OnPaletteChanged)
#define FW_KEYMSG(msg, fn) FW_WNDMSG(msg, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), fn)
#define ON_WM_KEYDOWN() FW_KEYMSG(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() FW_KEYMSG(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() FW_KEYMSG(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() FW_KEYMSG(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() FW_KEYMSG(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() FW_KEYMSG(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() FW_WNDMSG(WM_GETDLGCODE, AfxSig_u_v, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_TIMER() FW_WNDMSG(WM_TIMER, AfxSig_v_u, void (CWnd::*)(UINT), OnTimer)
#define ON_WM_ACTIVATE() FW_WNDMSG(WM_ACTIVATE, AfxSig_v_u_W_b, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP()                                                                                  \
  FW_WNDMSG(WM_ACTIVATEAPP, AfxSig_v_b_dw, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_SETTINGCHANGE()                                                                                \
  FW_WNDMSG(WM_SETTINGCHANGE, AfxSig_v_u_s, void (CWnd::*)(UINT, LPCSTR), OnSettingChange)
#define ON_WM_SYSCOMMAND() FW_WNDMSG(WM_SYSCOMMAND, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_DROPFILES() FW_WNDMSG(WM_DROPFILES, AfxSig_v_HDROP, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_HSCROLL()                                                                                      \
  FW_WNDMSG(WM_HSCROLL, AfxSig_v_u_u_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()                                                                                      \
  FW_WNDMSG(WM_VSCROLL, AfxSig_v_u_u_SB, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_PARENTNOTIFY()                                                                                 \
  FW_WNDMSG(WM_PARENTNOTIFY, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), OnParentNotify)
#define ON_WM_INITMENUPOPUP()                                                                                \
  FW_WNDMSG(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_INITMENU() FW_WNDMSG(WM_INITMENU, AfxSig_v_M, void (CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_MENUSELECT()                                                                                   \
  FW_WNDMSG(WM_MENUSELECT, AfxSig_v_u_u_M, void (CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_CTLCOLOR()                                                                                     \
  FW_WNDMSG(WM_CTLCOLORSTATIC, AfxSig_hbr_D_W_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM()                                                                                     \
  FW_WNDMSG(WM_DRAWITEM, AfxSig_v_i_DRAW, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()                                                                                  \
  FW_WNDMSG(WM_MEASUREITEM, AfxSig_v_i_MEASURE, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM()                                                                                  \
  FW_WNDMSG(WM_COMPAREITEM, AfxSig_i_i_COMPARE, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_DELETEITEM()                                                                                   \
  FW_WNDMSG(WM_DELETEITEM, AfxSig_v_i_DELETE, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_STYLECHANGED()                                                                                 \
  FW_WNDMSG(WM_STYLECHANGED, AfxSig_v_i_STYLE, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanged)
#define ON_WM_STYLECHANGING()                                                                                \
  FW_WNDMSG(WM_STYLECHANGING, AfxSig_v_i_STYLE, void (CWnd::*)(int, LPSTYLESTRUCT), OnStyleChanging)
#define ON_WM_HELPINFO() FW_WNDMSG(WM_HELP, AfxSig_b_HELPINFO, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_ENTERIDLE() FW_WNDMSG(WM_ENTERIDLE, AfxSig_v_u_W, void (CWnd::*)(UINT, CWnd*), OnEnterIdle)
#define ON_WM_MDIACTIVATE()                                                                                  \
  FW_WNDMSG(WM_MDIACTIVATE, AfxSig_v_b_W_W, void (CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)
