#include "app/PropPageParam.h"

#include "editor/EditorMessages.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CPropPageParam, CPropertyPage)

BEGIN_MESSAGE_MAP(CPropPageParam, CPropertyPage)
ON_MESSAGE(UM_SELECT_EFFECT, OnSelectEffect)
END_MESSAGE_MAP()

CPropPageParam::CPropPageParam() : CPropertyPage(IDD_PAGE_PARAM), m_nTaskId(0) {}

LRESULT CPropPageParam::OnSelectEffect(WPARAM wParam, LPARAM) {
  m_nTaskId = (int)wParam;
  return 0;
}
