// Events, critical sections, mutexes and scoped locks: what our wrappers pass to the system and
// release, not how the system's objects behave.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// Runs fn on a second thread, waits for it and answers its result.
template <class F> BOOL OnOtherThread(F fn) {
  BOOL result = FALSE;
  std::thread([&] { result = fn(); }).join();
  return result;
}

} // namespace

// CreateEvent takes the two flags the other way round.
TEST(Event, ConstructorArgumentsChooseInitialStateAndReset) {
  EXPECT_FALSE(CEvent().Lock(0));
  CEvent signalledAuto(TRUE, FALSE), manual(FALSE, TRUE);
  EXPECT_TRUE(signalledAuto.Lock(0));
  EXPECT_FALSE(signalledAuto.Lock(0));
  EXPECT_FALSE(manual.Lock(0));
  EXPECT_TRUE(manual.SetEvent());
  EXPECT_TRUE(manual.Lock(0));
  EXPECT_TRUE(manual.Lock(0));
}

TEST(Event, NamedEventsShareOneObjectAndDestructorsCloseIt) {
  const char* name = "fw_test_event_shared";
  {
    CEvent first(FALSE, TRUE, name), second(FALSE, TRUE, name);
    first.SetEvent();
    EXPECT_TRUE(second.Lock(0));
  }
  // Both handles are gone, so the name now makes a fresh, unsignalled event.
  EXPECT_FALSE(CEvent(FALSE, TRUE, name).Lock(0));
}

TEST(CriticalSection, SingleLockHoldsTheSectionForItsScope) {
  CCriticalSection section;
  auto otherEnters = [&] {
    const BOOL entered = TryEnterCriticalSection(section);
    if (entered)
      LeaveCriticalSection(section);
    return entered;
  };
  {
    CSingleLock lock(&section, TRUE);
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_FALSE(OnOtherThread(otherEnters));
  }
  EXPECT_TRUE(OnOtherThread(otherEnters));

  CSingleLock manual(&section);
  EXPECT_FALSE(manual.IsLocked());
  EXPECT_TRUE(manual.Lock());
  EXPECT_TRUE(manual.Unlock());
  EXPECT_FALSE(manual.IsLocked());
}

TEST(Mutex, OwnerExcludesOtherThreadsUntilUnlock) {
  CMutex mutex(TRUE);
  auto otherTakes = [&] { return mutex.Lock(0) && mutex.Unlock(); };
  EXPECT_FALSE(OnOtherThread(otherTakes));
  EXPECT_TRUE(mutex.Unlock());
  EXPECT_TRUE(OnOtherThread(otherTakes));
}
