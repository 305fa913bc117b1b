// What the picker-model tests share: every picker by kind, one built and painted into a 32-bit DIB,
// and a forced screen depth that is put back afterwards.
#pragma once

#include "tests/common/pixel_support.h"
#include "toolkit/controls/ExtColorModels.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <vector>

using Ctrl = CExtColorCtrl;
using Picker = CExtColorCtrl::any_picker_data_t;
using PM = CExtPaintManager;

// clang-format off
enum class Kind { Honeycomb, HslPanel, BasicHue, Roller, RgbCube, RgbMixer, GreyMixer, CmyCube, CmyMixer,
                  AxisRed, AxisGreen, AxisBlue, AxisCyan, AxisMagenta, AxisYellow, Diff, Count };
// clang-format on

const COLORREF kBack = RGB(7, 7, 9), kWhite = RGB(255, 255, 255);

inline std::vector<Kind> AllKinds() {
  std::vector<Kind> v;
  for (int i = 0; i < (int)Kind::Count; ++i)
    v.push_back((Kind)i);
  return v;
}

inline const char* KindName(Kind k) {
  static const char* const kNames[] = {
      "Honeycomb", "HslPanel", "BasicHue",  "Roller",   "RgbCube",  "RgbMixer",    "GreyMixer",  "CmyCube",
      "CmyMixer",  "AxisRed",  "AxisGreen", "AxisBlue", "AxisCyan", "AxisMagenta", "AxisYellow", "Diff"};
  return kNames[(int)k];
}

inline std::ostream& operator<<(std::ostream& os, Kind k) { return os << KindName(k); }

template <class T> std::unique_ptr<Picker> Make() { return std::make_unique<T>(); }

inline std::unique_ptr<Picker> MakePicker(Kind k) {
  if (k >= Kind::AxisRed && k <= Kind::AxisYellow)
    return std::make_unique<Ctrl::xyz_plain_data_t>((int)k - (int)Kind::AxisRed);
  using Factory = std::unique_ptr<Picker> (*)();
  static const Factory kMake[] = {
      Make<Ctrl::cell_based_data_t>,      Make<Ctrl::hsl_panel_data_t>, Make<Ctrl::hsl_basic_hue_data_t>,
      Make<Ctrl::hsl_roller_data_t>,      Make<Ctrl::rgb_cube_data_t>,  Make<Ctrl::rgb_mixer_data_t>,
      Make<Ctrl::grayscale_mixer_data_t>, Make<Ctrl::cmy_cube_data_t>,  Make<Ctrl::cmy_mixer_data_t>};
  return k == Kind::Diff ? std::make_unique<Ctrl::diff_data_t>() : kMake[(int)k]();
}

// A picker built at a size with a colour, and the surface it was painted on.
struct PaintedPicker {
  std::unique_ptr<Picker> picker;
  pixel_support::DibSurface surface;

  PaintedPicker(Kind k, int cx, int cy, COLORREF clr, COLORREF clrBack = kBack)
      : picker(MakePicker(k)), surface(std::max(1, cx), std::max(1, cy), clrBack) {
    picker->Build(&surface.dc(), NULL, cx, cy, false);
    picker->SetColor(clr);
    picker->SetReferenceColor(RGB(10, 20, 30));
  }
  template <class T> T& As() { return static_cast<T&>(*picker); }
  void Paint(CPalette* pPalette = NULL) { picker->Paint(&surface.dc(), pPalette); }
  void Repaint() { surface.Fill(kBack), Paint(); }
  COLORREF At(int x, int y) const { return surface.At(x, y); }
  // A click without a drag.
  COLORREF Click(int x, int y, UINT nFlags = 0) {
    picker->OnButtonDown(nFlags, x, y);
    picker->OnButtonUp(nFlags, x, y);
    return picker->m_clr;
  }
  // A press, one move with the given keys and a release.
  COLORREF Drag(POINT from, POINT to, UINT nKeys = 0) {
    picker->OnButtonDown(0, from.x, from.y);
    picker->OnTrack(MK_LBUTTON | nKeys, to.x, to.y);
    picker->OnButtonUp(0, to.x, to.y);
    return picker->m_clr;
  }
};

// The wheel's colour at an offset from its centre, for a wheel of radius r.
inline COLORREF WheelColour(int dx, int dy, int r) {
  return PM::HlsToRgb(atan2((double)-dy, (double)-dx) * 0.1591549430918955, 0.5,
                      (dx * dx + dy * dy) / (double)(r * r));
}

// A colour in the axes of an RGB picker or, inverted, of a CMY one.
inline COLORREF Axes(bool bCmy, COLORREF clr) { return bCmy ? PM::InvertColor(clr) : clr; }

// The largest difference of one channel.
inline int ChannelDistance(COLORREF a, COLORREF b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// The screen depth the pickers see, for as long as it lives.
class ForcedScreenDepth {
public:
  explicit ForcedScreenDepth(int nBits) { PM::TestForceScreenBitsPerPixel(nBits); }
  ~ForcedScreenDepth() { PM::TestForceScreenBitsPerPixel(0); }
  ForcedScreenDepth(const ForcedScreenDepth&) = delete;
  ForcedScreenDepth& operator=(const ForcedScreenDepth&) = delete;
};
