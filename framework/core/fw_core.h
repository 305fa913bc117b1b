// Core of the framework layer: run-time class records, CObject, exceptions and the
// TRY/CATCH macros. Everything here works during static initialisation.
#pragma once

#ifndef STRICT
#define STRICT
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstddef>
#include <new>

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif

// Debug helpers: the release build the program ships never asserts.
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define TRACE(...) ((void)0)
#define UNUSED_ALWAYS(x) (void)(x)
#define AFXAPI
#define AFX_CDECL
#define AFX_INLINE inline

class CObject;
class CArchive;
struct CRuntimeClass;

typedef struct __POSITION {
} * POSITION;

// One record per class; constant-initialised so it is usable before main().
struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema; // 0xFFFF when the class is not serial
  CObject*(AFXAPI* m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;
  mutable const CRuntimeClass* m_pNextClass; // module's serial-class list

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
  static CRuntimeClass* AFXAPI FromName(LPCSTR lpszClassName);
};

// Adds a serial class to the module list from a dynamic initialiser.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                                                                          \
public:                                                                                                      \
  static const CRuntimeClass class##class_name;                                                              \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name)                                                                        \
  DECLARE_DYNAMIC(class_name)                                                                                \
  static CObject* AFXAPI CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                              \
  const CRuntimeClass class_name::class##class_name = {#class_name, (int)sizeof(class class_name),  wSchema, \
                                                       pfnNew,      RUNTIME_CLASS(base_class_name), NULL};   \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                       \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                     \
  CObject* AFXAPI class_name::CreateObject() { return new class_name; }                                      \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                               \
  CObject* AFXAPI class_name::CreateObject() { return new class_name; }                                      \
  FW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)                  \
  static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

// Templates spell their runtime record by hand (one record per instantiation).
#define IMPLEMENT_DYNAMIC_T(template_decl, class_name, base_class_name)                                      \
  template_decl const CRuntimeClass class_name::class##class_name = {                                        \
      #class_name, (int)sizeof(class_name), 0xFFFF, NULL, RUNTIME_CLASS(base_class_name), NULL};             \
  template_decl CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

class CObject {
public:
  static const CRuntimeClass classCObject;

  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}

protected:
  CObject() = default;

private:
  CObject(const CObject&) = delete;
  void operator=(const CObject&) = delete;
};

// Down-casts checked against the run-time class record.
CObject* AFXAPI AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object)                                                                 \
  static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
#define ASSERT_KINDOF(class_name, object) ((void)0)

// ---------------------------------------------------------------------------------------------
// Exceptions: heap objects thrown by pointer, released with Delete().

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  CException();
  explicit CException(BOOL bAutoDelete);
  ~CException() override = default;

  void Delete();
  virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

  BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
public:
  CSimpleException() = default;
  explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

protected:
  virtual LPCSTR DefaultMessage() const;
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
protected:
  LPCSTR DefaultMessage() const override;
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
protected:
  LPCSTR DefaultMessage() const override;
};

class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
protected:
  LPCSTR DefaultMessage() const override;
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
protected:
  LPCSTR DefaultMessage() const override;
};

// Thrown to abandon an operation the user has already been told about; never reported.
class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
public:
  int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) override;
};

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszArchiveName = NULL);
  ~CFileException() override;

  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
  static int AFXAPI OsErrorToException(LONG lOsError);
  static void AFXAPI ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);

  int m_cause;
  LONG m_lOsError;
  // A plain buffer rather than CString keeps this header free of the string module.
  char* m_strFileName;
  void SetFileName(LPCSTR lpszFileName);
};

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,
    endOfFile = 3,
    writeOnly = 4,
    badIndex = 5,
    badClass = 6,
    badSchema = 7
  };
  explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = NULL);
  ~CArchiveException() override;
  BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

  int m_cause;
  char* m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = NULL);
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = NULL);

// The framework's message box (defined with the application object, usable without one):
// the application's caption and owner, and a default icon when the type has none.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// Test seam: every message box of the framework goes through pfn when it is set, with its
// final type bits; its answer is returned as the box's result.
typedef int(AFXAPI* AFX_MSGBOX_HOOK)(LPCSTR lpszText, UINT nType, UINT nIDHelp);
AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfn);

// The macros delete the caught exception when the handler ends, unless it is re-thrown
// with THROW_LAST().
struct AFX_EXCEPTION_LINK {
  CException* m_pException = NULL;
  ~AFX_EXCEPTION_LINK() {
    if (m_pException != NULL)
      m_pException->Delete();
  }
};

#define TRY                                                                                                  \
  {                                                                                                          \
    AFX_EXCEPTION_LINK _afxExceptionLink;                                                                    \
    try {
#define CATCH(class, e)                                                                                      \
  }                                                                                                          \
  catch (class * e) {                                                                                        \
    _afxExceptionLink.m_pException = e;
#define AND_CATCH(class, e)                                                                                  \
  }                                                                                                          \
  catch (class * e) {                                                                                        \
    _afxExceptionLink.m_pException = e;
#define END_CATCH                                                                                            \
  }                                                                                                          \
  }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define END_TRY                                                                                              \
  }                                                                                                          \
  catch (CException * e) {                                                                                   \
    _afxExceptionLink.m_pException = e;                                                                      \
  }                                                                                                          \
  }
#define THROW(e) throw e
#define THROW_LAST()                                                                                         \
  do {                                                                                                       \
    _afxExceptionLink.m_pException = NULL;                                                                   \
    throw;                                                                                                   \
  } while (0)
#define DELETE_EXCEPTION(e)                                                                                  \
  do {                                                                                                       \
    (e)->Delete();                                                                                           \
  } while (0)

// Module state: instance and resource handles. They answer the executable's handle until the
// application start-up sets them.
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInst);
