#include "app/PropPageCaption.h"

#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CPropPageCaption, CPropertyPage)

CPropPageCaption::CPropPageCaption() : CPropertyPage(IDD_PAGE_CAPTION) {}
