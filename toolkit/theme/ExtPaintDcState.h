// DC state kept for the length of one drawing operation and put back when it ends, however the
// operation leaves: the text state alone, or the whole state.
#pragma once

#include "framework/gdi/fw_gdi.h"

class CExtDcTextState {
public:
  explicit CExtDcTextState(CDC& dc)
      : m_hDC(dc.m_hDC), m_clrText(::GetTextColor(m_hDC)), m_clrBack(::GetBkColor(m_hDC)),
        m_nBkMode(::GetBkMode(m_hDC)), m_hFont(::GetCurrentObject(m_hDC, OBJ_FONT)) {}
  ~CExtDcTextState() {
    ::SelectObject(m_hDC, m_hFont);
    ::SetBkMode(m_hDC, m_nBkMode);
    ::SetBkColor(m_hDC, m_clrBack);
    ::SetTextColor(m_hDC, m_clrText);
  }
  CExtDcTextState(const CExtDcTextState&) = delete;
  CExtDcTextState& operator=(const CExtDcTextState&) = delete;

private:
  HDC m_hDC;
  COLORREF m_clrText, m_clrBack;
  int m_nBkMode;
  HGDIOBJ m_hFont;
};

// The whole state of a DC (clip region, colours, selected objects) kept for one drawing operation.
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

// A font made for one drawing operation and deleted at its end.
class CExtTempFont {
public:
  CExtTempFont() = default;
  ~CExtTempFont() {
    if (m_hFont != NULL)
      ::DeleteObject(m_hFont);
  }
  CExtTempFont(const CExtTempFont&) = delete;
  CExtTempFont& operator=(const CExtTempFont&) = delete;
  HFONT Create(const LOGFONTA& lf) {
    if (m_hFont != NULL)
      ::DeleteObject(m_hFont);
    m_hFont = ::CreateFontIndirectA(&lf);
    return m_hFont;
  }
  HFONT Get() const { return m_hFont; }

private:
  HFONT m_hFont = NULL;
};

// The override when the caller gave one, else the theme's colour.
inline COLORREF PickColor(COLORREF clrOverride, COLORREF clrTheme) {
  return clrOverride != (COLORREF)-1 ? clrOverride : clrTheme;
}
