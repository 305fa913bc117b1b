// The task sheet's resize page: a new size for the image (scaled) or the canvas.
#pragma once

#include "app/LinkLabel.h"
#include "editor/EffectParams.h"
#include "framework/dlg/fw_dlg.h"

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
  // The operation the page applies: 4007 or 4008.
  void SetTaskId(int nTaskId) { m_params.taskId = nTaskId; }
  int GetTaskId() const { return m_params.taskId; }

protected:
  BOOL OnInitDialog() override;

private:
  EffectParams m_params;
  CLinkLabel m_linkTitle;
  CString m_strTitle;
  BOOL m_bImageMode;
};
