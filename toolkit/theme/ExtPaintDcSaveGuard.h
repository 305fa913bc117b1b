// The whole state of a DC (clip region, colours, selected objects) kept for the length of one
// drawing operation and put back when it ends, however the operation leaves.
#pragma once

#include "framework/gdi/fw_gdi.h"

class CExtDcSaveGuard {
public:
  explicit CExtDcSaveGuard(CDC& dc) : m_dc(dc), m_nSaved(dc.SaveDC()) {}
  ~CExtDcSaveGuard() { m_dc.RestoreDC(m_nSaved); }
  CExtDcSaveGuard(const CExtDcSaveGuard&) = delete;
  CExtDcSaveGuard& operator=(const CExtDcSaveGuard&) = delete;

private:
  CDC& m_dc;
  int m_nSaved;
};
