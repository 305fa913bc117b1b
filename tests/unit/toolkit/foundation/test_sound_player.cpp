// The sound player with PlaySoundA replaced by a recorder that can hold a sound: sounds play on
// low-priority workers, never on the caller's thread, a request made while a sound plays is
// dropped, a worker that cannot start blocks nothing, and exit waits for a worker still playing.
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "tests/common/import_patch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Texts;
typedef CExtSoundPlayer::UiSoundId SoundId;
typedef DWORD(WINAPI* PFN_WAIT)(HANDLE, DWORD);
typedef HANDLE(WINAPI* PFN_THREAD)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                                   LPDWORD);
const HMODULE hKernel = ::GetModuleHandleA("kernel32.dll");
const PFN_WAIT RealWait = reinterpret_cast<PFN_WAIT>(::GetProcAddress(hKernel, "WaitForSingleObject"));
const PFN_THREAD RealCreateThread = reinterpret_cast<PFN_THREAD>(::GetProcAddress(hKernel, "CreateThread"));

// Stands in for PlaySoundA and keeps a handle of every thread started while it lives. Each sound
// is noted as "name flags" (name "-" for none), marked "!" when played on the test's thread or
// not at below-normal priority. The exit test reaches it through a plain global while the
// program's static objects are destroyed.
class SoundRecorder {
  template <class F> auto Locked(F f) {
    CSingleLock lock(&m_lock, TRUE);
    return f();
  }

public:
  SoundRecorder()
      : m_sound("winmm.dll", "PlaySoundA", reinterpret_cast<FARPROC>(&Play)),
        m_thread("kernel32.dll", "CreateThread", reinterpret_cast<FARPROC>(&CreateWorker)) {
    s_pThis = this;
  }
  ~SoundRecorder() {
    m_release.SetEvent();
    WaitWorkersDone();
    for (HANDLE h : m_threads)
      ::CloseHandle(h);
  }
  bool Applied() const { return m_sound.Applied() && m_thread.Applied(); }
  // The next call for this sound waits until released; bReport writes its end to stderr.
  void Hold(const char* pszName, bool bReport = false) {
    m_strHold = pszName;
    m_bReport = bReport;
  }
  bool WaitHeld() { return RealWait(m_entered, 5000) == WAIT_OBJECT_0; }
  void Release() { m_release.SetEvent(); }
  bool WaitWorkersDone() {
    for (size_t i = 0; i < Locked([&] { return m_threads.size(); }); ++i)
      if (RealWait(Locked([&] { return m_threads[i]; }), 5000) != WAIT_OBJECT_0)
        return false;
    return true;
  }
  Texts Sounds() {
    return Locked([&] { return m_sounds; });
  }

  // The next wait with a time-out (as exit makes) first lets the held sound end.
  static DWORD WINAPI ReleasingWait(HANDLE h, DWORD dwMs) {
    if (dwMs != 0 && dwMs != INFINITE)
      s_pThis->Release();
    return RealWait(h, dwMs);
  }

private:
  static BOOL WINAPI Play(LPCSTR pszName, HMODULE, DWORD dwFlags) {
    SoundRecorder& self = *s_pThis;
    char szText[64];
    const bool bWrong = ::GetCurrentThreadId() == self.m_dwTestThread ||
                        ::GetThreadPriority(::GetCurrentThread()) != THREAD_PRIORITY_BELOW_NORMAL;
    std::snprintf(szText, sizeof(szText), "%s %lX%s", pszName != NULL ? pszName : "-", (unsigned long)dwFlags,
                  bWrong ? " !" : "");
    self.Locked([&] { self.m_sounds.push_back(szText); });
    if (pszName != NULL && self.m_strHold == pszName) {
      self.m_entered.SetEvent();
      RealWait(self.m_release, 10000);
      if (self.m_bReport)
        std::fprintf(stderr, "%s ended\n", pszName);
    }
    return TRUE;
  }
  // The player closes its thread handles at once: keep one to wait on.
  static HANDLE WINAPI CreateWorker(LPSECURITY_ATTRIBUTES pSa, SIZE_T nStack, LPTHREAD_START_ROUTINE pfn,
                                    LPVOID p, DWORD dwFlags, LPDWORD pdwId) {
    HANDLE hThread = RealCreateThread(pSa, nStack, pfn, p, dwFlags, pdwId), hKept = NULL;
    if (hThread != NULL && ::DuplicateHandle(::GetCurrentProcess(), hThread, ::GetCurrentProcess(), &hKept,
                                             SYNCHRONIZE, FALSE, 0))
      s_pThis->Locked([&] { s_pThis->m_threads.push_back(hKept); });
    return hThread;
  }

  static SoundRecorder* s_pThis;
  CImportPatch m_sound, m_thread;
  CCriticalSection m_lock;
  CEvent m_entered{FALSE, FALSE}, m_release{FALSE, TRUE};
  const DWORD m_dwTestThread = ::GetCurrentThreadId();
  std::string m_strHold;
  bool m_bReport = false;
  Texts m_sounds;
  std::vector<HANDLE> m_threads;
};

SoundRecorder* SoundRecorder::s_pThis = NULL;

HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD) {
  return NULL;
}

TEST(SoundPlayer, EachIdPlaysItsSoundOnALowPriorityWorker) {
  const Texts popup = {"- 40", "MenuPopup 12003"}, command = {"MenuCommand 12002"};
  const Texts expected[] = {{}, popup, popup, command, {}, {}};
  for (int nId = 0; nId < 6; ++nId) {
    SoundRecorder recorder;
    ASSERT_TRUE(recorder.Applied());
    g_SoundPlayer->PlayUiSound(static_cast<SoundId>(nId == 5 ? 100 : nId));
    ASSERT_TRUE(recorder.WaitWorkersDone());
    EXPECT_EQ(expected[nId], recorder.Sounds()) << nId;
  }
}

TEST(SoundPlayer, RequestsWhileASoundPlaysAreDroppedAndTheCallerDoesNotWaitForIt) {
  SoundRecorder recorder;
  recorder.Hold("MenuCommand");
  // Returns while the sound is still held.
  g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_COMMAND);
  ASSERT_TRUE(recorder.WaitHeld());
  g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_POPUP);
  g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_COMMAND);
  recorder.Release();
  ASSERT_TRUE(recorder.WaitWorkersDone());
  g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_POPUP);
  ASSERT_TRUE(recorder.WaitWorkersDone());
  EXPECT_EQ((Texts{"MenuCommand 12002", "- 40", "MenuPopup 12003"}), recorder.Sounds());
}

TEST(SoundPlayer, AWorkerThatCannotStartLeavesThePlayerReady) {
  SoundRecorder recorder;
  {
    CImportPatch noThreads("kernel32.dll", "CreateThread", reinterpret_cast<FARPROC>(&NoThread));
    g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_COMMAND);
  }
  g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_COMMAND);
  ASSERT_TRUE(recorder.WaitWorkersDone());
  EXPECT_EQ(Texts{"MenuCommand 12002"}, recorder.Sounds());
}

TEST(SoundPlayerDeathTest, ExitWaitsForAWorkerStillPlaying) {
  EXPECT_EXIT(
      {
        SoundRecorder recorder;
        recorder.Hold("MenuCommand", true);
        g_SoundPlayer->PlayUiSound(SoundId::UI_SOUND_MENU_COMMAND);
        recorder.WaitHeld();
        // Exit's wait for the worker is what lets the sound end.
        CImportPatch wait("kernel32.dll", "WaitForSingleObject",
                          reinterpret_cast<FARPROC>(&SoundRecorder::ReleasingWait));
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "MenuCommand ended");
}

} // namespace
