// Events, critical sections, mutexes and scoped locks across threads.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

const DWORD kWait = 10000; // generous: a failure shows as a FALSE result, not a hang

// Runs fn on a second thread and waits for it.
template <class F> void OnOtherThread(F fn) {
  std::thread worker(fn);
  worker.join();
}

// Shaped like an initialisation-done signal a worker raises after filling in its result.
class CInitDoneEvent : public CEvent {
public:
  CInitDoneEvent() : CEvent(FALSE, TRUE) {}
  int m_nResult = 0;
};

} // namespace

TEST(Event, AutoResetEventReleasesOneWaitThenResets) {
  CEvent ready;
  CEvent go;
  BOOL workerWoke = FALSE;
  std::thread worker([&] {
    ready.SetEvent();
    workerWoke = go.Lock(kWait);
  });
  EXPECT_TRUE(ready.Lock(kWait));
  EXPECT_FALSE(ready.Lock(0)); // the successful wait consumed the signal
  go.SetEvent();
  worker.join();
  EXPECT_TRUE(workerWoke);
  EXPECT_FALSE(go.Lock(0));
}

TEST(Event, ManualResetStaysSignalledUntilReset) {
  CEvent ev(FALSE, TRUE);
  EXPECT_FALSE(ev.Lock(0));
  EXPECT_TRUE(ev.SetEvent());
  EXPECT_TRUE(ev.Lock(0));
  EXPECT_TRUE(ev.Lock(0));
  EXPECT_TRUE(ev.Unlock());
  EXPECT_TRUE(ev.ResetEvent());
  EXPECT_FALSE(ev.Lock(0));
  // Pulsing with nobody waiting leaves it reset.
  EXPECT_TRUE(ev.PulseEvent());
  EXPECT_FALSE(ev.Lock(0));

  CEvent initiallySet(TRUE, TRUE);
  EXPECT_TRUE(initiallySet.Lock(0));
}

TEST(Event, DerivedEventSignalsAcrossThreads) {
  CInitDoneEvent done;
  EXPECT_TRUE(done.IsKindOf(RUNTIME_CLASS(CEvent)));
  std::thread worker([&] {
    done.m_nResult = 42;
    done.SetEvent();
  });
  EXPECT_TRUE(done.Lock(kWait));
  worker.join();
  EXPECT_EQ(42, done.m_nResult);
  EXPECT_TRUE(done.Lock(0)); // manual reset
}

TEST(Event, NamedEventsShareOneObjectAndDestructorsCloseIt) {
  const char* name = "fw_test_event_shared";
  {
    CEvent first(FALSE, TRUE, name);
    CEvent second(FALSE, TRUE, name);
    EXPECT_NE(nullptr, (HANDLE)first);
    EXPECT_NE(first.m_hObject, second.m_hObject);
    first.SetEvent();
    EXPECT_TRUE(second.Lock(0));
  }
  // Both handles are gone, so the name now makes a fresh, unsignalled event.
  CEvent fresh(FALSE, TRUE, name);
  EXPECT_FALSE(fresh.Lock(0));
}

TEST(CriticalSection, SingleLockHoldsTheSectionForItsScope) {
  CCriticalSection section;
  BOOL enteredWhileHeld = TRUE;
  {
    CSingleLock lock(&section, TRUE);
    EXPECT_TRUE(lock.IsLocked());
    OnOtherThread([&] {
      enteredWhileHeld = TryEnterCriticalSection(section);
      if (enteredWhileHeld)
        LeaveCriticalSection(section);
    });
  }
  EXPECT_FALSE(enteredWhileHeld);

  BOOL enteredAfterwards = FALSE;
  OnOtherThread([&] {
    enteredAfterwards = TryEnterCriticalSection(section);
    if (enteredAfterwards)
      LeaveCriticalSection(section);
  });
  EXPECT_TRUE(enteredAfterwards);

  CSingleLock manual(&section);
  EXPECT_FALSE(manual.IsLocked());
  EXPECT_TRUE(manual.Lock());
  EXPECT_TRUE(manual.Unlock());
  EXPECT_FALSE(manual.IsLocked());
}

TEST(Mutex, OwnerExcludesOtherThreadsUntilUnlock) {
  CMutex mutex(TRUE);
  BOOL otherGotIt = TRUE;
  OnOtherThread([&] { otherGotIt = mutex.Lock(0); });
  EXPECT_FALSE(otherGotIt);
  EXPECT_TRUE(mutex.Unlock());
  OnOtherThread([&] {
    otherGotIt = mutex.Lock(0);
    if (otherGotIt)
      mutex.Unlock();
  });
  EXPECT_TRUE(otherGotIt);
}
