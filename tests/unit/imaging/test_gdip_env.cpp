// GDI+ runs for the whole imaging test program: started before the first test, shut down after
// the last, so every test may make and draw bitmaps.
#include "imaging/GdipEffects.h"

#include <gtest/gtest.h>

namespace {

class GdiplusEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, NULL));
    m_started = true;
  }
  void TearDown() override {
    if (m_started)
      Gdiplus::GdiplusShutdown(m_token);
    m_started = false;
  }

private:
  ULONG_PTR m_token = 0;
  bool m_started = false;
};

// The framework of the test program owns and deletes the environment.
::testing::Environment* const g_pGdiplus = ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

} // namespace
