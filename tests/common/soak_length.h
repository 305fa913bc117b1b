// How long the soak tests run. By default a length for every test run: enough cycles after the
// settled one that a leak of one object, window or picture a cycle stands far above the noise the
// counts show. PIX_SOAK=full runs the full length.
#pragma once

#include <cstdlib>
#include <cstring>

namespace soak {

inline bool Full() {
  const char* psz = std::getenv("PIX_SOAK");
  return psz != NULL && std::strcmp(psz, "full") == 0;
}

// nShort cycles for a test run, nFull with PIX_SOAK=full.
inline int Cycles(int nShort, int nFull) { return Full() ? nFull : nShort; }

} // namespace soak
