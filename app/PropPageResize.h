// The task sheet's resize page: a new size for the image (scaled) or the canvas. Every accepted
// change of the width or height is previewed at once on the active view from the picture kept when
// the edit began; OK and " Main Menu " keep the result, Cancel puts the kept picture back.
#pragma once

#include "app/LinkLabel.h"
#include "editor/EffectParams.h"
#include "framework/dlg/fw_dlg.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtGroupBox.h"

class CPropPageResize : public CPropertyPage {
  DECLARE_DYNCREATE(CPropPageResize)
public:
  CPropPageResize();

  // The page's title link: "Resize Image" or "Resize Canvas".
  void SetTitle(const CString& strTitle);
  CString GetTitle() const;
  // Image mode (4007) shows the smoothing and aspect options; canvas mode (4008) hides them.
  void ShowResizeOptions(BOOL bImageMode);
  BOOL IsImageMode() const { return m_bImageMode; }
  // The operation the page applies: 4007 or 4008. Set by the opener once the view has kept its
  // original, so it also opens the page's edit; any other id leaves the edit closed.
  void SetTaskId(int nTaskId);
  int GetTaskId() const { return m_params.taskId; }
  // The size the page started from (the current image size when it was last filled).
  CSize GetOriginalSize() const { return CSize(m_nOriginalWidth, m_nOriginalHeight); }

  // The largest width or height Resize Image accepts; the canvas has no limit.
  enum { kMaxImageSide = 4000 };

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnKillActive() override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnWidthFocus();
  afx_msg void OnHeightFocus();
  afx_msg void OnWidthChange();
  afx_msg void OnHeightChange();
  afx_msg void OnSmoothScaling();
  afx_msg void OnKeepAspect();
  DECLARE_MESSAGE_MAP()

private:
  // Which control the user used last: the page's own changes to the other field are not typing.
  enum { INPUT_CHECK = 0, INPUT_WIDTH = 1, INPUT_HEIGHT = 2 };

  void CreateLinks();
  // One field typed: the other field's id, the message for a value out of range.
  void OnSizeTyped(int nTypedId, int nOtherId, int nIgnoredInput, LPCSTR lpszLimitMessage);
  void ApplyResize();
  void EndEdit(int nLinkId);
  // The field's number; empty or not a number is 0.
  int ReadNumber(int nId) const;
  // Shows the number without taking the change as typed.
  void ShowNumber(int nId, int nValue);
  BOOL IsResizeTask() const;

  EffectParams m_params;
  CLinkLabel m_linkMainMenu;
  CLinkLabel m_linkTitle;
  CLinkLabel m_linkOK;
  CLinkLabel m_linkCancel;
  CLinkLabel m_labelWidth;
  CLinkLabel m_labelHeight;
  CLinkLabel m_textOriginal;
  CExtGroupBox m_groupNewSize;
  CExtGroupBox m_groupOriginal;
  CExtCheckBox m_checkSmooth;
  CExtCheckBox m_checkKeepAspect;
  CString m_strTitle;
  BOOL m_bImageMode;
  int m_nOriginalWidth;
  int m_nOriginalHeight;
  int m_nLastInput;
  int m_nFilling;    // nested fills of the page's own fields in progress
  BOOL m_bEditOpen;  // the view keeps an original for this page's previews
  CSize m_sizeShown; // the size last sent to the view
};
