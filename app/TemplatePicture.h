// The bitmap a dialog's picture control (a static of style SS_BITMAP) loads from the dialog template
// itself: the control leaves it behind when it is destroyed, one bitmap each time the dialog shows.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"

class CTemplatePicture {
public:
  // Takes over the first picture a child control of the dialog shows; from OnInitDialog.
  void TakeFrom(CWnd* pDialog) {
    for (CWnd* pChild = pDialog->GetWindow(GW_CHILD); pChild != NULL && m_bitmap.m_hObject == NULL;
         pChild = pChild->GetWindow(GW_HWNDNEXT))
      m_bitmap.Attach(reinterpret_cast<HBITMAP>(pChild->SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)));
  }
  // Deletes it; from PostNcDestroy, once its control has gone.
  void Delete() { m_bitmap.DeleteObject(); }

private:
  CBitmap m_bitmap;
};
