#include "toolkit/foundation/ExtSoundPlayer.h"

#include <mmsystem.h>

IMPLEMENT_DYNAMIC(CExtSoundPlayer, CObject)

namespace {

// How long exit waits for a worker that is still playing.
const DWORD kExitWaitMs = 1000;

// Signalled while no worker runs; auto-reset, so the starter that finds it set owns the next
// worker.
class CSoundIdleEvent : public CEvent {
public:
  CSoundIdleEvent() : CEvent(TRUE, FALSE) {}
  // A worker still playing signals this event when its sound ends. Exit waits a while for that;
  // when the worker outlasts the wait the handle is left open for it, and the end of the process
  // takes both.
  ~CSoundIdleEvent() override {
    if (!Lock(kExitWaitMs))
      m_hObject = NULL;
  }
};

} // namespace

// In the order the toolkit's process objects are made; destroyed in reverse.
CExtSoundPlayerHolder g_SoundPlayer;
static CSoundIdleEvent g_SoundIdleEvent;
static CCriticalSection g_SoundLock;

CExtSoundPlayerHolder::CExtSoundPlayerHolder() : m_pPlayer(new CExtSoundPlayer) {}
CExtSoundPlayerHolder::~CExtSoundPlayerHolder() = default;

void CExtSoundPlayer::PlayUiSound(UiSoundId nSoundId) {
  SoundRequest_t request;
  switch (nSoundId) {
  case UI_SOUND_MENU_POPUP:
  case UI_SOUND_MENU_POPUP_SHOWN:
    lstrcpynA(request.m_szSoundName, "MenuPopup", sizeof(request.m_szSoundName));
    request.m_dwFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
    break;
  case UI_SOUND_MENU_COMMAND:
    lstrcpynA(request.m_szSoundName, "MenuCommand", sizeof(request.m_szSoundName));
    request.m_dwFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
    break;
  default:
    return;
  }
  StartSoundThread(request);
}

void CExtSoundPlayer::StartSoundThread(SoundRequest_t& request) {
  CSingleLock lock(&g_SoundLock, TRUE);
  // Not signalled: a worker is starting or playing, and this request is dropped. Signalled: the
  // test has reset it and this request gets the next worker.
  if (!g_SoundIdleEvent.Lock(0))
    return;
  bool bStarted = false;
  try {
    InternalSoundEventInitDone_t eventInitDone;
    request.m_pEventInitDone = &eventInitDone;
    request.m_hThread =
        ::CreateThread(NULL, 0, &SoundThreadBody, &request, CREATE_SUSPENDED, &request.m_dwThreadId);
    if (request.m_hThread != NULL) {
      ::SetThreadPriority(request.m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
      if (::ResumeThread(request.m_hThread) != (DWORD)-1) {
        bStarted = true;
        eventInitDone.Lock();
      } else {
        ::TerminateThread(request.m_hThread, 0);
      }
    }
    request.m_pEventInitDone = NULL;
  } catch (CException* e) {
    e->Delete();
  }
  // No worker will signal the end of its sound.
  if (!bStarted)
    g_SoundIdleEvent.SetEvent();
  if (request.m_hThread != NULL) {
    ::CloseHandle(request.m_hThread);
    request.m_hThread = NULL;
  }
}

DWORD WINAPI CExtSoundPlayer::SoundThreadBody(LPVOID pParameter) {
  SoundRequest_t& request = *static_cast<SoundRequest_t*>(pParameter);
  char sSoundName[sizeof(request.m_szSoundName)];
  lstrcpynA(sSoundName, request.m_szSoundName, sizeof(sSoundName));
  const HMODULE hModule = request.m_hModule;
  const DWORD dwSoundFlags = request.m_dwFlags;
  // The request lives on the starter's stack, which may be gone from here on.
  request.m_pEventInitDone->SetEvent();
  if ((dwSoundFlags & SND_ASYNC) != 0)
    ::PlaySoundA(NULL, NULL, SND_PURGE);
  ::PlaySoundA(sSoundName, hModule, dwSoundFlags);
  g_SoundIdleEvent.SetEvent();
  return 0;
}
