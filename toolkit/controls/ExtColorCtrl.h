// The colour control: a child window that lets the user pick a colour in one of several pickers.
// Each picker is a model object nested in the class (defined in ExtColorModels.h); the window
// routes mouse input to the model of the current mode and keeps the colours.
#pragma once

#include "framework/wnd/fw_wnd.h"

class CExtColorCtrl : public CWnd {
public:
  // The picker models.
  struct any_picker_data_t;
  struct hsl_panel_data_t;
  struct hsl_basic_hue_data_t;
  struct hsl_roller_data_t;
  struct xyz_plain_data_t;
  struct rgb_cube_data_t;
  struct cmy_cube_data_t;
  struct cell_t;
  struct cell_based_data_t;
  struct grayscale_mixer_data_t;
  struct rgb_mixer_data_t;
  struct cmy_mixer_data_t;
  struct diff_data_t;
};
