// What every benchmark program needs: a millisecond clock, the median of repeated runs and the
// frame-copy baseline.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace bench {

// Milliseconds from the performance counter.
inline double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return (double)t.QuadPart * 1000.0 / (double)freq.QuadPart;
}

// The middle value; the mean of the two middle ones for an even count.
inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The median time of nRuns calls of fn after one warm-up call; GDI's batch is flushed inside each
// timed call.
inline double MedianTime(const std::function<void()>& fn, int nRuns) {
  fn();
  std::vector<double> times;
  for (int i = 0; i < nRuns; ++i) {
    const double t0 = Now();
    fn();
    ::GdiFlush();
    times.push_back(Now() - t0);
  }
  return Median(times);
}

// The median time of nRuns copies of nBytes: the frame-copy baseline of the picture benchmarks.
inline double TimeMemcpy(size_t nBytes, int nRuns) {
  std::vector<BYTE> src(nBytes, 0x5A), dst(nBytes);
  std::vector<double> times;
  for (int i = 0; i < nRuns; i++) {
    double t0 = Now();
    std::memcpy(dst.data(), src.data(), nBytes);
    times.push_back(Now() - t0);
    src[i % nBytes] ^= dst[(i * 7) % nBytes]; // keeps the copies from being folded away
  }
  return Median(times);
}

} // namespace bench
