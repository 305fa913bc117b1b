// A read-only stream over bytes in memory. The platform's stream over a global block copies from
// beyond the block when its position lies past the end, so a file whose header points past its end
// would have the decoder read memory that is not in the file, or fault.
#include "imaging/ByteStream.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

class CByteStream final : public IStream {
public:
  CByteStream(std::shared_ptr<const std::vector<BYTE>> pBytes, ULONGLONG nPosition)
      : m_pBytes(std::move(pBytes)), m_nPosition(nPosition) {}
  CByteStream(const CByteStream&) = delete;
  CByteStream& operator=(const CByteStream&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == NULL)
      return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ISequentialStream || riid == IID_IStream) {
      *ppv = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)::InterlockedIncrement(&m_nRefs); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
      delete this;
    return (ULONG)nRefs;
  }

  // ISequentialStream
  HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override {
    if (pcbRead != NULL)
      *pcbRead = 0;
    if (pv == NULL && cb != 0)
      return STG_E_INVALIDPOINTER;
    const ULONGLONG nSize = m_pBytes->size();
    const ULONG n = m_nPosition < nSize ? (ULONG)std::min<ULONGLONG>(cb, nSize - m_nPosition) : 0;
    if (n != 0)
      std::memcpy(pv, m_pBytes->data() + m_nPosition, n);
    m_nPosition += n;
    if (pcbRead != NULL)
      *pcbRead = n;
    return n == cb ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* pcbWritten) override {
    if (pcbWritten != NULL)
      *pcbWritten = 0;
    return STG_E_ACCESSDENIED;
  }

  // IStream
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER dlibMove, DWORD dwOrigin,
                                 ULARGE_INTEGER* plibNewPosition) override {
    LONGLONG nBase = 0;
    switch (dwOrigin) {
    case STREAM_SEEK_SET:
      break;
    case STREAM_SEEK_CUR:
      nBase = (LONGLONG)m_nPosition;
      break;
    case STREAM_SEEK_END:
      nBase = (LONGLONG)m_pBytes->size();
      break;
    default:
      return STG_E_INVALIDFUNCTION;
    }
    // Positions stay within 0..2^62, so no sum of a position and a move overflows.
    const LONGLONG kMost = 1LL << 62;
    if (dlibMove.QuadPart < -kMost || dlibMove.QuadPart > kMost || nBase + dlibMove.QuadPart < 0 ||
        nBase + dlibMove.QuadPart > kMost)
      return STG_E_INVALIDFUNCTION;
    m_nPosition = (ULONGLONG)(nBase + dlibMove.QuadPart);
    if (plibNewPosition != NULL)
      plibNewPosition->QuadPart = m_nPosition;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream* pstm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                   ULARGE_INTEGER* pcbWritten) override {
    if (pstm == NULL)
      return STG_E_INVALIDPOINTER;
    const ULONGLONG nSize = m_pBytes->size();
    ULONGLONG nLeft = m_nPosition < nSize ? std::min<ULONGLONG>(cb.QuadPart, nSize - m_nPosition) : 0;
    ULONGLONG nRead = 0, nWritten = 0;
    HRESULT hr = S_OK;
    while (nLeft > 0 && SUCCEEDED(hr)) {
      const ULONG nChunk = (ULONG)std::min<ULONGLONG>(nLeft, 1u << 30);
      ULONG nDone = 0;
      hr = pstm->Write(m_pBytes->data() + m_nPosition, nChunk, &nDone);
      m_nPosition += nChunk;
      nRead += nChunk;
      nWritten += nDone;
      nLeft -= nChunk;
    }
    if (pcbRead != NULL)
      pcbRead->QuadPart = nRead;
    if (pcbWritten != NULL)
      pcbWritten->QuadPart = nWritten;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
    return STG_E_INVALIDFUNCTION;
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* pstatstg, DWORD) override {
    if (pstatstg == NULL)
      return STG_E_INVALIDPOINTER;
    std::memset(pstatstg, 0, sizeof(*pstatstg));
    pstatstg->type = STGTY_STREAM;
    pstatstg->cbSize.QuadPart = m_pBytes->size();
    pstatstg->grfMode = STGM_READ;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IStream** ppstm) override {
    if (ppstm == NULL)
      return STG_E_INVALIDPOINTER;
    *ppstm = new (std::nothrow) CByteStream(m_pBytes, m_nPosition);
    return *ppstm != NULL ? S_OK : E_OUTOFMEMORY;
  }

private:
  ~CByteStream() = default; // only Release deletes

  std::shared_ptr<const std::vector<BYTE>> m_pBytes;
  ULONGLONG m_nPosition;
  LONG m_nRefs = 1;
};

} // namespace

IStream* CreateByteStream(std::vector<BYTE> bytes) {
  try {
    return new CByteStream(std::make_shared<const std::vector<BYTE>>(std::move(bytes)), 0);
  } catch (const std::bad_alloc&) {
    return NULL;
  }
}
