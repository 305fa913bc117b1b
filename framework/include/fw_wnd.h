// Command targets and window objects.
#pragma once

#include "fw_core.h"

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
public:
  CCmdTarget() = default;
};

class CWnd : public CCmdTarget {
  DECLARE_DYNAMIC(CWnd)
public:
  CWnd() = default;

  HWND GetSafeHwnd() const { return m_hWnd; }
  // For callers holding a window pointer that may be NULL (NULL answers NULL).
  static HWND GetSafeHwnd(const CWnd* pWnd) { return pWnd != NULL ? pWnd->m_hWnd : NULL; }
  operator HWND() const { return m_hWnd; }

  HWND m_hWnd = NULL;
};
