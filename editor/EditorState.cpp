#include "editor/EditorState.h"

#include "framework/app/fw_app.h"

namespace {

CEditorAppState* g_pCurrentState = NULL;

// The tools panel's starting styles, one row per group.
const DrawStyle kStartStyles[STYLE_GROUP_COUNT] = {
    {0x000000, 0xFFFFFF, 255, 4, TRUE, TRUE, 0x666666, 80, 5, 5, 2},  // selection
    {0x0000FF, 0xC07B7B, 164, 3, TRUE, TRUE, 0x666666, 100, 5, 5, 2}, // shapes
    {0x0000FF, 0xFFFFFF, 255, 3, TRUE, TRUE, 0x666666, 80, 4, 4, 2},  // paint brush
    {0x0000FF, 0xFFFFFF, 255, 4, TRUE, TRUE, 0x666666, 80, 5, 5, 2},  // air brush and fill
    {0x000000, 0xFFFFFF, 255, 4, TRUE, TRUE, 0x666666, 80, 5, 5, 2},  // text
    {0xFF0000, 0xFFFFFF, 255, 3, TRUE, TRUE, 0x666666, 80, 4, 4, 2},  // line and arrow
    {0x0000FF, 0xFFFFFF, 255, 10, TRUE, TRUE, 0x666666, 80, 5, 5, 2}, // eraser
    {0x00FFFF, 0x000000, 255, 4, TRUE, TRUE, 0x666666, 80, 5, 5, 2},  // highlighter
};

} // namespace

CEditorAppState::CEditorAppState() : m_nCurrentTool(0), m_nLastTool(0) {
  for (int i = 0; i < STYLE_GROUP_COUNT; i++)
    m_styles[i] = kStartStyles[i];
  g_pCurrentState = this;
}

CEditorAppState::~CEditorAppState() {
  if (g_pCurrentState == this)
    g_pCurrentState = NULL;
}

CEditorAppState* CEditorAppState::Get() { return g_pCurrentState; }

CEditorShell* GetEditorShell() { return dynamic_cast<CEditorShell*>(AfxGetMainWnd()); }
