// The metafile player: plays one picture for the program that started it, in a process of its
// own (imaging/MetafilePlayer.h).
#include "imaging/MetafilePlayer.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpszCmdLine, int) { return RunMetafilePlayer(lpszCmdLine); }
