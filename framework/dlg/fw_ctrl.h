// Control wrappers: thin typed helpers over the system control classes. Each Create makes the
// control under the creation hook, so the object receives every message from WM_NCCREATE on;
// SubclassDlgItem and DDX_Control attach an object to a control a dialog template made.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"

#include <commctrl.h>

class CImageList;

// Registers the common-control classes in icc once per process (InitCommonControlsEx).
void AFXAPI AfxInitCommonControls(DWORD dwIccFlags);

// ---------------------------------------------------------------------------------------------

class CStatic : public CWnd {
  DECLARE_DYNAMIC(CStatic)
public:
  CStatic() = default;
  BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);

  HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)hIcon, 0); }
  HICON GetIcon() const { return (HICON)SendMessage(STM_GETICON, 0, 0); }
  HBITMAP SetBitmap(HBITMAP hBitmap) {
    return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
  }
  HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0); }
  HCURSOR SetCursor(HCURSOR hCursor) {
    return (HCURSOR)SendMessage(STM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor);
  }
  HENHMETAFILE SetEnhMetaFile(HENHMETAFILE hMeta) {
    return (HENHMETAFILE)SendMessage(STM_SETIMAGE, IMAGE_ENHMETAFILE, (LPARAM)hMeta);
  }
};

// ---------------------------------------------------------------------------------------------

class CButton : public CWnd {
  DECLARE_DYNAMIC(CButton)
public:
  CButton() = default;
  BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE, 0, 0); }
  void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight, 0); }
  int GetCheck() const { return (int)SendMessage(BM_GETCHECK, 0, 0); }
  void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, nCheck, 0); }
  UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
  HICON SetIcon(HICON hIcon) { return (HICON)SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)hIcon); }
  HICON GetIcon() const { return (HICON)SendMessage(BM_GETIMAGE, IMAGE_ICON, 0); }
  HBITMAP SetBitmap(HBITMAP hBitmap) {
    return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
  }
  HBITMAP GetBitmap() const { return (HBITMAP)SendMessage(BM_GETIMAGE, IMAGE_BITMAP, 0); }
  HCURSOR SetCursor(HCURSOR hCursor) {
    return (HCURSOR)SendMessage(BM_SETIMAGE, IMAGE_CURSOR, (LPARAM)hCursor);
  }

  // Owner-drawn buttons override this; the parent's WM_DRAWITEM reaches it by reflection.
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// ---------------------------------------------------------------------------------------------

class CEdit : public CWnd {
  DECLARE_DYNAMIC(CEdit)
public:
  CEdit() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL CanUndo() const { return (BOOL)SendMessage(EM_CANUNDO, 0, 0); }
  int GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT, 0, 0); }
  BOOL GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY, 0, 0); }
  void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified, 0); }
  void GetRect(LPRECT lpRect) const { SendMessage(EM_GETRECT, 0, (LPARAM)lpRect); }
  DWORD GetSel() const { return (DWORD)SendMessage(EM_GETSEL, 0, 0); }
  void GetSel(int& nStartChar, int& nEndChar) const {
    SendMessage(EM_GETSEL, (WPARAM)&nStartChar, (LPARAM)&nEndChar);
  }
  void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE) {
    SendMessage(EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
      SendMessage(EM_SCROLLCARET, 0, 0);
  }
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE) {
    SendMessage(EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
      SendMessage(EM_SCROLLCARET, 0, 0);
  }
  void ReplaceSel(LPCSTR lpszNewText, BOOL bCanUndo = FALSE) {
    SendMessage(EM_REPLACESEL, bCanUndo, (LPARAM)lpszNewText);
  }
  void SetLimitText(UINT nMax) { SendMessage(EM_SETLIMITTEXT, nMax, 0); }
  void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, nChars, 0); }
  UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT, 0, 0); }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return (BOOL)SendMessage(EM_SETREADONLY, bReadOnly, 0); }
  int GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const;
  int LineIndex(int nLine = -1) const { return (int)SendMessage(EM_LINEINDEX, nLine, 0); }
  int LineLength(int nLine = -1) const { return (int)SendMessage(EM_LINELENGTH, nLine, 0); }
  int LineFromChar(int nIndex = -1) const { return (int)SendMessage(EM_LINEFROMCHAR, nIndex, 0); }
  void LineScroll(int nLines, int nChars = 0) { SendMessage(EM_LINESCROLL, nChars, nLines); }
  void SetPasswordChar(char ch) { SendMessage(EM_SETPASSWORDCHAR, (WPARAM)(BYTE)ch, 0); }
  void SetMargins(UINT nLeft, UINT nRight) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(nLeft, nRight));
  }
  BOOL Undo() { return (BOOL)SendMessage(EM_UNDO, 0, 0); }
  void EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER, 0, 0); }
  void Clear() { SendMessage(WM_CLEAR, 0, 0); }
  void Copy() { SendMessage(WM_COPY, 0, 0); }
  void Cut() { SendMessage(WM_CUT, 0, 0); }
  void Paste() { SendMessage(WM_PASTE, 0, 0); }
};

// ---------------------------------------------------------------------------------------------

class CListBox : public CWnd {
  DECLARE_DYNAMIC(CListBox)
public:
  CListBox() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const { return (int)SendMessage(LB_GETCOUNT, 0, 0); }
  int GetHorizontalExtent() const { return (int)SendMessage(LB_GETHORIZONTALEXTENT, 0, 0); }
  void SetHorizontalExtent(int cxExtent) { SendMessage(LB_SETHORIZONTALEXTENT, cxExtent, 0); }
  int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX, 0, 0); }
  int SetTopIndex(int nIndex) { return (int)SendMessage(LB_SETTOPINDEX, nIndex, 0); }
  DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, nIndex, 0); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return (int)SendMessage(LB_SETITEMDATA, nIndex, (LPARAM)dwItemData);
  }
  void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
  int GetItemRect(int nIndex, LPRECT lpRect) const {
    return (int)SendMessage(LB_GETITEMRECT, nIndex, (LPARAM)lpRect);
  }
  int GetItemHeight(int nIndex) const { return (int)SendMessage(LB_GETITEMHEIGHT, nIndex, 0); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) {
    return (int)SendMessage(LB_SETITEMHEIGHT, nIndex, MAKELONG(cyItemHeight, 0));
  }
  int GetText(int nIndex, LPSTR lpszBuffer) const {
    return (int)SendMessage(LB_GETTEXT, nIndex, (LPARAM)lpszBuffer);
  }
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const { return (int)SendMessage(LB_GETTEXTLEN, nIndex, 0); }

  // Single selection
  int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL, 0, 0); }
  int SetCurSel(int nSelect) { return (int)SendMessage(LB_SETCURSEL, nSelect, 0); }
  // Multiple selection
  int GetSel(int nIndex) const { return (int)SendMessage(LB_GETSEL, nIndex, 0); }
  int SetSel(int nIndex, BOOL bSelect = TRUE) { return (int)SendMessage(LB_SETSEL, bSelect, nIndex); }
  int GetSelCount() const { return (int)SendMessage(LB_GETSELCOUNT, 0, 0); }
  int GetSelItems(int nMaxItems, LPINT rgIndex) const {
    return (int)SendMessage(LB_GETSELITEMS, nMaxItems, (LPARAM)rgIndex);
  }
  int GetCaretIndex() const { return (int)SendMessage(LB_GETCARETINDEX, 0, 0); }
  int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) {
    return (int)SendMessage(LB_SETCARETINDEX, nIndex, bScroll);
  }

  int AddString(LPCSTR lpszItem) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)lpszItem); }
  int DeleteString(UINT nIndex) { return (int)SendMessage(LB_DELETESTRING, nIndex, 0); }
  int InsertString(int nIndex, LPCSTR lpszItem) {
    return (int)SendMessage(LB_INSERTSTRING, nIndex, (LPARAM)lpszItem);
  }
  void ResetContent() { SendMessage(LB_RESETCONTENT, 0, 0); }
  int FindString(int nStartAfter, LPCSTR lpszItem) const {
    return (int)SendMessage(LB_FINDSTRING, nStartAfter, (LPARAM)lpszItem);
  }
  int FindStringExact(int nIndexStart, LPCSTR lpszFind) const {
    return (int)SendMessage(LB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind);
  }
  int SelectString(int nStartAfter, LPCSTR lpszItem) {
    return (int)SendMessage(LB_SELECTSTRING, nStartAfter, (LPARAM)lpszItem);
  }

  // Owner-drawn and sorted owner-data lists override these; they arrive by reflection.
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// ---------------------------------------------------------------------------------------------

class CComboBox : public CWnd {
  DECLARE_DYNAMIC(CComboBox)
public:
  CComboBox() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetCount() const { return (int)SendMessage(CB_GETCOUNT, 0, 0); }
  int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL, 0, 0); }
  int SetCurSel(int nSelect) { return (int)SendMessage(CB_SETCURSEL, nSelect, 0); }
  DWORD GetEditSel() const { return (DWORD)SendMessage(CB_GETEDITSEL, 0, 0); }
  BOOL LimitText(int nMaxChars) { return (BOOL)SendMessage(CB_LIMITTEXT, nMaxChars, 0); }
  BOOL SetEditSel(int nStartChar, int nEndChar) {
    return (BOOL)SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar));
  }
  DWORD_PTR GetItemData(int nIndex) const { return (DWORD_PTR)SendMessage(CB_GETITEMDATA, nIndex, 0); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return (int)SendMessage(CB_SETITEMDATA, nIndex, (LPARAM)dwItemData);
  }
  void* GetItemDataPtr(int nIndex) const { return (void*)GetItemData(nIndex); }
  int SetItemDataPtr(int nIndex, void* pData) { return SetItemData(nIndex, (DWORD_PTR)pData); }
  int GetLBText(int nIndex, LPSTR lpszText) const {
    return (int)SendMessage(CB_GETLBTEXT, nIndex, (LPARAM)lpszText);
  }
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const { return (int)SendMessage(CB_GETLBTEXTLEN, nIndex, 0); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) {
    return (int)SendMessage(CB_SETITEMHEIGHT, nIndex, cyItemHeight);
  }
  int GetItemHeight(int nIndex) const { return (int)SendMessage(CB_GETITEMHEIGHT, nIndex, 0); }
  int FindStringExact(int nIndexStart, LPCSTR lpszFind) const {
    return (int)SendMessage(CB_FINDSTRINGEXACT, nIndexStart, (LPARAM)lpszFind);
  }
  int SetExtendedUI(BOOL bExtended = TRUE) { return (int)SendMessage(CB_SETEXTENDEDUI, bExtended, 0); }
  BOOL GetExtendedUI() const { return (BOOL)SendMessage(CB_GETEXTENDEDUI, 0, 0); }
  void GetDroppedControlRect(LPRECT lprect) const {
    SendMessage(CB_GETDROPPEDCONTROLRECT, 0, (LPARAM)lprect);
  }
  BOOL GetDroppedState() const { return (BOOL)SendMessage(CB_GETDROPPEDSTATE, 0, 0); }
  int GetDroppedWidth() const { return (int)SendMessage(CB_GETDROPPEDWIDTH, 0, 0); }
  int SetDroppedWidth(UINT nWidth) { return (int)SendMessage(CB_SETDROPPEDWIDTH, nWidth, 0); }
  int GetTopIndex() const { return (int)SendMessage(CB_GETTOPINDEX, 0, 0); }
  int SetTopIndex(int nIndex) { return (int)SendMessage(CB_SETTOPINDEX, nIndex, 0); }
  void ShowDropDown(BOOL bShowIt = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShowIt, 0); }

  int AddString(LPCSTR lpszString) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)lpszString); }
  int DeleteString(UINT nIndex) { return (int)SendMessage(CB_DELETESTRING, nIndex, 0); }
  int InsertString(int nIndex, LPCSTR lpszString) {
    return (int)SendMessage(CB_INSERTSTRING, nIndex, (LPARAM)lpszString);
  }
  void ResetContent() { SendMessage(CB_RESETCONTENT, 0, 0); }
  int FindString(int nStartAfter, LPCSTR lpszString) const {
    return (int)SendMessage(CB_FINDSTRING, nStartAfter, (LPARAM)lpszString);
  }
  int SelectString(int nStartAfter, LPCSTR lpszString) {
    return (int)SendMessage(CB_SELECTSTRING, nStartAfter, (LPARAM)lpszString);
  }
  void Clear() { SendMessage(WM_CLEAR, 0, 0); }
  void Copy() { SendMessage(WM_COPY, 0, 0); }
  void Cut() { SendMessage(WM_CUT, 0, 0); }
  void Paste() { SendMessage(WM_PASTE, 0, 0); }

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
  void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

protected:
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// ---------------------------------------------------------------------------------------------

class CScrollBar : public CWnd {
  DECLARE_DYNAMIC(CScrollBar)
public:
  CScrollBar() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
  void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const {
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
  }
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) {
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
  }
  void ShowScrollBar(BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, SB_CTL, bShow); }
  BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) {
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
  }
  BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
  }
  BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) {
    lpScrollInfo->cbSize = sizeof(*lpScrollInfo);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
  }
  int GetScrollLimit();
};

// ---------------------------------------------------------------------------------------------

class CSliderCtrl : public CWnd {
  DECLARE_DYNAMIC(CSliderCtrl)
public:
  CSliderCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  int GetLineSize() const { return (int)SendMessage(TBM_GETLINESIZE, 0, 0); }
  int SetLineSize(int nSize) { return (int)SendMessage(TBM_SETLINESIZE, 0, nSize); }
  int GetPageSize() const { return (int)SendMessage(TBM_GETPAGESIZE, 0, 0); }
  int SetPageSize(int nSize) { return (int)SendMessage(TBM_SETPAGESIZE, 0, nSize); }
  int GetRangeMax() const { return (int)SendMessage(TBM_GETRANGEMAX, 0, 0); }
  int GetRangeMin() const { return (int)SendMessage(TBM_GETRANGEMIN, 0, 0); }
  void GetRange(int& nMin, int& nMax) const {
    nMin = GetRangeMin();
    nMax = GetRangeMax();
  }
  void SetRangeMin(int nMin, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, bRedraw, nMin); }
  void SetRangeMax(int nMax, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMAX, bRedraw, nMax); }
  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE) {
    SetRangeMin(nMin, FALSE);
    SetRangeMax(nMax, bRedraw);
  }
  int GetPos() const { return (int)SendMessage(TBM_GETPOS, 0, 0); }
  void SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
  void SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, nFreq, 0); }
  BOOL SetTic(int nTic) { return (BOOL)SendMessage(TBM_SETTIC, 0, nTic); }
  void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw, 0); }
  int GetNumTics() const { return (int)SendMessage(TBM_GETNUMTICS, 0, 0); }
  void GetChannelRect(LPRECT lprc) const { SendMessage(TBM_GETCHANNELRECT, 0, (LPARAM)lprc); }
  void GetThumbRect(LPRECT lprc) const { SendMessage(TBM_GETTHUMBRECT, 0, (LPARAM)lprc); }
  CWnd* SetBuddy(CWnd* pWndBuddy, BOOL fLocation = TRUE) {
    return CWnd::FromHandle(
        (HWND)SendMessage(TBM_SETBUDDY, fLocation, (LPARAM)(pWndBuddy != NULL ? pWndBuddy->m_hWnd : NULL)));
  }
};

// ---------------------------------------------------------------------------------------------

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
  CSpinButtonCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL SetAccel(int nAccel, UDACCEL* pAccel) {
    return (BOOL)SendMessage(UDM_SETACCEL, nAccel, (LPARAM)pAccel);
  }
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const {
    return (UINT)SendMessage(UDM_GETACCEL, nAccel, (LPARAM)pAccel);
  }
  int SetBase(int nBase) { return (int)SendMessage(UDM_SETBASE, nBase, 0); }
  UINT GetBase() const { return (UINT)SendMessage(UDM_GETBASE, 0, 0); }
  CWnd* SetBuddy(CWnd* pWndBuddy) {
    return CWnd::FromHandle(
        (HWND)SendMessage(UDM_SETBUDDY, (WPARAM)(pWndBuddy != NULL ? pWndBuddy->m_hWnd : NULL), 0));
  }
  CWnd* GetBuddy() const { return CWnd::FromHandle((HWND)SendMessage(UDM_GETBUDDY, 0, 0)); }
  // The 16-bit position; the high word of the answer is non-zero when the buddy text is not a number.
  int SetPos(int nPos) { return (int)(short)LOWORD(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0))); }
  int GetPos() const { return (int)SendMessage(UDM_GETPOS, 0, 0); }
  void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, nLower, nUpper); }
  DWORD GetRange() const { return (DWORD)SendMessage(UDM_GETRANGE, 0, 0); }
  void GetRange(int& nLower, int& nUpper) const;
  void GetRange32(int& nLower, int& nUpper) const {
    SendMessage(UDM_GETRANGE32, (WPARAM)&nLower, (LPARAM)&nUpper);
  }
  int SetPos32(int nPos) { return (int)SendMessage(UDM_SETPOS32, 0, nPos); }
  int GetPos32(LPBOOL lpbError = NULL) const { return (int)SendMessage(UDM_GETPOS32, 0, (LPARAM)lpbError); }
};

// ---------------------------------------------------------------------------------------------

class CProgressCtrl : public CWnd {
  DECLARE_DYNAMIC(CProgressCtrl)
public:
  CProgressCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  void SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, nLower, nUpper); }
  void GetRange(int& nLower, int& nUpper) const;
  int GetPos() const { return (int)SendMessage(PBM_GETPOS, 0, 0); }
  int SetPos(int nPos) { return (int)SendMessage(PBM_SETPOS, nPos, 0); }
  int OffsetPos(int nPos) { return (int)SendMessage(PBM_DELTAPOS, nPos, 0); }
  int SetStep(int nStep) { return (int)SendMessage(PBM_SETSTEP, nStep, 0); }
  int StepIt() { return (int)SendMessage(PBM_STEPIT, 0, 0); }
};

// ---------------------------------------------------------------------------------------------

class CListCtrl : public CWnd {
  DECLARE_DYNAMIC(CListCtrl)
public:
  CListCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  COLORREF GetBkColor() const { return (COLORREF)SendMessage(LVM_GETBKCOLOR, 0, 0); }
  BOOL SetBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETBKCOLOR, 0, cr); }
  COLORREF GetTextColor() const { return (COLORREF)SendMessage(LVM_GETTEXTCOLOR, 0, 0); }
  BOOL SetTextColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTCOLOR, 0, cr); }
  COLORREF GetTextBkColor() const { return (COLORREF)SendMessage(LVM_GETTEXTBKCOLOR, 0, 0); }
  BOOL SetTextBkColor(COLORREF cr) { return (BOOL)SendMessage(LVM_SETTEXTBKCOLOR, 0, cr); }
  CImageList* GetImageList(int nImageList) const;
  // The list does not own the image list unless it has LVS_SHAREIMAGELISTS cleared; the caller
  // keeps the object alive while the list uses it.
  CImageList* SetImageList(CImageList* pImageList, int nImageListType);
  int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT, 0, 0); }
  BOOL GetItem(LVITEMA* pItem) const { return (BOOL)SendMessage(LVM_GETITEMA, 0, (LPARAM)pItem); }
  BOOL SetItem(const LVITEMA* pItem) { return (BOOL)SendMessage(LVM_SETITEMA, 0, (LPARAM)pItem); }
  BOOL SetItemState(int nItem, UINT nState, UINT nMask);
  UINT GetItemState(int nItem, UINT nMask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, nItem, nMask); }
  CString GetItemText(int nItem, int nSubItem) const;
  BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
  BOOL SetItemData(int nItem, DWORD_PTR dwData);
  DWORD_PTR GetItemData(int nItem) const;
  UINT GetSelectedCount() const { return (UINT)SendMessage(LVM_GETSELECTEDCOUNT, 0, 0); }
  int GetNextItem(int nItem, int nFlags) const {
    return (int)SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
  }
  // Iterates the selected items in index order: the position is the item index plus one.
  POSITION GetFirstSelectedItemPosition() const;
  int GetNextSelectedItem(POSITION& pos) const;
  BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
  BOOL GetItemPosition(int nItem, LPPOINT lpPoint) const {
    return (BOOL)SendMessage(LVM_GETITEMPOSITION, nItem, (LPARAM)lpPoint);
  }
  int GetStringWidth(LPCSTR lpsz) const { return (int)SendMessage(LVM_GETSTRINGWIDTHA, 0, (LPARAM)lpsz); }
  DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0); }
  DWORD SetExtendedStyle(DWORD dwNewStyle) {
    return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
  }
  int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX, 0, 0); }
  int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE, 0, 0); }
  DWORD SetIconSpacing(int cx, int cy) { return (DWORD)SendMessage(LVM_SETICONSPACING, 0, MAKELONG(cx, cy)); }
  BOOL SetColumnWidth(int nCol, int cx) {
    return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0));
  }
  int GetColumnWidth(int nCol) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, nCol, 0); }
  void SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, nItems, 0); }

  int InsertItem(const LVITEMA* pItem) { return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)pItem); }
  int InsertItem(int nItem, LPCSTR lpszItem);
  int InsertItem(int nItem, LPCSTR lpszItem, int nImage);
  int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                   int nSubItem = -1);
  BOOL DeleteColumn(int nCol) { return (BOOL)SendMessage(LVM_DELETECOLUMN, nCol, 0); }
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(LVM_DELETEITEM, nItem, 0); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS, 0, 0); }
  int FindItem(LVFINDINFOA* pFindInfo, int nStart = -1) const {
    return (int)SendMessage(LVM_FINDITEMA, nStart, (LPARAM)pFindInfo);
  }
  int HitTest(LVHITTESTINFO* pHitTestInfo) const {
    return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)pHitTestInfo);
  }
  int HitTest(CPoint pt, UINT* pFlags = NULL) const;
  BOOL EnsureVisible(int nItem, BOOL bPartialOK) {
    return (BOOL)SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK);
  }
  BOOL Scroll(CSize size) { return (BOOL)SendMessage(LVM_SCROLL, size.cx, size.cy); }
  BOOL RedrawItems(int nFirst, int nLast) { return (BOOL)SendMessage(LVM_REDRAWITEMS, nFirst, nLast); }
  BOOL Arrange(UINT nCode) { return (BOOL)SendMessage(LVM_ARRANGE, nCode, 0); }
  BOOL Update(int nItem) { return (BOOL)SendMessage(LVM_UPDATE, nItem, 0); }
};

// ---------------------------------------------------------------------------------------------

class CTabCtrl : public CWnd {
  DECLARE_DYNAMIC(CTabCtrl)
public:
  CTabCtrl() = default;
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  CImageList* GetImageList() const;
  CImageList* SetImageList(CImageList* pImageList);
  int GetItemCount() const { return (int)SendMessage(TCM_GETITEMCOUNT, 0, 0); }
  BOOL GetItem(int nItem, TCITEMA* pTabCtrlItem) const {
    return (BOOL)SendMessage(TCM_GETITEMA, nItem, (LPARAM)pTabCtrlItem);
  }
  BOOL SetItem(int nItem, TCITEMA* pTabCtrlItem) {
    return (BOOL)SendMessage(TCM_SETITEMA, nItem, (LPARAM)pTabCtrlItem);
  }
  BOOL GetItemRect(int nItem, LPRECT lpRect) const {
    return (BOOL)SendMessage(TCM_GETITEMRECT, nItem, (LPARAM)lpRect);
  }
  int GetCurSel() const { return (int)SendMessage(TCM_GETCURSEL, 0, 0); }
  int SetCurSel(int nItem) { return (int)SendMessage(TCM_SETCURSEL, nItem, 0); }
  int GetCurFocus() const { return (int)SendMessage(TCM_GETCURFOCUS, 0, 0); }
  void SetCurFocus(int nItem) { SendMessage(TCM_SETCURFOCUS, nItem, 0); }
  CSize SetItemSize(CSize size);
  void SetPadding(CSize size) { SendMessage(TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
  int GetRowCount() const { return (int)SendMessage(TCM_GETROWCOUNT, 0, 0); }
  // Between a window rectangle (bLarger TRUE) and its display area (bLarger FALSE).
  void AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }

  LONG InsertItem(int nItem, LPCSTR lpszItem);
  LONG InsertItem(int nItem, LPCSTR lpszItem, int nImage);
  LONG InsertItem(int nItem, TCITEMA* pTabCtrlItem) {
    return (LONG)SendMessage(TCM_INSERTITEMA, nItem, (LPARAM)pTabCtrlItem);
  }
  BOOL DeleteItem(int nItem) { return (BOOL)SendMessage(TCM_DELETEITEM, nItem, 0); }
  BOOL DeleteAllItems() { return (BOOL)SendMessage(TCM_DELETEALLITEMS, 0, 0); }
  int HitTest(TCHITTESTINFO* pHitTestInfo) const {
    return (int)SendMessage(TCM_HITTEST, 0, (LPARAM)pHitTestInfo);
  }
};

// ---------------------------------------------------------------------------------------------

class CToolTipCtrl : public CWnd {
  DECLARE_DYNAMIC(CToolTipCtrl)
public:
  CToolTipCtrl() = default;
  // A pop-up owned by pParentWnd's window.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

  void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate, 0); }
  // A tool for a rectangle of pWnd's client area (rect empty with nIDTool 0: the whole window).
  BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL,
               UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  BOOL GetToolInfo(TOOLINFOA* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolInfo(TOOLINFOA* pToolInfo) { SendMessage(TTM_SETTOOLINFOA, 0, (LPARAM)pToolInfo); }
  int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT, 0, 0); }
  int SetMaxTipWidth(int iWidth) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth); }
  int GetMaxTipWidth() const { return (int)SendMessage(TTM_GETMAXTIPWIDTH, 0, 0); }
  void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
  void SetDelayTime(DWORD dwDuration, int iTime) {
    SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
  }
  int GetDelayTime(DWORD dwDuration) const { return (int)SendMessage(TTM_GETDELAYTIME, dwDuration, 0); }
  void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, clr, 0); }
  void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, clr, 0); }
  void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
  void Pop() { SendMessage(TTM_POP, 0, 0); }
  void Update() { SendMessage(TTM_UPDATE, 0, 0); }

private:
  void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
