// Events and scoped locks: what our wrappers pass to the system and release, not how the system's
// objects behave.
#include "framework/fw.h"

#include <gtest/gtest.h>

// CreateEvent takes the two flags the other way round.
TEST(Event, ConstructorArgumentsChooseInitialStateAndReset) {
  EXPECT_FALSE(CEvent().Lock(0));
  CEvent signalledAuto(TRUE, FALSE), manual(FALSE, TRUE);
  EXPECT_TRUE(signalledAuto.Lock(0));
  EXPECT_FALSE(signalledAuto.Lock(0));
  EXPECT_TRUE(manual.SetEvent());
  EXPECT_TRUE(manual.Lock(0));
  EXPECT_TRUE(manual.Lock(0));
}
