// The drop target's COM bridge, its registration with OLE and the data object holder.
#include "framework/app/fw_ole.h"

#include "framework/app/fw_app.h"

#include <cstring>
#include <map>

// ---------------------------------------------------------------------------------------------
// COleDataObject

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease) {
  Release();
  m_lpDataObject = lpDataObject;
  m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach() {
  LPDATAOBJECT lpDataObject = m_lpDataObject;
  m_lpDataObject = NULL;
  return lpDataObject;
}

void COleDataObject::Release() {
  if (m_lpDataObject != NULL && m_bAutoRelease)
    m_lpDataObject->Release();
  m_lpDataObject = NULL;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef) {
  if (m_lpDataObject != NULL && bAddRef)
    m_lpDataObject->AddRef();
  return m_lpDataObject;
}

namespace {
FORMATETC FormatOf(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) {
  if (lpFormatEtc != NULL)
    return *lpFormatEtc;
  FORMATETC fmt = {cfFormat, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return fmt;
}
} // namespace

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const {
  if (m_lpDataObject == NULL)
    return FALSE;
  FORMATETC fmt = FormatOf(cfFormat, lpFormatEtc);
  return m_lpDataObject->QueryGetData(&fmt) == S_OK;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const {
  if (m_lpDataObject == NULL)
    return NULL;
  FORMATETC fmt = FormatOf(cfFormat, lpFormatEtc);
  fmt.tymed = TYMED_HGLOBAL;
  STGMEDIUM medium = {};
  if (FAILED(m_lpDataObject->GetData(&fmt, &medium)))
    return NULL;
  if (medium.tymed != TYMED_HGLOBAL) {
    ::ReleaseStgMedium(&medium);
    return NULL;
  }
  if (medium.pUnkForRelease == NULL)
    return medium.hGlobal; // ours to free
  // The source keeps its memory: hand out a copy.
  const SIZE_T cb = ::GlobalSize(medium.hGlobal);
  HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, cb);
  void* pFrom = ::GlobalLock(medium.hGlobal);
  void* pTo = hCopy != NULL ? ::GlobalLock(hCopy) : NULL;
  if (pFrom != NULL && pTo != NULL)
    std::memcpy(pTo, pFrom, cb);
  if (pTo != NULL)
    ::GlobalUnlock(hCopy);
  if (pFrom != NULL)
    ::GlobalUnlock(medium.hGlobal);
  ::ReleaseStgMedium(&medium);
  if (hCopy != NULL && (pFrom == NULL || pTo == NULL)) {
    ::GlobalFree(hCopy);
    hCopy = NULL;
  }
  return hCopy;
}

// ---------------------------------------------------------------------------------------------
// The COM object OLE calls; it forwards to its target until the target lets go of it.

class COleDropTarget::CBridge : public IDropTarget {
public:
  explicit CBridge(COleDropTarget* pOwner) : m_pOwner(pOwner) {}
  COleDropTarget* m_pOwner;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == NULL)
      return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
      *ppv = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_nRefs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG nRefs = --m_nRefs;
    if (nRefs == 0)
      delete this;
    return nRefs;
  }
  STDMETHODIMP DragEnter(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override {
    if (pdwEffect == NULL)
      return E_INVALIDARG;
    *pdwEffect =
        m_pOwner != NULL ? m_pOwner->Enter(pDataObject, dwKeyState, pt, *pdwEffect) : DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override {
    if (pdwEffect == NULL)
      return E_INVALIDARG;
    *pdwEffect = m_pOwner != NULL ? m_pOwner->Over(dwKeyState, pt, *pdwEffect, false) : DROPEFFECT_NONE;
    return S_OK;
  }
  STDMETHODIMP DragLeave() override {
    if (m_pOwner != NULL)
      m_pOwner->Leave();
    return S_OK;
  }
  STDMETHODIMP Drop(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) override {
    if (pdwEffect == NULL)
      return E_INVALIDARG;
    *pdwEffect = m_pOwner != NULL ? m_pOwner->Drop(pDataObject, dwKeyState, pt, *pdwEffect) : DROPEFFECT_NONE;
    return S_OK;
  }

private:
  virtual ~CBridge() = default;
  ULONG m_nRefs = 1;
};

void COleDropTarget::BridgeRelease::operator()(CBridge* pBridge) const {
  pBridge->m_pOwner = NULL; // OLE may still hold it; it must not call a target that is gone
  pBridge->Release();
}

// ---------------------------------------------------------------------------------------------
// COleDropTarget

namespace {
// The registered windows, so that a window's destruction revokes its target.
std::map<HWND, COleDropTarget*>& Registered() {
  static std::map<HWND, COleDropTarget*> s_map;
  return s_map;
}
} // namespace

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget() { COleDropTarget::Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd) {
  Revoke();
  if (!AfxOleIsInitialized()) {
    TRACE("COleDropTarget::Register: OLE is not initialised\n");
    return FALSE;
  }
  if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
    return FALSE;
  std::unique_ptr<CBridge, BridgeRelease> bridge(new CBridge(this));
  if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, bridge.get()))) {
    TRACE("COleDropTarget::Register: RegisterDragDrop failed\n");
    return FALSE;
  }
  m_bridge = std::move(bridge);
  m_hWnd = pWnd->m_hWnd;
  Registered()[m_hWnd] = this;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (m_hWnd == NULL)
    return;
  if (::IsWindow(m_hWnd))
    ::RevokeDragDrop(m_hWnd);
  auto& registered = Registered();
  auto it = registered.find(m_hWnd);
  if (it != registered.end() && it->second == this)
    registered.erase(it);
  m_hWnd = NULL;
  m_bridge.reset();
  m_dataObject.Release();
}

void COleDropTarget::RevokeWindow(HWND hWnd) {
  auto& registered = Registered();
  auto it = registered.find(hWnd);
  if (it != registered.end())
    it->second->Revoke();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

void COleDropTarget::OnDragLeave(CWnd*) {}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

CPoint COleDropTarget::ClientPoint(POINTL pt) const {
  POINT point = {pt.x, pt.y};
  ::ScreenToClient(m_hWnd, &point);
  return CPoint(point.x, point.y);
}

DROPEFFECT COleDropTarget::Enter(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD dwAllowed) {
  // The data stays ours until the drag leaves or drops.
  if (pDataObject != NULL)
    pDataObject->AddRef();
  m_dataObject.Attach(pDataObject, TRUE);
  return Over(dwKeyState, pt, dwAllowed, true);
}

DROPEFFECT COleDropTarget::Over(DWORD dwKeyState, POINTL pt, DWORD dwAllowed, bool bEnter) {
  CWnd* pWnd = CWnd::FromHandle(m_hWnd);
  const CPoint point = ClientPoint(pt);
  const DROPEFFECT scroll = OnDragScroll(pWnd, dwKeyState, point);
  if ((scroll & DROPEFFECT_SCROLL) != 0)
    return scroll & (dwAllowed | DROPEFFECT_SCROLL);
  const DROPEFFECT effect = bEnter ? OnDragEnter(pWnd, &m_dataObject, dwKeyState, point)
                                   : OnDragOver(pWnd, &m_dataObject, dwKeyState, point);
  return effect & dwAllowed;
}

void COleDropTarget::Leave() {
  OnDragLeave(CWnd::FromHandle(m_hWnd));
  m_dataObject.Release();
}

DROPEFFECT COleDropTarget::Drop(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD dwAllowed) {
  if (pDataObject != NULL && pDataObject != m_dataObject.m_lpDataObject) {
    pDataObject->AddRef();
    m_dataObject.Attach(pDataObject, TRUE);
  }
  CWnd* pWnd = CWnd::FromHandle(m_hWnd);
  const CPoint point = ClientPoint(pt);
  // The effect at the drop point decides, as the last step over it would have.
  const DROPEFFECT effect = OnDragOver(pWnd, &m_dataObject, dwKeyState, point) & dwAllowed;
  DROPEFFECT result = DROPEFFECT_NONE;
  if (effect == DROPEFFECT_NONE)
    OnDragLeave(pWnd);
  else if (OnDrop(pWnd, &m_dataObject, effect, point))
    result = effect;
  m_dataObject.Release();
  return result;
}
