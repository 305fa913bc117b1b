// Resource ids of menulab.
#pragma once

#define IDR_MENULAB 300 // the frame: title and menu
#define ID_LAB_NEW 40200
#define ID_LAB_OPEN 40201
#define ID_LAB_CUT 40210
#define ID_LAB_COPY 40211
#define ID_LAB_PASTE 40212
#define ID_LAB_BOLD 40213
#define ID_LAB_LEFT 40214
#define ID_LAB_CENTER 40215
#define ID_LAB_DISABLED 40216
#define ID_LAB_PICTURE 40220
#define ID_LAB_TEXT 40221
#define ID_LAB_COLOR_FIRST 40300 // the palette's cells, one id each
