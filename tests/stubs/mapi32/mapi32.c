// A logging Simple MAPI for the tests. Every MAPISendMail call appends one line to the file named
// by PIX_MAPI_LOG (nothing is logged without it): tab-separated key=value fields for the call,
// then for each attachment as the call found it on disk. The call answers PIX_MAPI_RESULT
// (default 0, success). Both variables are read at call time, so a test may change them in-process.
#include <windows.h>

#include <mapi.h>
#include <stdio.h>
#include <stdlib.h>

enum { kHeadBytes = 32 };

static int HasText(LPCSTR psz) { return psz != NULL && *psz != '\0'; }

static void LogFile(FILE* pLog, ULONG i, const MapiFileDesc* pDesc) {
  fprintf(pLog, "\tfile%lu.position=%lu", i, pDesc->nPosition);
  if (pDesc->lpszPathName != NULL)
    fprintf(pLog, "\tfile%lu.path=%s", i, pDesc->lpszPathName);
  if (pDesc->lpszFileName != NULL)
    fprintf(pLog, "\tfile%lu.name=%s", i, pDesc->lpszFileName);
  BOOL bExists =
      pDesc->lpszPathName != NULL && GetFileAttributesA(pDesc->lpszPathName) != INVALID_FILE_ATTRIBUTES;
  fprintf(pLog, "\tfile%lu.exists=%d", i, bExists ? 1 : 0);
  HANDLE hFile = bExists ? CreateFileA(pDesc->lpszPathName, GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                       OPEN_EXISTING, 0, NULL)
                         : INVALID_HANDLE_VALUE;
  if (hFile == INVALID_HANDLE_VALUE)
    return;
  BYTE head[kHeadBytes];
  DWORD nRead = 0;
  fprintf(pLog, "\tfile%lu.size=%lu", i, GetFileSize(hFile, NULL));
  if (!ReadFile(hFile, head, sizeof(head), &nRead, NULL))
    nRead = 0;
  CloseHandle(hFile);
  fprintf(pLog, "\tfile%lu.head=", i);
  for (DWORD b = 0; b < nRead; b++)
    fprintf(pLog, "%02x", head[b]);
}

static void LogCall(ULONG_PTR ulUIParam, const MapiMessage* pMessage, FLAGS flFlags) {
  char szPath[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("PIX_MAPI_LOG", szPath, sizeof(szPath));
  if (n == 0 || n >= sizeof(szPath))
    return;
  FILE* pLog = fopen(szPath, "ab");
  if (pLog == NULL)
    return;
  HWND hWnd = (HWND)ulUIParam;
  fprintf(pLog, "flags=0x%lx\tui=0x%lx\tuiEnabled=%d", (unsigned long)flFlags, (unsigned long)ulUIParam,
          IsWindow(hWnd) && IsWindowEnabled(hWnd) ? 1 : 0);
  if (pMessage != NULL) {
    fprintf(pLog, "\trecipients=%lu\tsubject=%d\ttext=%d\tfiles=%lu", pMessage->nRecipCount,
            HasText(pMessage->lpszSubject), HasText(pMessage->lpszNoteText), pMessage->nFileCount);
    for (ULONG i = 0; i < pMessage->nFileCount && pMessage->lpFiles != NULL; i++)
      LogFile(pLog, i, &pMessage->lpFiles[i]);
  }
  fputc('\n', pLog);
  fclose(pLog);
}

ULONG WINAPI MAPISendMail(LHANDLE lhSession, ULONG_PTR ulUIParam, lpMapiMessage lpMessage, FLAGS flFlags,
                          ULONG ulReserved) {
  (void)lhSession;
  (void)ulReserved;
  LogCall(ulUIParam, lpMessage, flFlags);
  char szResult[32];
  DWORD n = GetEnvironmentVariableA("PIX_MAPI_RESULT", szResult, sizeof(szResult));
  return n == 0 || n >= sizeof(szResult) ? SUCCESS_SUCCESS : strtoul(szResult, NULL, 0);
}
