// The framework layer: include this to get every module that has been built.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_coll.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/core/fw_time.h"
#include "framework/core/fw_file.h"
#include "framework/core/fw_sync.h"
#include "framework/core/fw_state.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"
#include "framework/wnd/fw_msgmap.h"
#include "framework/app/fw_app.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/dlg/fw_dlg.h"
