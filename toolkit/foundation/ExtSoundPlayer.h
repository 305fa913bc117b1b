// The interface sounds of the popup menus, played on a short-lived worker thread so that the
// user-interface thread never waits for the audio system. One sound at a time: a request made
// while a worker is still starting or playing is dropped.
#pragma once

#include "framework/core/fw_sync.h"

#include <memory>

class CExtSoundPlayer : public CObject {
  DECLARE_DYNAMIC(CExtSoundPlayer)
public:
  enum UiSoundId {
    UI_SOUND_NONE = 0,
    UI_SOUND_MENU_POPUP = 1,       // "MenuPopup"
    UI_SOUND_MENU_POPUP_SHOWN = 2, // "MenuPopup" as well
    UI_SOUND_MENU_COMMAND = 3,     // "MenuCommand", played to its end on the worker
  };

  // Set by the worker once it has copied the request off the caller's stack.
  class InternalSoundEventInitDone_t : public CEvent {
  public:
    InternalSoundEventInitDone_t() : CEvent(FALSE, TRUE) {}
  };

  struct SoundRequest_t {
    InternalSoundEventInitDone_t* m_pEventInitDone = NULL;
    char m_szSoundName[1024] = {};
    HMODULE m_hModule = NULL;
    DWORD m_dwFlags = 0;
    HANDLE m_hThread = NULL; // closed by the starter
    DWORD m_dwThreadId = 0;
  };

  CExtSoundPlayer() = default;

  // Ids outside 1-3 play nothing.
  virtual void PlayUiSound(UiSoundId nSoundId);

protected:
  // Starts a worker for the request unless one is running; returns once the worker has copied it.
  static void StartSoundThread(SoundRequest_t& request);
  static DWORD WINAPI SoundThreadBody(LPVOID pParameter);
};

// Owns the process's one sound player.
class CExtSoundPlayerHolder {
public:
  CExtSoundPlayerHolder();
  ~CExtSoundPlayerHolder();
  CExtSoundPlayerHolder(const CExtSoundPlayerHolder&) = delete;
  CExtSoundPlayerHolder& operator=(const CExtSoundPlayerHolder&) = delete;

  CExtSoundPlayer* operator->() const { return m_pPlayer.get(); }
  CExtSoundPlayer* GetPtr() const { return m_pPlayer.get(); }

private:
  std::unique_ptr<CExtSoundPlayer> m_pPlayer;
};

extern CExtSoundPlayerHolder g_SoundPlayer;
