// What the picker-model tests share: every picker by name, a picker built and painted into a
// 32-bit DIB, and a forced screen depth that is put back afterwards.
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
#include <string>

using Ctrl = CExtColorCtrl;
using Picker = CExtColorCtrl::any_picker_data_t;
using PM = CExtPaintManager;

enum class Kind {
  Honeycomb,
  HslPanel,
  BasicHue,
  Roller,
  RgbCube,
  RgbMixer,
  GreyMixer,
  CmyCube,
  CmyMixer,
  AxisRed,
  AxisGreen,
  AxisBlue,
  AxisCyan,
  AxisMagenta,
  AxisYellow,
  Diff,
};

const Kind kAllKinds[] = {Kind::Honeycomb, Kind::HslPanel,    Kind::BasicHue,   Kind::Roller,
                          Kind::RgbCube,   Kind::RgbMixer,    Kind::GreyMixer,  Kind::CmyCube,
                          Kind::CmyMixer,  Kind::AxisRed,     Kind::AxisGreen,  Kind::AxisBlue,
                          Kind::AxisCyan,  Kind::AxisMagenta, Kind::AxisYellow, Kind::Diff};

inline const char* KindName(Kind k) {
  static const char* const kNames[] = {
      "Honeycomb", "HslPanel", "BasicHue",  "Roller",   "RgbCube",  "RgbMixer",    "GreyMixer",  "CmyCube",
      "CmyMixer",  "AxisRed",  "AxisGreen", "AxisBlue", "AxisCyan", "AxisMagenta", "AxisYellow", "Diff"};
  return kNames[(int)k];
}

inline std::ostream& operator<<(std::ostream& os, Kind k) { return os << KindName(k); }

inline std::unique_ptr<Picker> MakePicker(Kind k) {
  switch (k) {
  case Kind::Honeycomb:
    return std::make_unique<Ctrl::cell_based_data_t>();
  case Kind::HslPanel:
    return std::make_unique<Ctrl::hsl_panel_data_t>();
  case Kind::BasicHue:
    return std::make_unique<Ctrl::hsl_basic_hue_data_t>();
  case Kind::Roller:
    return std::make_unique<Ctrl::hsl_roller_data_t>();
  case Kind::RgbCube:
    return std::make_unique<Ctrl::rgb_cube_data_t>();
  case Kind::RgbMixer:
    return std::make_unique<Ctrl::rgb_mixer_data_t>();
  case Kind::GreyMixer:
    return std::make_unique<Ctrl::grayscale_mixer_data_t>();
  case Kind::CmyCube:
    return std::make_unique<Ctrl::cmy_cube_data_t>();
  case Kind::CmyMixer:
    return std::make_unique<Ctrl::cmy_mixer_data_t>();
  case Kind::Diff:
    return std::make_unique<Ctrl::diff_data_t>();
  default:
    return std::make_unique<Ctrl::xyz_plain_data_t>((int)k - (int)Kind::AxisRed);
  }
}

// A picker built at a size with a colour, and the surface it was painted on.
struct PaintedPicker {
  std::unique_ptr<Picker> picker;
  pixel_support::DibSurface surface;

  PaintedPicker(Kind k, int cx, int cy, COLORREF clr, COLORREF clrBack = RGB(1, 2, 3))
      : picker(MakePicker(k)), surface(std::max(1, cx), std::max(1, cy), clrBack) {
    picker->Build(&surface.dc(), NULL, cx, cy, false);
    picker->SetColor(clr);
    picker->SetReferenceColor(RGB(10, 20, 30));
  }
  void Paint(CPalette* pPalette = NULL) { picker->Paint(&surface.dc(), pPalette); }
  COLORREF At(int x, int y) const { return surface.At(x, y); }
  // A click without a drag.
  COLORREF Click(int x, int y, UINT nFlags = 0) {
    picker->OnButtonDown(nFlags, x, y);
    picker->OnButtonUp(nFlags, x, y);
    return picker->m_clr;
  }
};

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
