// The framework layer: include this to get every module that has been built.
#pragma once

#include "fw_core.h"
#include "fw_coll.h"
#include "fw_geom.h"
#include "fw_string.h"
#include "fw_time.h"
#include "fw_file.h"
#include "fw_sync.h"
#include "fw_state.h"
#include "fw_gdi.h"
#include "fw_wnd.h"
#include "fw_msgmap.h"
#include "fw_app.h"
#include "fw_ctrl.h"
#include "fw_dlg.h"
