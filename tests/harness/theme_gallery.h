// The theme gallery: every drawing operation of the theme engine, one set of pictures per theme.
// Each part paints one picture of the set into a 32-bit DIB section of its size, its ground
// included.
#pragma once

#include "framework/fw.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtMenuJointSource.h"
#include "toolkit/theme/ExtPaintManagerDockMarkers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <memory>
#include <vector>

namespace gallery {

const COLORREF kBack = RGB(255, 255, 255);

const int kOverviewWidth = 640, kOverviewHeight = 420;
const int kControlsWidth = 900, kControlsHeight = 760;
const int kMarksWidth = 720, kMarksHeight = 830;
const int kBarsWidth = 760, kBarsHeight = 760;
const int kFramesWidth = 760, kFramesHeight = 640;
const int kBarButtonsWidth = 760, kBarButtonsHeight = 100;
const int kControls2Width = 900, kControls2Height = 880;

// Black text on a transparent ground.
void Label(CDC& dc, int x, int y, const char* psz);
// A 16 x 16 command icon: three coloured squares over a magenta key.
void MakeGalleryIcon(CExtCmdIcon& icon);
// A 32 x 32 picture with a magenta key; the caller deletes it.
HBITMAP SamplePicture();

// Colours, fonts, gradients, bitmaps and the small parts.
void PaintOverview(CDC& dc, CExtPaintManager* pm, const char* pszName);
// Push buttons, menu rows, icon items, combo faces, tear-off bars and glyphs.
void PaintControls(CDC& dc, CExtPaintManager* pm, const char* pszName);
// Separators, frames and marks, menu joints, dock markers and the drop highlight.
void PaintMarks(CDC& dc, CExtPaintManager* pm, const char* pszName);
// Text buttons, captions, grippers, tab items, chevrons, hidden-items rows and separators.
void PaintBarParts(CDC& dc, CExtPaintManager* pm, const char* pszName);
// Caption buttons, control frames, combo buttons, tab windows, docking-area backgrounds,
// window-command glyphs, docking frames, bar borders and colour icons.
void PaintFrames(CDC& dc, CExtPaintManager* pm, const char* pszName);

// Bar buttons in every state, painted by a real tool bar.
void PaintBarButtons(CDC& dc, CExtPaintManager* pm, const char* pszName);

// The themed controls (buttons, check boxes, group boxes, labels, sliders, combo boxes, colour
// controls, date pickers) in every state, painted by real control windows.
void PaintControls2(CDC& dc, CExtPaintManager* pm, const char* pszName);

} // namespace gallery
