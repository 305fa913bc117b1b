#include "imaging/Globals.h"

int g_nOsVersionCode = 110;
int g_nCanvasMargin = 8;
