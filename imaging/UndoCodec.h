// Run-length coding of the XOR deltas the undo history keeps.
//
// Coded stream: byte 0 is the marker M, the least frequent byte value of the input (the lowest
// value among equals). Then items: a byte b != M stands for itself; M, k (k 0..2) for k + 1 copies
// of M; M, c, s (3 <= c <= 127) for c + 1 copies of s; M, 0x80 | (c >> 8), c & 0xFF, s
// (128 <= c <= 32767) for c + 1 copies of s. The input is cut into runs of equal bytes of at most
// 32768, each written on its own.
#pragma once

#include "imaging/RawBytes.h"

#include <windows.h>

// One entry of a document's undo history: a coded XOR delta and the sizes around it.
struct UndoRecord {
  CRawBytes pData;    // the coded delta, nCodedSize bytes
  DWORD nRawSize = 0; // bytes of the delta bitmap: height times bytes per row
  DWORD nCodedSize = 0;
  int nDeltaWidth = 0;
  int nDeltaHeight = 0;
  int nUndoWidth = 0; // the picture Undo gives back (the one before the change)
  int nUndoHeight = 0;
  int nRedoWidth = 0; // the picture Redo gives back (the one after it)
  int nRedoHeight = 0;
  int nBitsPerPixel = 0; // of the delta bitmap

  void Free() { *this = UndoRecord(); }
};

// The most bytes that coding nRawSize bytes can give: n + n / 256 + 1 (the marker and the escapes
// of the marker, which occurs at most n / 256 times). Exact in 64 bits for every 32-bit size.
unsigned long long RleBound(DWORD nRawSize);

// Counts the occurrences of each byte value into counts (added to what it holds).
void RleCountBytes(const BYTE* pIn, DWORD nIn, DWORD counts[256]);
// The value with the fewest occurrences; the lowest among equals.
BYTE RleChooseMarker(const DWORD counts[256]);
// Writes one run of nCount (1..32768) bytes nValue; answers the bytes written.
DWORD RleWriteRun(BYTE* pOut, BYTE nMarker, BYTE nValue, DWORD nCount);
// The length RleWriteRun gives a run.
DWORD RleRunLength(BYTE nMarker, BYTE nValue, DWORD nCount);
// Codes nIn bytes into pOut, which must hold RleBound(nIn) bytes; answers the coded length.
DWORD RleEncode(const BYTE* pIn, BYTE* pOut, DWORD nIn);
// Decodes nCodedSize bytes into at most nOutSize bytes; answers the bytes written, or -1 when the
// coded bytes are cut short or would write past the output.
long long RleDecode(const BYTE* pCoded, BYTE* pOut, DWORD nCodedSize, DWORD nOutSize);

// Codes a stream given in pieces, as RleEncode codes the whole of it: runs that cross the end of a
// piece are kept open until the next piece shows where they end.
class CRleEncoder {
public:
  // Writes the marker; pOut must hold RleBound of the whole stream. With pOut NULL the encoder
  // only counts the coded length.
  CRleEncoder(BYTE nMarker, BYTE* pOut);
  // Adds nIn bytes.
  void Put(const BYTE* pIn, DWORD nIn);
  // Adds nCount copies of nValue.
  void PutRun(BYTE nValue, DWORD nCount);
  // Writes the open run; answers the coded length.
  DWORD Finish();

private:
  void WriteRun(BYTE nValue, DWORD nCount);
  void CloseRun();
  // Codes from the start of a run at pIn[i]; answers the position after what it wrote, leaving a
  // run that reaches nIn open.
  DWORD PutRunsFrom(const BYTE* pIn, DWORD i, DWORD nIn);

  BYTE m_nMarker;
  BYTE* m_pOut;
  DWORD m_nOut = 0;
  BYTE m_nOpenValue = 0;
  DWORD m_nOpenCount = 0; // 0 when no run is open
};

// The first byte equal to nValue in [p, p + n), or NULL. The C runtime's search goes a byte at a
// time on some platforms, and decoding searches every coded byte for the marker.
const BYTE* RleFindByte(const BYTE* p, DWORD n, BYTE nValue);

// Decodes a coded stream into a sink with three operations: Literal(pBytes, n) for n bytes that
// stand for themselves, Run(value, n) for n copies of one value, and Fits(n), which answers whether
// n more bytes may still be written. Answers FALSE when the stream is cut short or does not fit.
template <class Sink> BOOL RleDecodeTo(const BYTE* pCoded, DWORD nCodedSize, Sink& sink) {
  if (nCodedSize == 0)
    return TRUE;
  const BYTE nMarker = pCoded[0];
  DWORD pos = 1;
  while (pos < nCodedSize) {
    const BYTE* pNext = RleFindByte(pCoded + pos, nCodedSize - pos, nMarker);
    DWORD nLiteral = (pNext != NULL ? (DWORD)(pNext - pCoded) : nCodedSize) - pos;
    if (nLiteral != 0) {
      if (!sink.Fits(nLiteral))
        return FALSE;
      sink.Literal(pCoded + pos, nLiteral);
      pos += nLiteral;
      if (pos == nCodedSize)
        break;
    }
    if (++pos >= nCodedSize)
      return FALSE;
    DWORD nCount = pCoded[pos++];
    BYTE nValue = nMarker;
    if (nCount > 2) {
      if (nCount & 0x80) {
        if (pos >= nCodedSize)
          return FALSE;
        nCount = ((nCount & 0x7F) << 8) + pCoded[pos++];
      }
      if (pos >= nCodedSize)
        return FALSE;
      nValue = pCoded[pos++];
    }
    if (!sink.Fits(nCount + 1))
      return FALSE;
    sink.Run(nValue, nCount + 1);
  }
  return TRUE;
}
