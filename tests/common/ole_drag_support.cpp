// The test's data object and drop source, and the driver thread that moves the pointer.
#include "tests/common/ole_drag_support.h"

#include "framework/app/fw_app.h"
#include "tests/common/driver_script.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"

#include <atomic>
#include <cstring>
#include <thread>

const char kOleDragText[] = "ole drag";

namespace {

// Reference counting shared by the two objects of the test; they live on the test's stack.
template <class I> class CStackObject : public I {
public:
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_nRefs; }

protected:
  ULONG m_nRefs = 1;
};

class CTextData : public CStackObject<IDataObject> {
public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
      *ppv = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP GetData(FORMATETC* pFmt, STGMEDIUM* pMedium) override {
    if (QueryGetData(pFmt) != S_OK)
      return DV_E_FORMATETC;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(kOleDragText));
    if (h == NULL)
      return E_OUTOFMEMORY;
    std::memcpy(::GlobalLock(h), kOleDragText, sizeof(kOleDragText));
    ::GlobalUnlock(h);
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = h;
    pMedium->pUnkForRelease = NULL;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryGetData(FORMATETC* pFmt) override {
    return pFmt != NULL && pFmt->cfFormat == CF_TEXT && (pFmt->tymed & TYMED_HGLOBAL) != 0 ? S_OK
                                                                                           : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override {
    pOut->ptd = NULL;
    return E_NOTIMPL;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

// Drops when the left button goes up; notes every step of the drag for the driver.
class CSource : public CStackObject<IDropSource> {
public:
  std::atomic<LONG> m_xLast{-100000}, m_yLast{-100000};
  std::atomic<int> m_nSteps{0};

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
      *ppv = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP QueryContinueDrag(BOOL bEscape, DWORD dwKeyState) override {
    if (bEscape)
      return DRAGDROP_S_CANCEL;
    return (dwKeyState & MK_LBUTTON) == 0 ? DRAGDROP_S_DROP : S_OK;
  }
  // Follows the target's step, so a step seen here has reached the target.
  STDMETHODIMP GiveFeedback(DWORD) override {
    POINT pt;
    ::GetCursorPos(&pt);
    m_xLast = pt.x;
    m_yLast = pt.y;
    ++m_nSteps;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
};

} // namespace

bool EnsureOle() { return AfxOleInit() != FALSE; }

OleDragOutcome RunOleDrag(POINT ptPress, const std::vector<POINT>& points, DWORD dwAllowed) {
  OleDragOutcome outcome;
  CTextData data;
  CSource source;
  std::atomic<bool> bDragging{false};
  std::atomic<bool> bStepsSeen{true};
  real_input::MouseAt(ptPress, 0);
  real_input::MouseAt(ptPress, MOUSEEVENTF_LEFTDOWN);
  // The button counts once the thread has read its press.
  outcome.bStarted = PumpUntil([] { return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0; }, 3000);
  std::thread driver([&] {
    if (!WaitFromDriver([&] { return bDragging.load() && source.m_nSteps.load() > 0; }, 3000))
      bStepsSeen = false;
    for (const POINT& pt : points) {
      real_input::MouseAt(pt, 0);
      if (!WaitFromDriver([&] { return source.m_xLast.load() == pt.x && source.m_yLast.load() == pt.y; },
                          3000))
        bStepsSeen = false;
    }
    // One more step at the last point, so the target has settled there before the release.
    const int nSteps = source.m_nSteps.load();
    if (!WaitFromDriver([&] { return source.m_nSteps.load() > nSteps; }, 3000))
      bStepsSeen = false;
    real_input::MouseAt(points.empty() ? ptPress : points.back(), MOUSEEVENTF_LEFTUP);
  });
  bDragging = true;
  DWORD dwEffect = 0xFFFF;
  outcome.hr = ::DoDragDrop(&data, &source, dwAllowed, &dwEffect);
  driver.join();
  outcome.dwEffect = dwEffect;
  outcome.bStepsSeen = bStepsSeen.load();
  return outcome;
}
