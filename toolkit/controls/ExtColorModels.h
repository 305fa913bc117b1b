// The picker models of the colour control. Each model keeps the picked colour in RGB and in
// hue-lightness-saturation form, lays itself out in the control's client area, paints itself and
// turns mouse positions into colours. The gradient pickers cache their pictures off screen; the
// cell pickers are arrays of hexagonal or rectangular cells.
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/gdi/fw_gdi.h"
#include "toolkit/controls/ExtColorCtrl.h"

#include <vector>

// An off-screen picture: a memory DC holding a bitmap compatible with a reference DC.
class CExtColorPicture {
public:
  CExtColorPicture() = default;
  ~CExtColorPicture() { Destroy(); }
  CExtColorPicture(const CExtColorPicture&) = delete;
  CExtColorPicture& operator=(const CExtColorPicture&) = delete;

  // Makes a cx x cy picture compatible with pRefDC (the screen when NULL), the palette selected
  // when given; false (and no picture) when the DC or the bitmap cannot be made.
  bool Create(CDC* pRefDC, int cx, int cy, CPalette* pPalette);
  void Destroy();
  bool Exists() const { return m_dc.GetSafeHdc() != NULL; }
  CDC& dc() { return m_dc; }
  int Width() const { return m_cx; }
  int Height() const { return m_cy; }

private:
  CBitmap m_bmp; // declared first: outlives the DC
  CDC m_dc;
  HGDIOBJ m_hOldBitmap = NULL;
  HPALETTE m_hOldPalette = NULL;
  int m_cx = 0, m_cy = 0;
};

// Writes the samples of a picture: pixel by pixel into a buffer copied at once on deep screens,
// or as solid 4 x 4 blocks on palette screens, where single pixels would not dither.
class CExtColorPictureCanvas {
public:
  CExtColorPictureCanvas(CExtColorPicture& picture, bool bPaletteScreen);
  // Copies the buffered pixels to the picture.
  ~CExtColorPictureCanvas();
  CExtColorPictureCanvas(const CExtColorPictureCanvas&) = delete;
  CExtColorPictureCanvas& operator=(const CExtColorPictureCanvas&) = delete;

  bool IsPaletteScreen() const { return m_bPalette; }
  void Fill(COLORREF clr);
  // Outside the picture nothing happens.
  void SetPixel(int x, int y, COLORREF clr);
  void FillRect(int x, int y, int cx, int cy, COLORREF clr);

private:
  CExtColorPicture& m_picture;
  bool m_bPalette;
  std::vector<DWORD> m_bits; // deep screens: top-down 0x00RRGGBB
};

// Selects a palette (not forced to background) and realises it; puts the old one back.
class CExtColorPaletteScope {
public:
  CExtColorPaletteScope(CDC* pDC, CPalette* pPalette);
  ~CExtColorPaletteScope();
  CExtColorPaletteScope(const CExtColorPaletteScope&) = delete;
  CExtColorPaletteScope& operator=(const CExtColorPaletteScope&) = delete;

private:
  CDC* m_pDC = NULL;
  HPALETTE m_hOld = NULL;
};

struct CExtColorCtrl::any_picker_data_t {
  // What the current drag moves.
  enum : int {
    TRACK_NONE = 0,
    TRACK_HANDLE_R = 1,
    TRACK_HANDLE_G = 2,
    TRACK_HANDLE_B = 3,
    TRACK_BAR = 4,
    TRACK_PANEL = 5,
    TRACK_CELLS = 6,
  };

  int m_nTrackPart = TRACK_NONE;
  int m_nWidth = 50, m_nHeight = 50; // at least 1 each
  COLORREF m_clr = RGB(255, 255, 255);
  COLORREF m_clrReference = RGB(255, 255, 255);
  double m_dLightness = 1.0, m_dSaturation = 0.0, m_dHue = 0.0;

  any_picker_data_t() = default;
  virtual ~any_picker_data_t() = default;
  any_picker_data_t(const any_picker_data_t&) = delete;
  any_picker_data_t& operator=(const any_picker_data_t&) = delete;

  virtual bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly);
  virtual void Release() = 0;
  virtual void Paint(CDC* pDC, CPalette* pPalette) = 0;
  virtual void OnButtonDown(UINT nFlags, int x, int y) = 0;
  virtual void OnButtonUp(UINT nFlags, int x, int y) = 0;
  virtual void OnTrack(UINT nFlags, int x, int y) = 0;
  virtual void SetReferenceColor(COLORREF clr);
  virtual void SetColor(COLORREF clr);
  virtual void SetHLS(double dHue, double dLightness, double dSaturation);

  // True when samples are painted as 4 x 4 blocks (a screen of 8 bits per pixel or less).
  static bool IsPaletteScreen();
};

// Hue across and saturation up in the panel, lightness in the bar below.
struct CExtColorCtrl::hsl_panel_data_t : CExtColorCtrl::any_picker_data_t {
  CExtColorPicture m_dcPanel, m_dcBar;
  bool m_bPanelValid = false, m_bBarValid = false;
  int m_nMarkerX = 0, m_nMarkerY = 0;
  int m_nPanelWidth = 10, m_nPanelHeight = 10, m_nBarWidth = 10, m_nBarHeight = 10;
  int m_nBarHeightConst = 20;
  int m_nMargin = 4;

  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;
  void Release() override;
  void Paint(CDC* pDC, CPalette* pPalette) override;
  void OnButtonDown(UINT nFlags, int x, int y) override;
  void OnButtonUp(UINT nFlags, int x, int y) override;
  void OnTrack(UINT nFlags, int x, int y) override;
  void SetColor(COLORREF clr) override;
  void SetHLS(double dHue, double dLightness, double dSaturation) override;
  virtual void BuildBarBitmap(CDC* pDC, CPalette* pPalette);
  virtual void BuildPanelBitmap(CDC* pDC, CPalette* pPalette);

  // The colours of the pictures: panel pixel (x, y) and bar column x.
  virtual COLORREF PanelColorAt(int x, int y) const;
  virtual COLORREF BarColorAt(int x) const;
  // Where the markers are drawn, relative to the panel's and the bar's top-left corners.
  virtual POINT PanelMarker() const;
  virtual int BarMarker() const;

  // The control's points of the panel's and the bar's top-left corners.
  POINT PanelOrigin() const;
  POINT BarOrigin() const;
  // No room for the panel or the bar: nothing is painted and no click is taken.
  bool IsEmpty() const { return m_bEmpty; }

protected:
  // Whether the picture that a drag in this picker depends on is up to date.
  virtual bool IsTrackingPictureValid() const { return m_bPanelValid; }
  virtual void TrackBar(int bx);
  virtual void TrackPanel(int px, int py);
  virtual void PaintPanelPicture(CDC& dc);
  // Keeps the remembered marker in step with a colour set from outside.
  virtual void OnColorSet();
  static void DrawMarker(CDC& dc, int x, int y, int cx, int cy);
  void ReleasePictures();

  int m_cxClient = 0, m_cyClient = 0; // the size of the last build
  bool m_bEmpty = false;
};

// The hue spectrum in the bar, saturation across and lightness up in the panel.
struct CExtColorCtrl::hsl_basic_hue_data_t : CExtColorCtrl::hsl_panel_data_t {
  COLORREF PanelColorAt(int x, int y) const override;
  COLORREF BarColorAt(int x) const override;
  POINT PanelMarker() const override;
  int BarMarker() const override;

protected:
  bool IsTrackingPictureValid() const override { return m_bBarValid; }
  void TrackBar(int bx) override;
  void TrackPanel(int px, int py) override;
  void OnColorSet() override;
};

// A colour wheel in the panel area and the lightness bar below it.
struct CExtColorCtrl::hsl_roller_data_t : CExtColorCtrl::hsl_panel_data_t {
  int m_nCenterX = 0, m_nCenterY = 0;
  CRgn m_rgnWheel, m_rgnOuter;
  int m_nRadius = 1;

  void OnButtonDown(UINT nFlags, int x, int y) override;
  void OnTrack(UINT nFlags, int x, int y) override;
  void BuildPanelBitmap(CDC* pDC, CPalette* pPalette) override;
  POINT PanelMarker() const override;

protected:
  void PaintPanelPicture(CDC& dc) override;
  void OnColorSet() override;
};

// One colour axis in the bar, the other two across and down the panel.
struct CExtColorCtrl::xyz_plain_data_t : CExtColorCtrl::hsl_panel_data_t {
  enum : int { AXIS_RED, AXIS_GREEN, AXIS_BLUE, AXIS_CYAN, AXIS_MAGENTA, AXIS_YELLOW };
  int m_nAxis;

  explicit xyz_plain_data_t(int nAxis = AXIS_RED);
  COLORREF PanelColorAt(int x, int y) const override;
  COLORREF BarColorAt(int x) const override;
  POINT PanelMarker() const override;
  int BarMarker() const override;

protected:
  bool IsTrackingPictureValid() const override { return m_bBarValid; }
  void TrackBar(int bx) override;
  void TrackPanel(int px, int py) override;
  void OnColorSet() override;
  bool IsCmyAxis() const { return m_nAxis >= AXIS_CYAN; }
  // The channel indexes (0 red, 1 green, 2 blue of the worked colour) of x, y and the axis.
  void Channels(int& nX, int& nY, int& nAxis) const;
};

// Three faces of the colour cube meeting at black, with a handle per channel.
struct CExtColorCtrl::rgb_cube_data_t : CExtColorCtrl::any_picker_data_t {
  CExtColorPicture m_dcCube;
  SIZE m_sizeHandle = {4, 4};
  RECT m_rcCube = {0, 0, 0, 0};
  int m_nMargin = 5;
  POINT m_ptTop = {}, m_ptLeft = {}, m_ptRight = {}, m_ptCenter = {};
  POINT m_ptHandleR = {}, m_ptHandleG = {}, m_ptHandleB = {};
  POINT m_ptRGB = {}, m_ptRG = {}, m_ptRB = {}, m_ptGB = {};

  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;
  void Release() override;
  void Paint(CDC* pDC, CPalette* pPalette) override;
  void OnButtonDown(UINT nFlags, int x, int y) override;
  void OnButtonUp(UINT nFlags, int x, int y) override;
  void OnTrack(UINT nFlags, int x, int y) override;
  void SetColor(COLORREF clr) override;
  void SetHLS(double dHue, double dLightness, double dSaturation) override;

  // The colour whose bytes the cube's axes show: the colour itself here, inverted for CMY.
  virtual COLORREF ToAxes(COLORREF clr) const { return clr; }
  // The square has no room: nothing is painted and no click is taken.
  bool IsEmpty() const { return m_rcCube.right <= m_rcCube.left || m_rcCube.bottom <= m_rcCube.top; }

protected:
  void BuildCubeBitmap(CDC* pDC, CPalette* pPalette);
  void ComputeGeometry();
  // The face under the point as 0 (blue 0), 1 (green 0), 2 (red 0), or -1.
  int FaceAt(int x, int y) const;

  int m_cxClient = 0, m_cyClient = 0;
};

// The RGB cube on the inverted colour: cyan, magenta and yellow amounts.
struct CExtColorCtrl::cmy_cube_data_t : CExtColorCtrl::rgb_cube_data_t {
  COLORREF ToAxes(COLORREF clr) const override;
};

struct CExtColorCtrl::cell_t {
  COLORREF m_clr = RGB(255, 255, 255);
  RECT m_rc = {0, 0, 0, 0};
  POINT m_pts[6] = {};
  bool m_bHexagon = true;

  // Lays the cell out as a hexagon of size s centred on (x, y).
  void SetHexagon(int x, int y, int s);
  void SetRect(int left, int top, int right, int bottom);
  bool HitTest(int x, int y) const;
  void Paint(CDC& dc, CPalette* pPalette, bool bSelected) const;
};

// The honeycomb of basic colours; the base of every cell picker.
struct CExtColorCtrl::cell_based_data_t : CExtColorCtrl::any_picker_data_t {
  CArray<CExtColorCtrl::cell_t, const CExtColorCtrl::cell_t&> m_arrCells;

  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;
  void Release() override;
  void Paint(CDC* pDC, CPalette* pPalette) override;
  void OnButtonDown(UINT nFlags, int x, int y) override;
  void OnButtonUp(UINT nFlags, int x, int y) override;
  void OnTrack(UINT nFlags, int x, int y) override;

  // The index of the first cell holding the point, or -1.
  int HitTest(int x, int y) const;

protected:
  // Paints every cell unselected.
  void PaintCells(CDC& dc, CPalette* pPalette) const;
  void PaintSelected(CDC& dc, CPalette* pPalette, int nCell) const;
  virtual void PaintSelection(CDC& dc, CPalette* pPalette) const;
  virtual void OnCellHit(int nCell);
  // Lays out 256 rectangular cells per column, the columns side by side around the centre,
  // cell k of column c coloured pColor(c, k) unless only the geometry is rebuilt.
  void LayOutColumns(int nColumns, bool bGeometryOnly, COLORREF (*pColor)(int nColumn, int k));
};

// A column of 256 greys, black at the top.
struct CExtColorCtrl::grayscale_mixer_data_t : CExtColorCtrl::cell_based_data_t {
  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;

protected:
  void PaintSelection(CDC& dc, CPalette* pPalette) const override;
};

// Red, green and blue columns of 256 cells each.
struct CExtColorCtrl::rgb_mixer_data_t : CExtColorCtrl::cell_based_data_t {
  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;

protected:
  void PaintSelection(CDC& dc, CPalette* pPalette) const override;
  void OnCellHit(int nCell) override;
  // The colour whose bytes the columns show: itself here, inverted for CMY.
  virtual COLORREF ToAxes(COLORREF clr) const { return clr; }
};

// Cyan, magenta and yellow columns: the RGB mixer on inverted colours.
struct CExtColorCtrl::cmy_mixer_data_t : CExtColorCtrl::rgb_mixer_data_t {
  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;

protected:
  COLORREF ToAxes(COLORREF clr) const override;
};

// The current colour above the reference colour.
struct CExtColorCtrl::diff_data_t : CExtColorCtrl::grayscale_mixer_data_t {
  bool Build(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bGeometryOnly) override;
  void SetColor(COLORREF clr) override;
  void SetHLS(double dHue, double dLightness, double dSaturation) override;
  void SetReferenceColor(COLORREF clr) override;

protected:
  void PaintSelection(CDC& dc, CPalette* pPalette) const override;
  void LayOut(bool bGeometryOnly);
};
