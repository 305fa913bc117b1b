// What the theme tests share: system colours set for the length of a test, and a fixture that
// puts the engine's forced states and the default theme back afterwards.
#pragma once

#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Sets system colours and restores the old values when it goes.
class ScopedSysColors {
public:
  explicit ScopedSysColors(const std::vector<std::pair<int, COLORREF>>& colors) {
    for (const auto& entry : colors) {
      m_indices.push_back(entry.first);
      m_old.push_back(::GetSysColor(entry.first));
      m_new.push_back(entry.second);
    }
    ::SetSysColors((int)m_indices.size(), m_indices.data(), m_new.data());
  }
  ~ScopedSysColors() { ::SetSysColors((int)m_indices.size(), m_indices.data(), m_old.data()); }
  ScopedSysColors(const ScopedSysColors&) = delete;
  ScopedSysColors& operator=(const ScopedSysColors&) = delete;

private:
  std::vector<int> m_indices;
  std::vector<COLORREF> m_old, m_new;
};

// A top-down 32-bit DIB section of one colour, selected into no DC (the caller owns it).
inline HBITMAP MakeSolidBitmap(int cx, int cy, COLORREF clr) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* pBits = NULL;
  HBITMAP h = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  const DWORD px = ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
  for (int i = 0; h != NULL && i < cx * cy; ++i)
    static_cast<DWORD*>(pBits)[i] = px;
  return h;
}

// Fills a rectangle of a bitmap that is selected into no DC.
inline void FillBitmapRect(HBITMAP hBitmap, const RECT& rc, COLORREF clr) {
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
  HBRUSH hBrush = ::CreateSolidBrush(clr);
  ::FillRect(hDC, &rc, hBrush);
  ::DeleteObject(hBrush);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
}

// Every theme test ends with the real screen depth, version and visual style, gradient fills on,
// and a fresh XP theme.
class ThemeTest : public ::testing::Test {
protected:
  void TearDown() override {
    CExtPaintManager::TestForceScreenBitsPerPixel(0);
    CExtPaintManagerHolder::TestForceOsVersion(NULL);
    CExtPaintManagerHolder::TestForceVisualStyle(NULL);
    g_PaintManagerHolder.TestDisableGradientFill(false);
    g_PaintManagerHolder.ClassifyOsVersion();
    g_PaintManagerHolder.InstallTheme(NULL);
  }
};
