// The GDI module's handle maps for the current thread, created on first use.
#pragma once

#include "fw_state.h"

CHandleMap* AFXAPI AfxMapHGDIOBJ();
CHandleMap* AFXAPI AfxMapHDC();
CHandleMap* AFXAPI AfxMapHIMAGELIST();
