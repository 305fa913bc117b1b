// The picture a command shows on buttons, menu items, tabs and panes: a bitmap with a transparent
// key colour, or an icon, with a generated disabled look, small check, radio and blank glyphs,
// scaled copies and an archive record.
#pragma once

#include "framework/core/fw_core.h"

#include <windows.h>

class CArchive;

// The size of an icon: twice its hot spot when both doubled coordinates, taken in 8 bits, are not
// zero; otherwise the size of its colour bitmap, or of its mask bitmap when it has none. A NULL
// icon is 0 x 0.
SIZE GetIconSize(HICON hIcon);

class CExtCmdIcon {
public:
  // What the icon asks of the current theme: the tint (-1: none) and the contrast factor of the
  // generated disabled look, and colours by logical id (the ink of generated glyphs). The theme
  // engine installs its answers; until it does, the classic theme's hold: no tint, factor 0,
  // logical colours from the system colours.
  struct ThemeHooks_t {
    int (*pfnGetDisabledIconColor)();
    double (*pfnGetDisabledIconFactor)();
    COLORREF (*pfnColorByLogicalId)(int nLogicalId);
  };
  // pHooks, with all three answers set, must outlive its use; NULL restores the classic answers.
  static void SetThemeHooks(const ThemeHooks_t* pHooks);
  static const ThemeHooks_t& GetThemeHooks();

  // The paint states of Paint.
  enum PaintState_t {
    PaintNormal = 0,
    PaintDisabled = 1,
    PaintMono = 2,
    PaintDisabledGenerated = 3,
  };

  // Takes a bitmap as AssignFromHBitmap does; with the defaults the icon starts empty.
  CExtCmdIcon(HBITMAP hBitmap = NULL, COLORREF clrKey = RGB(0, 0, 0), const RECT* pRcPart = NULL,
              bool bCopy = false);
  CExtCmdIcon(const HICON& hIcon, bool bCopy);
  CExtCmdIcon(const CExtCmdIcon& other);
  CExtCmdIcon& operator=(const CExtCmdIcon& other);
  virtual ~CExtCmdIcon();

  virtual bool IsEmpty() const;
  // Frees the bitmap and both icons; the disabled look goes back to no tint, factor 1.4.
  virtual void Empty();
  // Stores or loads the record: a kind byte (0 empty, 1 bitmap, 2 icon), then a BMP stream and the
  // key colour, or the icon's flags, hot spot and bitmaps. The archive's exceptions pass through.
  virtual void Serialize(CArchive& ar);
  // A copy of other's picture (bitmaps always as new 32-bit DIB sections), tint and factor.
  virtual void AssignFrom(const CExtCmdIcon& other);
  // Drops the bitmap and the disabled look; takes hIcon, a copy of it when bCopy.
  virtual void AssignFromHIcon(HICON hIcon, bool bCopy);
  // Drops both icons; takes hBitmap, or with bCopy a 32-bit DIB-section copy of pRcPart of it
  // (NULL: all of it). The same bitmap as held, without a part, only takes the key.
  virtual void AssignFromHBitmap(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool bCopy);
  virtual SIZE GetSize() const;
  virtual bool IsBitmapBased() const;
  // The bitmap, still owned by this object.
  virtual HBITMAP GetBitmap() const;
  virtual COLORREF GetKeyColor() const;
  // Renders the picture into a new 32-bit DIB section over a key colour: a bitmap's own key unless
  // bPickNewKey, else the first colour the picture does not use. The caller owns the bitmap.
  virtual bool PickUnusedKeyColor(HBITMAP* phBitmap, COLORREF* pclrKey, bool bPickNewKey,
                                  void** ppBits) const;
  // The icon, made from the bitmap on first use; still owned by this object.
  virtual HICON GetIcon(bool bMapColors);
  // Hands the icon (made from the bitmap when there is none) to the caller; the object ends empty.
  virtual HICON DetachIcon(bool bMapColors);
  // The generated disabled look, made on first use; NULL when there is no tint.
  virtual HICON GetDisabledIcon();
  // Takes the tint and factor of the current theme.
  virtual void SyncWithPaintManager();
  virtual void OnSysColorChange();
  virtual void OnSettingChange(WPARAM wParam, LPARAM lParam);
  virtual void OnDisplayChange(int nBitsPerPixel, int nWidth, int nHeight);
  virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
  virtual bool GenerateDisabledIcon();
  // Draws the picture at *pPoint in one of the paint states; hBrush colours the monochrome look.
  virtual int Paint(HDC hDC, const POINT* pPoint, int nState, HBRUSH hBrush);
  // A new 32-bit DIB-section copy of the bitmap, or of the icon's colour (else mask) bitmap.
  virtual HBITMAP CopyToDibSection(void** ppBits) const;
  virtual int GetBitsPerPixel() const;
  // Makes this object a copy of other stretched to nWidth x nHeight.
  virtual bool CreateScaledCopy(const CExtCmdIcon& other, int nWidth, int nHeight);
  virtual int GetDisabledColor() const;
  // Both setters answer the old value and drop the disabled look when the value changes.
  virtual int SetDisabledColor(int nColor);
  virtual double GetDisabledFactor() const;
  virtual double SetDisabledFactor(double dFactor);
  // A nWidth x nHeight 32-bit bitmap of the key colour with a check mark, a radio bullet or
  // nothing at (nWidth / 2 - 3, nHeight / 2 - 3). An ink of (COLORREF)-1 is the theme's window
  // text; a key of (COLORREF)-1 is magenta, or light green when the ink is magenta.
  virtual bool CreateCheckGlyph(COLORREF clrInk, COLORREF clrKey, int nWidth, int nHeight, void** ppBits);
  virtual bool CreateRadioGlyph(COLORREF clrInk, COLORREF clrKey, int nWidth, int nHeight, void** ppBits);
  virtual bool CreateBlankGlyph(COLORREF clrKey, int nWidth, int nHeight, void** ppBits);

  // The 7 x 7 check mark and the 7 x 7 radio bullet with their top-left at (x, y), in the ink and
  // a shade near the ink's complement; menu items draw their marks with them too.
  static void PaintCheckMark(HDC hDC, int x, int y, COLORREF clrInk);
  static void PaintRadioBullet(HDC hDC, int x, int y, COLORREF clrInk);

protected:
  // The theme engine's bitmap services the icon is built on. A copy of pRcPart (NULL: all) of
  // hBitmap as a new 32-bit DIB section, its bits handed out through ppBits when given.
  static HBITMAP CopyBitmapTo32BitDib(HBITMAP hBitmap, const RECT* pRcPart, void** ppBits);
  // An icon of pRcPart (NULL: all) of hBitmap whose key-coloured pixels are transparent.
  static HICON BitmapToIcon(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool bMapColors);

private:
  class BitmapRecord_t {
  public:
    BitmapRecord_t() = default;
    ~BitmapRecord_t() { Free(); }
    BitmapRecord_t(const BitmapRecord_t&) = delete;
    BitmapRecord_t& operator=(const BitmapRecord_t&) = delete;
    void Free();
    // Adopts hBitmap (deleting the old one unless it is the same) and reads its size.
    void Adopt(HBITMAP hBitmap, COLORREF clrKey);

    HBITMAP m_hBitmap = NULL;
    COLORREF m_clrKey = RGB(0, 0, 0);
    int m_nWidth = 0, m_nHeight = 0;
  };

  class IconRecord_t {
  public:
    IconRecord_t() = default;
    ~IconRecord_t() { Free(); }
    IconRecord_t(const IconRecord_t&) = delete;
    IconRecord_t& operator=(const IconRecord_t&) = delete;
    void Free();
    // Destroys the old icon (unless it is the same) and keeps hIcon with the given size.
    void Adopt(HICON hIcon, SIZE size);
    HICON Detach();

    HICON m_hIcon = NULL;
    int m_nWidth = 0, m_nHeight = 0;
  };

  void SetBitmapRecord(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool bCopy);
  void SetIconRecord(HICON hIcon, bool bCopy);
  void LoadBitmapRecord(CArchive& ar);
  void LoadIconRecord(CArchive& ar);
  void StoreIconRecord(CArchive& ar) const;
  // Makes m_bitmap a new nWidth x nHeight glyph with the mark nMark (0 none, 1 check, 2 radio).
  bool CreateGlyph(int nMark, COLORREF clrInk, COLORREF clrKey, int nWidth, int nHeight, void** ppBits);

  BitmapRecord_t m_bitmap;
  IconRecord_t m_icon;
  IconRecord_t m_iconDisabled;
  int m_nDisabledColor;
  double m_dDisabledFactor;
};
