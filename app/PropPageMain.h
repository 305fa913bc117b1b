// The task sheet's main page: groups of task links. A click on a link opens another group, opens
// one of the other pages, or sends the operation straight to the active view.
#pragma once

#include "app/LinkLabel.h"
#include "framework/dlg/fw_dlg.h"

class CPropPageMain : public CPropertyPage {
  DECLARE_DYNCREATE(CPropPageMain)
public:
  CPropPageMain();

  // The control id of the "Main Menu" link, which is never hidden.
  enum { kMainMenuId = 5001 };

  void HideAllGroups();
  void ShowMainMenu();
  void ShowEdgeEffects();
  void ShowMoreProcessing();
  void ShowRotateFlip();

  // The outline around the group or groups shown, in page client coordinates.
  CRect GetFrameRect() const { return CRect(m_rcFrame); }

protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  void SetupGroups();
  void CreateTaskLink(CLinkLabel* pLabel, const CString& strText, UINT nId, const RECT& rc);
  void CreateGroupHeader(CLinkLabel* pLabel, const CString& strText, UINT nId, const RECT& rc);
  void CreateMenuLink(CLinkLabel* pLabel, const CString& strText, UINT nId, const RECT& rc);

private:
  // One group of task links: the labels and the parallel id and text arrays they are made from.
  template <int N> struct Group {
    CLinkLabel links[N];
    CString ids[N]; // decimal task ids
    CString texts[N];
  };
  enum { kHeaderCount = 6 };
  enum { kHeaderEffects, kHeaderColor, kHeaderGeometry, kHeaderEdge, kHeaderMore, kHeaderRotate };

  void FillGroups();
  void Dispatch(int nId);
  void SetFrame(int nBottom);
  template <int N> void ShowGroup(Group<N>& group, BOOL bShow);
  // One group alone under its header, the outline fitted to it.
  template <int N> void ShowSubGroup(int nHeader, Group<N>& group, int nFrameBottom);

  Group<5> m_color;
  Group<6> m_effects;
  Group<4> m_geometry;
  Group<7> m_edge;
  Group<4> m_more;
  Group<5> m_rotate;
  CLinkLabel m_headers[kHeaderCount];
  CLinkLabel m_linkMainMenu;
  RECT m_rcFrame;
};
