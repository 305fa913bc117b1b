// Painting the tool bar.
#include "toolkit/bars/ExtToolControlBar.h"

void CExtToolControlBar::DoPaint(CDC* pDC) { CExtControlBar::DoPaint(pDC); }
