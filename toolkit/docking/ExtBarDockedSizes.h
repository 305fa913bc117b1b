// A docked bar's stored sizes seen along its row: the thickness across the row and the length along
// it, read or changed for the row's direction, and the bar's minimums for both.
#pragma once

#include "toolkit/docking/ExtControlBar.h"

inline LONG& ThicknessOf(CExtControlBar* pBar, bool bHorz) {
  return bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx;
}
inline LONG& LengthOf(CExtControlBar* pBar, bool bHorz) {
  return bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy;
}
inline int MinThicknessOf(const CExtControlBar* pBar, bool bHorz) {
  return bHorz ? pBar->CalcMinHeight() : pBar->CalcMinWidth();
}
inline int MinLengthOf(const CExtControlBar* pBar, bool bHorz) {
  return bHorz ? pBar->CalcMinWidth() : pBar->CalcMinHeight();
}
