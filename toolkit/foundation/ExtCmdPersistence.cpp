// The usage statistics of a command profile as an archive stream, kept in the current user's
// registry between runs.
#include "toolkit/foundation/ExtCmdProfile.h"

#include "toolkit/foundation/ExtRegistryArchive.h"

#include <utility>
#include <vector>

namespace {

const DWORD kArchiveVersion = 517;
const int kReservedValues = 4;
const UINT kArchiveBufferBytes = 4096;
const UINT kMemFileGrowBytes = 1024;

// Software\<key>\<application profile>\Corvane250\Profiles\<profile>\CommandManager, with the
// characters a key name must not hold made '_'.
CString RegistryPath(LPCSTR lpszRegKey, LPCSTR lpszAppProfile, const CString& sProfileName) {
  CString sPath;
  sPath.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s", lpszRegKey != NULL ? lpszRegKey : "",
               lpszAppProfile != NULL ? lpszAppProfile : "", "Corvane250", "Profiles",
               sProfileName.GetString(), "CommandManager");
  for (char ch : {'\r', '\t', '\n', '?', '*'})
    sPath.Replace(ch, '_');
  return sPath;
}

} // namespace

bool CExtCmdProfile::Serialize(CArchive& ar) {
  try {
    if (ar.IsStoring()) {
      CString sSignature;
      sSignature.Format("Corvane (v. %s) command profile", ExtToolkitVersionText().GetString());
      ar << sSignature;
      ar << kExtToolkitVersion << kArchiveVersion;
      for (int i = 0; i < kReservedValues; ++i)
        ar << (DWORD)0;
      ar << (DWORD)m_nTotalTickCount;
      for (POSITION pos = m_cmds.GetStartPosition(); pos != NULL;) {
        UINT nId = 0;
        CExtCmdItem* pItem = NULL;
        m_cmds.GetNextAssoc(pos, nId, pItem);
        if (pItem->IsUsageSaved())
          ar << (DWORD)pItem->m_nCmdId << (DWORD)pItem->m_nUsageTickCount;
      }
      ar << (DWORD)0;
      return true;
    }
    CString sSignature;
    DWORD dwToolkitVersion = 0, dwArchiveVersion = 0, dwValue = 0, dwTotal = 0;
    ar >> sSignature >> dwToolkitVersion >> dwArchiveVersion;
    if (dwArchiveVersion != kArchiveVersion)
      return false;
    for (int i = 0; i < kReservedValues; ++i)
      ar >> dwValue;
    ar >> dwTotal;
    // Nothing changes until the whole list has been read: a stream cut short leaves the counters
    // as they were.
    std::vector<std::pair<UINT, UINT>> counters;
    for (;;) {
      DWORD dwId = 0, dwCount = 0;
      ar >> dwId;
      if (dwId == 0)
        break;
      ar >> dwCount;
      counters.emplace_back(dwId, dwCount);
    }
    m_nTotalTickCount = dwTotal;
    for (const auto& counter : counters)
      if (CExtCmdItem* pItem = FindCommand(counter.first))
        pItem->m_nUsageTickCount = counter.second;
    return true;
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

bool CExtCmdProfile::SerializeState(LPCSTR lpszRegKey, LPCSTR lpszAppProfile, bool bSave) {
  const CString sPath = RegistryPath(lpszRegKey, lpszAppProfile, m_sName);
  try {
    CMemFile file(kMemFileGrowBytes);
    if (bSave) {
      CArchive ar(&file, CArchive::store, kArchiveBufferBytes);
      if (!Serialize(ar))
        return false;
      ar.Flush();
      ar.Close();
      file.SeekToBegin();
      return RegistryArchiveWrite(file, sPath, HKEY_CURRENT_USER);
    }
    if (!RegistryArchiveRead(file, sPath, HKEY_CURRENT_USER))
      return false;
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, kArchiveBufferBytes);
    return Serialize(ar);
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}
