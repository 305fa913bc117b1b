// The effect page's operations: their rows, registry names and defaults, and the loaders that
// read the values and lay the rows out.
#include "app/PropPageParam.h"
#include "app/PropPageParamRows.h"

#include "framework/app/fw_app.h"

namespace {
const char kSection[] = "Options\\ImgProcess";

// Layout, in pixels.
const int kFirstRowY = 48;     // below the title
const int kKindGap = 5;        // between rows of different kinds
const int kColorColorGap = 15; // between two colour rows
const int kSeparatorGap = 20;  // from the last row to the separator

// The five edge operations share their rows; the prefix tells them apart.
const EffectRow kEdgeRows[] = {{EffectRow::kSlider, 0, "Size:", 0, 50, "_Size", 8},
                               {EffectRow::kCheck, 0, "Left", 0, 1, "_Left", 0},
                               {EffectRow::kCheck, 1, "Top", 0, 1, "_Top", 0},
                               {EffectRow::kCheck, 2, "Right", 0, 1, "_Right", 1},
                               {EffectRow::kCheck, 3, "Bottom", 0, 1, "_Bottom", 1},
                               {EffectRow::kColor, 0, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF},
                               {EffectRow::kCheckWithButton, 5, "Drop Shadow", 0, 1, "_IsShadow", 1}};
const EffectRow kShadowEdgeRows[] = {{EffectRow::kSlider, 0, "Size:", 0, 100, "_Size", 10},
                                     {EffectRow::kColor, 0, "Shadow Color:", 0, 0, "_ShadowClr", 0},
                                     {EffectRow::kColor, 1, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF},
                                     {EffectRow::kCheck, 0, "Put a Border Inside", 0, 1, "_IPutBdr", 0},
                                     {EffectRow::kSlider, 1, "Border Thickness:", 0, 100, "_Thickness", 1},
                                     {EffectRow::kColor, 2, "Border Color:", 0, 0, "_BdrClr", 0x808080}};
const EffectRow kBeveledRows[] = {{EffectRow::kSlider, 0, "Size:", 0, 50, "_Size", 8}};
const EffectRow kBorderRows[] = {{EffectRow::kSlider, 0, "Size:", 0, 100, "_Size", 8},
                                 {EffectRow::kSlider, 1, "Shadow percent:", 0, 100, "_Percent", 25},
                                 {EffectRow::kCheck, 0, "Place Border Outside", 0, 1, "_IsOutside", 0},
                                 {EffectRow::kCheck, 1, "Use 3-D Border", 0, 1, "_Is3D", 1},
                                 {EffectRow::kColor, 0, "Main Color:", 0, 0, "_MainClr", 0xC0C0C0},
                                 {EffectRow::kColor, 1, "Highlight Color:", 0, 0, "_HiliteClr", 0xFFFFFF},
                                 {EffectRow::kColor, 2, "Shadow Color:", 0, 0, "_ShadowClr", 0x808080}};
const EffectRow kPerspectiveRows[] = {{EffectRow::kSlider, 0, "Horizontal:", -100, 100, "_HorizSize", 20},
                                      {EffectRow::kSlider, 1, "Vertical:", -100, 100, "_VertSize", 0},
                                      {EffectRow::kColor, 0, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF}};
const EffectRow kShearRows[] = {{EffectRow::kSlider, 0, "Percentage %:", -100, 100, "_Percent", 20},
                                {EffectRow::kColor, 0, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF}};
const EffectRow kBlurRows[] = {{EffectRow::kSlider, 0, "Size:", 0, 5, "_Size", 2}};
const EffectRow kEmbossRows[] = {{EffectRow::kSlider, 0, "Depth:", 0, 5, "_Size", 1}};
const EffectRow kSharpenRows[] = {{EffectRow::kSlider, 0, "Degree:", 0, 3, "_Size", 1}};
const EffectRow kSolarizeRows[] = {{EffectRow::kSlider, 0, "Threshold:", 0, 128, "_Size", 128}};
const EffectRow kBrightnessRows[] = {{EffectRow::kSlider, 0, "Brightness:", -250, 250, "_Brightness", 30},
                                     {EffectRow::kSlider, 1, "Contrast:", -100, 100, "_Contrast", 0}};
const EffectRow kBalanceRows[] = {{EffectRow::kSlider, 0, "Red:", -250, 250, "_Red", 10},
                                  {EffectRow::kSlider, 1, "Green:", -250, 250, "_Green", -10},
                                  {EffectRow::kSlider, 2, "Blue:", -250, 250, "_Blue", 5}};
const EffectRow kInvertRows[] = {{EffectRow::kCheck, 0, "Invert Red", 0, 1, "_Red", 1},
                                 {EffectRow::kCheck, 1, "Invert Green", 0, 1, "_Green", 1},
                                 {EffectRow::kCheck, 2, "Invert Blue", 0, 1, "_Blue", 1}};
const EffectRow kGrayscaleRows[] = {{EffectRow::kCheck, 0, "Red Tinge", 0, 1, "_Red", 0},
                                    {EffectRow::kCheck, 1, "Green Tinge", 0, 1, "_Green", 0},
                                    {EffectRow::kCheck, 2, "Blue Tinge", 0, 1, "_Blue", 0},
                                    {EffectRow::kSlider, 0, "Tinge Intensity:", 0, 100, "_TingeVal", 10}};
const EffectRow kBlackWhiteRows[] = {{EffectRow::kSlider, 0, "Threshold:", 0, 255, "_Threshold", 127}};
const EffectRow kRotateRows[] = {{EffectRow::kSlider, 0, "Angle(Degree):", 0, 360, "_Degree", 0},
                                 {EffectRow::kColor, 0, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF}};

#define ROWS(a) a, (int)(sizeof(a) / sizeof(a[0]))
} // namespace

const EffectDef EffectDef::s_table[] = {
    {2002, "Torn ", "TornEdge", &CPropPageParam::LoadEdge, ROWS(kEdgeRows)},
    {2003, "Saw ", "SawEdge", &CPropPageParam::LoadEdge, ROWS(kEdgeRows)},
    {2004, "Shark ", "SharkEdge", &CPropPageParam::LoadEdge, ROWS(kEdgeRows)},
    {2005, "Wave ", "WaveEdge", &CPropPageParam::LoadEdge, ROWS(kEdgeRows)},
    {2006, "Fade ", "FadeEdge", &CPropPageParam::LoadEdge, ROWS(kEdgeRows)},
    {2007, "Shadow ", "ShadowEdge", &CPropPageParam::LoadShadowEdge, ROWS(kShadowEdgeRows)},
    {2008, "Beveled ", "BeveledEdge", &CPropPageParam::LoadFilter, ROWS(kBeveledRows)},
    {2009, "Border ", "Border", &CPropPageParam::LoadBorder, ROWS(kBorderRows)},
    {2010, "Perspective ", "Perspective", &CPropPageParam::LoadGeometry, ROWS(kPerspectiveRows)},
    {2011, "Shear ", "Shear", &CPropPageParam::LoadGeometry, ROWS(kShearRows)},
    {2014, "Blur ", "Blur", &CPropPageParam::LoadFilter, ROWS(kBlurRows)},
    {2015, "Emboss ", "Emboss", &CPropPageParam::LoadFilter, ROWS(kEmbossRows)},
    {2016, "Sharpen ", "Sharpen", &CPropPageParam::LoadFilter, ROWS(kSharpenRows)},
    {2017, "Solarize ", "Solarize", &CPropPageParam::LoadFilter, ROWS(kSolarizeRows)},
    {3001, "Brightness-Contrast ", "BrightnessContrast", &CPropPageParam::LoadFilter, ROWS(kBrightnessRows)},
    {3003, "Color Balance ", "ColorBalance", &CPropPageParam::LoadFilter, ROWS(kBalanceRows)},
    {3004, "Invert Color", "InvertColor", &CPropPageParam::LoadColor, ROWS(kInvertRows)},
    {3005, "Grayscale ", "Grayscale", &CPropPageParam::LoadColor, ROWS(kGrayscaleRows)},
    {3006, "Black/White ", "BlackWhite", &CPropPageParam::LoadFilter, ROWS(kBlackWhiteRows)},
    {4006, "Rotate ", "Rotate", &CPropPageParam::LoadGeometry, ROWS(kRotateRows)},
};
const int EffectDef::s_nCount = (int)(sizeof(EffectDef::s_table) / sizeof(EffectDef::s_table[0]));

const EffectDef* CPropPageParam::FindEffect(int nTaskId) {
  for (const EffectDef& def : EffectDef::s_table)
    if (def.taskId == nTaskId)
      return &def;
  return NULL;
}

bool CPropPageParam::IsParamTask(int nTaskId) { return FindEffect(nTaskId) != NULL; }

void CPropPageParam::LoadEdge(LPCSTR lpszName, int nTaskId) {
  LoadRows(*FindEffect(nTaskId), lpszName, "Edge Settings");
}

void CPropPageParam::LoadShadowEdge(LPCSTR lpszName, int nTaskId) {
  LoadRows(*FindEffect(nTaskId), lpszName, " Settings");
}

void CPropPageParam::LoadFilter(LPCSTR lpszName, int nTaskId) {
  LoadRows(*FindEffect(nTaskId), lpszName, " Settings");
}

void CPropPageParam::LoadBorder(LPCSTR lpszName, int nTaskId) {
  LoadRows(*FindEffect(nTaskId), lpszName, " Settings");
}

void CPropPageParam::LoadGeometry(LPCSTR lpszName, int nTaskId) {
  LoadRows(*FindEffect(nTaskId), lpszName, " Settings");
}

void CPropPageParam::LoadColor(LPCSTR lpszName, int nTaskId) {
  LoadRows(*FindEffect(nTaskId), lpszName, " Settings");
}

void CPropPageParam::LoadRows(const EffectDef& def, LPCSTR lpszName, LPCSTR lpszTitleEnd) {
  m_labelTitle.SetText(CString(lpszName) + lpszTitleEnd);
  CWinApp* pApp = AfxGetApp();
  int y = kFirstRowY;
  for (int i = 0; i < def.nRows; ++i) {
    const EffectRow& row = def.rows[i];
    const int nValue = (int)pApp->GetProfileInt(kSection, CString(def.prefix) + row.suffix, row.def);
    if (i > 0 && def.rows[i - 1].kind != row.kind)
      y += kKindGap;
    else if (i > 0 && row.kind == EffectRow::kColor)
      y += kColorColorGap;
    switch (row.kind) {
    case EffectRow::kSlider:
      y += AddSliderRow(row.index, y, row.label, row.min, row.max, nValue);
      break;
    case EffectRow::kColor:
      y += AddColorRow(row.index, y, row.label, (COLORREF)nValue);
      break;
    case EffectRow::kCheck:
      y += AddCheckRow(row.index, y, row.label, nValue != 0);
      break;
    case EffectRow::kCheckWithButton:
      y += AddCheckRowWithButton(row.index, y, row.label, nValue != 0);
      break;
    }
  }
  m_nSeparatorY = y + kSeparatorGap;
  m_nPos = m_nSeparatorY + 10;
}

int CPropPageParam::BlockValue(const EffectRow& row) const {
  switch (row.kind) {
  case EffectRow::kSlider:
    return m_params.value[row.index];
  case EffectRow::kColor:
    return (int)m_params.color[row.index];
  default:
    return m_params.flag[row.index];
  }
}

void CPropPageParam::SaveSettings() {
  const EffectDef* pDef = FindEffect(m_nTaskId);
  if (pDef == NULL)
    return;
  CWinApp* pApp = AfxGetApp();
  for (int i = 0; i < pDef->nRows; ++i)
    pApp->WriteProfileInt(kSection, CString(pDef->prefix) + pDef->rows[i].suffix, BlockValue(pDef->rows[i]));
  ShowSaveLink(TRUE);
}
