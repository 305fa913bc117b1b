#include "tests/unit/toolkit/tabs/tab_support.h"

#include <gtest/gtest.h>

std::vector<LPARAM> LParams(const CExtTabWnd& wnd) {
  std::vector<LPARAM> out;
  for (int i = 0; i < wnd.ItemGetCount(); ++i)
    out.push_back(wnd.ItemGet(i)->LParamGet());
  return out;
}

::testing::AssertionResult ModelIsSound(const CExtTabWnd& wnd) {
  int nVisible = 0, nSelected = 0;
  for (int i = 0; i < wnd.ItemGetCount(); ++i) {
    const CExtTabWnd::TAB_ITEM_INFO* p = wnd.ItemGet(i);
    if (p->GetPrev() != wnd.ItemGet(i - 1) || p->GetNext() != wnd.ItemGet(i + 1))
      return ::testing::AssertionFailure() << "links of item " << i << " do not follow the array";
    nVisible += p->VisibleGet() ? 1 : 0;
    if (p->IsSelected()) {
      ++nSelected;
      if (wnd.SelectionGet() != i)
        return ::testing::AssertionFailure()
               << "item " << i << " is marked but the selection is " << wnd.SelectionGet();
    }
  }
  if (nVisible != wnd.ItemGetVisibleCount())
    return ::testing::AssertionFailure()
           << "visible count " << wnd.ItemGetVisibleCount() << ", counted " << nVisible;
  if (nSelected != (wnd.SelectionGet() >= 0 ? 1 : 0))
    return ::testing::AssertionFailure() << nSelected << " items marked for selection " << wnd.SelectionGet();
  return ::testing::AssertionSuccess();
}

TabHost::TabHost(DWORD dwTabStyle, int cx, int cy, CExtTabWnd* pTab) {
  if (pTab == NULL) {
    m_pOwned = std::make_unique<CExtTabWnd>();
    pTab = m_pOwned.get();
  }
  m_pTab = pTab;
  if (!m_host.CreateHost("tabs", WS_OVERLAPPEDWINDOW, 480, 360))
    return;
  m_host.ShowWindow(SW_SHOWNOACTIVATE);
  m_pTab->Create(&m_host, CRect(10, 10, 10 + cx, 10 + cy), 0x1234, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                 dwTabStyle);
  PumpPending();
}

TabHost::~TabHost() {
  if (m_pTab->GetSafeHwnd() != NULL)
    m_pTab->DestroyWindow();
  if (m_host.GetSafeHwnd() != NULL)
    m_host.DestroyWindow();
}

void TabHost::AddItems(const std::vector<std::string>& texts, DWORD dwStyle) {
  for (const std::string& s : texts)
    m_pTab->InsertItem(s.c_str(), NULL, false, dwStyle, -1, m_pTab->ItemGetCount(), false);
  m_pTab->UpdateTabWnd(true);
}

CSize TabHost::StripSize(int nOrientation, int nLength, int nThickness) {
  return nOrientation < 2 ? CSize(nLength, nThickness) : CSize(nThickness, nLength);
}
