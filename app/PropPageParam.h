// The task sheet's effect page: the parameters of one image operation.
#pragma once

#include "framework/dlg/fw_dlg.h"

class CPropPageParam : public CPropertyPage {
  DECLARE_DYNCREATE(CPropPageParam)
public:
  CPropPageParam();

  // The operation the page was last opened for (UM_SELECT_EFFECT's wParam); 0 before.
  int GetTaskId() const { return m_nTaskId; }

protected:
  afx_msg LRESULT OnSelectEffect(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  int m_nTaskId;
};
