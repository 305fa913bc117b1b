#include "tests/common/resend_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <mutex>
#include <vector>

namespace resend_log {

namespace {

std::mutex g_lock;
std::vector<std::string> g_notes; // of the running test

// Records the test's resends as it ends, on the thread that runs the tests: GoogleTest's own
// records are not guarded against the driver threads that send input.
class CRecorder : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    std::lock_guard<std::mutex> hold(g_lock);
    g_notes.clear();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::string joined;
    {
      std::lock_guard<std::mutex> hold(g_lock);
      for (const std::string& what : g_notes)
        joined += (joined.empty() ? "" : "; ") + what;
      g_notes.clear();
    }
    if (!joined.empty())
      ::testing::Test::RecordProperty("resends", joined);
  }
};

const bool g_bRegistered = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new CRecorder);
  return true;
}();

} // namespace

void Note(const std::string& what) {
  {
    std::lock_guard<std::mutex> hold(g_lock);
    g_notes.push_back(what);
  }
  std::printf("[ RESEND   ] %s\n", what.c_str());
  std::fflush(stdout);
}

int Count() {
  std::lock_guard<std::mutex> hold(g_lock);
  return (int)g_notes.size();
}

} // namespace resend_log
