#include "tests/common/stack_report.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace stack_report {

namespace {

const size_t kMaxStackBytes = 256 * 1024;
const size_t kMaxNameChars = 160;

struct Symbol {
  DWORD dwRva;
  std::string name;
  bool operator<(const Symbol& other) const { return dwRva < other.dwRva; }
};

const IMAGE_NT_HEADERS32* Headers(HMODULE hModule) {
  const BYTE* pBase = reinterpret_cast<const BYTE*>(hModule);
  const auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
  return reinterpret_cast<const IMAGE_NT_HEADERS32*>(pBase + pDos->e_lfanew);
}

// The module's section holding the address, when it is code.
const IMAGE_SECTION_HEADER* CodeSection(HMODULE hModule, DWORD dwRva) {
  const IMAGE_NT_HEADERS32* pNt = Headers(hModule);
  const IMAGE_SECTION_HEADER* pSection = IMAGE_FIRST_SECTION(pNt);
  for (WORD i = 0; i < pNt->FileHeader.NumberOfSections; i++, pSection++)
    if (dwRva >= pSection->VirtualAddress && dwRva < pSection->VirtualAddress + pSection->Misc.VirtualSize)
      return (pSection->Characteristics & IMAGE_SCN_MEM_EXECUTE) ? pSection : nullptr;
  return nullptr;
}

std::string Demangled(std::string name) {
#ifndef _WIN64
  // Symbols of a 32-bit module carry a leading underscore.
  if (name.size() > 1 && name[0] == '_')
    name.erase(0, 1);
#endif
  int nStatus = 0;
  char* pszPlain = abi::__cxa_demangle(name.c_str(), nullptr, nullptr, &nStatus);
  if (pszPlain != nullptr) {
    name = pszPlain;
    std::free(pszPlain);
  }
  if (name.size() > kMaxNameChars)
    name = name.substr(0, kMaxNameChars) + "...";
  return name;
}

std::vector<char> ReadWholeFile(const char* pszPath) {
  std::vector<char> bytes;
  HANDLE hFile =
      ::CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  if (hFile == INVALID_HANDLE_VALUE)
    return bytes;
  const DWORD dwSize = ::GetFileSize(hFile, NULL);
  DWORD dwRead = 0;
  if (dwSize != INVALID_FILE_SIZE && dwSize < (64u << 20)) {
    bytes.resize(dwSize);
    if (!::ReadFile(hFile, bytes.data(), dwSize, &dwRead, NULL) || dwRead != dwSize)
      bytes.clear();
  }
  ::CloseHandle(hFile);
  return bytes;
}

// The functions the COFF symbol table of the module's file names: the linker keeps it unless the
// file was stripped.
std::vector<Symbol> FileSymbols(HMODULE hModule) {
  std::vector<Symbol> symbols;
  char szPath[MAX_PATH] = "";
  if (!::GetModuleFileNameA(hModule, szPath, MAX_PATH))
    return symbols;
  const std::vector<char> file = ReadWholeFile(szPath);
  IMAGE_DOS_HEADER dos = {};
  IMAGE_FILE_HEADER header = {};
  if (file.size() < sizeof(dos))
    return symbols;
  std::memcpy(&dos, file.data(), sizeof(dos));
  const size_t nHeader = (size_t)dos.e_lfanew + 4;
  if (dos.e_magic != IMAGE_DOS_SIGNATURE || nHeader + sizeof(header) > file.size())
    return symbols;
  std::memcpy(&header, file.data() + nHeader, sizeof(header));
  const size_t nTable = header.PointerToSymbolTable, nCount = header.NumberOfSymbols;
  const size_t nStrings = nTable + nCount * IMAGE_SIZEOF_SYMBOL;
  if (nTable == 0 || nStrings > file.size())
    return symbols;
  // The sections as they are mapped: the file's are the same.
  const IMAGE_SECTION_HEADER* pSections = IMAGE_FIRST_SECTION(Headers(hModule));
  for (size_t i = 0; i < nCount; i++) {
    IMAGE_SYMBOL sym;
    std::memcpy(&sym, file.data() + nTable + i * IMAGE_SIZEOF_SYMBOL, IMAGE_SIZEOF_SYMBOL);
    const size_t nAux = sym.NumberOfAuxSymbols;
    if (sym.SectionNumber > 0 && sym.SectionNumber <= header.NumberOfSections && ISFCN(sym.Type)) {
      std::string name;
      if (sym.N.Name.Short != 0)
        name.assign(reinterpret_cast<const char*>(sym.N.ShortName),
                    strnlen(reinterpret_cast<const char*>(sym.N.ShortName), 8));
      else if (nStrings + sym.N.Name.Long < file.size())
        name.assign(
            file.data() + nStrings + sym.N.Name.Long,
            strnlen(file.data() + nStrings + sym.N.Name.Long, file.size() - nStrings - sym.N.Name.Long));
      symbols.push_back({pSections[sym.SectionNumber - 1].VirtualAddress + sym.Value, name});
    }
    i += nAux;
  }
  return symbols;
}

// The functions the module exports, read from its image in memory.
std::vector<Symbol> ExportSymbols(HMODULE hModule) {
  std::vector<Symbol> symbols;
  const BYTE* pBase = reinterpret_cast<const BYTE*>(hModule);
  const IMAGE_DATA_DIRECTORY& dir =
      Headers(hModule)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (dir.VirtualAddress == 0 || dir.Size == 0)
    return symbols;
  const auto* pExports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(pBase + dir.VirtualAddress);
  const auto* pNames = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfNames);
  const auto* pOrdinals = reinterpret_cast<const WORD*>(pBase + pExports->AddressOfNameOrdinals);
  const auto* pFunctions = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfFunctions);
  for (DWORD i = 0; i < pExports->NumberOfNames; i++) {
    if (pOrdinals[i] >= pExports->NumberOfFunctions)
      continue;
    const DWORD dwRva = pFunctions[pOrdinals[i]];
    // A forwarder names another module's function: no code here.
    if (dwRva >= dir.VirtualAddress && dwRva < dir.VirtualAddress + dir.Size)
      continue;
    symbols.push_back({dwRva, reinterpret_cast<const char*>(pBase + pNames[i])});
  }
  return symbols;
}

// The loader's lock, taken only when it is free: a thread that hangs while holding it must not
// hang the report too. Found before anything can hang, since finding it takes that lock.
using LockLoaderFn = LONG(WINAPI*)(ULONG, ULONG*, ULONG_PTR*);
using UnlockLoaderFn = LONG(WINAPI*)(ULONG, ULONG_PTR);
const HMODULE g_hNtdll = ::GetModuleHandleA("ntdll.dll");
const auto g_pLockLoader = reinterpret_cast<LockLoaderFn>(
    reinterpret_cast<UINT_PTR>(::GetProcAddress(g_hNtdll, "LdrLockLoaderLock")));
const auto g_pUnlockLoader = reinterpret_cast<UnlockLoaderFn>(
    reinterpret_cast<UINT_PTR>(::GetProcAddress(g_hNtdll, "LdrUnlockLoaderLock")));

class LoaderLock {
public:
  LoaderLock() {
    const ULONG kTryOnly = 2, kTaken = 1;
    for (DWORD dwStart = ::GetTickCount(); g_pLockLoader != nullptr && ::GetTickCount() - dwStart < 2000;
         ::Sleep(50)) {
      ULONG nResult = 0;
      if (g_pLockLoader(kTryOnly, &nResult, &m_nCookie) == 0 && nResult == kTaken) {
        m_bTaken = true;
        break;
      }
    }
  }
  ~LoaderLock() {
    if (m_bTaken)
      g_pUnlockLoader(0, m_nCookie);
  }
  LoaderLock(const LoaderLock&) = delete;
  LoaderLock& operator=(const LoaderLock&) = delete;
  bool Taken() const { return m_bTaken; }

private:
  bool m_bTaken = false;
  ULONG_PTR m_nCookie = 0;
};

class Namer {
public:
  explicit Namer(bool bNames) : m_bNames(bNames) {}

  // "module!function+0x1c", or "module+0x1c4a" where nothing names the place.
  std::string Name(UINT_PTR nAddress) {
    HMODULE hModule = ModuleOf(nAddress);
    char sz[64];
    if (hModule == NULL || !m_bNames) {
      std::snprintf(sz, sizeof(sz), "%08llx", (unsigned long long)nAddress);
      return sz;
    }
    const DWORD dwRva = (DWORD)(nAddress - (UINT_PTR)hModule);
    const std::vector<Symbol>& symbols = SymbolsOf(hModule);
    auto it = std::upper_bound(symbols.begin(), symbols.end(), Symbol{dwRva, ""});
    std::string name = ModuleName(hModule);
    if (it != symbols.begin()) {
      --it;
      std::snprintf(sz, sizeof(sz), "+0x%lx", (unsigned long)(dwRva - it->dwRva));
      return name + "!" + Demangled(it->name) + sz;
    }
    std::snprintf(sz, sizeof(sz), "+0x%lx", (unsigned long)dwRva);
    return name + sz;
  }

  // Whether the value is where a call returns to: in a module's code, just after a call.
  bool IsReturnAddress(UINT_PTR nAddress) {
    HMODULE hModule = ModuleOf(nAddress);
    if (hModule == NULL)
      return false;
    const DWORD dwRva = (DWORD)(nAddress - (UINT_PTR)hModule);
    const IMAGE_SECTION_HEADER* pCode = CodeSection(hModule, dwRva);
    if (pCode == nullptr || dwRva < pCode->VirtualAddress + 7)
      return false;
    const BYTE* p = reinterpret_cast<const BYTE*>(nAddress);
    const auto indirect = [](BYTE modrm) { return (modrm & 0x38) == 0x10; }; // FF /2
    return p[-5] == 0xE8 || (p[-2] == 0xFF && indirect(p[-1]) && (p[-1] & 0xC0) == 0xC0) ||
           (p[-3] == 0xFF && indirect(p[-2])) || (p[-6] == 0xFF && indirect(p[-5])) ||
           (p[-7] == 0xFF && indirect(p[-6]));
  }

private:
  // Found from the mapping, which needs no lock.
  static HMODULE ModuleOf(UINT_PTR nAddress) {
    MEMORY_BASIC_INFORMATION info = {};
    if (::VirtualQuery(reinterpret_cast<LPCVOID>(nAddress), &info, sizeof(info)) == 0 ||
        info.Type != MEM_IMAGE)
      return NULL;
    return static_cast<HMODULE>(info.AllocationBase);
  }

  static std::string ModuleName(HMODULE hModule) {
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(hModule, szPath, MAX_PATH);
    const char* pszSlash = std::strrchr(szPath, '\\');
    return pszSlash != nullptr ? pszSlash + 1 : szPath;
  }

  const std::vector<Symbol>& SymbolsOf(HMODULE hModule) {
    auto found = m_symbols.find(hModule);
    if (found != m_symbols.end())
      return found->second;
    std::vector<Symbol> symbols = FileSymbols(hModule);
    if (symbols.empty())
      symbols = ExportSymbols(hModule);
    std::sort(symbols.begin(), symbols.end());
    return m_symbols[hModule] = std::move(symbols);
  }

  const bool m_bNames;
  std::map<HMODULE, std::vector<Symbol>> m_symbols;
};

// The registers a stack walk starts from, on either processor the tests are built for.
#ifdef _WIN64
UINT_PTR StackPointer(const CONTEXT& context) { return context.Rsp; }
UINT_PTR InstructionPointer(const CONTEXT& context) { return context.Rip; }
#else
UINT_PTR StackPointer(const CONTEXT& context) { return context.Esp; }
UINT_PTR InstructionPointer(const CONTEXT& context) { return context.Eip; }
#endif

} // namespace

std::string Describe(HANDLE hThread, size_t nMax) {
  // Nothing between the suspension and the resumption may take a lock the thread could hold, the
  // heap's above all: the copy's room is made first.
  std::vector<UINT_PTR> stack(kMaxStackBytes / sizeof(UINT_PTR));
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_CONTROL;
  size_t nWords = 0;
  if (::SuspendThread(hThread) == (DWORD)-1)
    return "  (the thread could not be stopped: error " + std::to_string(::GetLastError()) + ")\n";
  UINT_PTR nTop = 0;
  if (::GetThreadContext(hThread, &context)) {
    nTop = StackPointer(context);
    MEMORY_BASIC_INFORMATION info = {};
    if (::VirtualQuery(reinterpret_cast<LPCVOID>(nTop), &info, sizeof(info)) != 0 &&
        info.State == MEM_COMMIT) {
      const UINT_PTR nEnd = reinterpret_cast<UINT_PTR>(info.BaseAddress) + info.RegionSize;
      nWords = std::min<size_t>((nEnd - nTop) / sizeof(UINT_PTR), stack.size());
      std::memcpy(stack.data(), reinterpret_cast<const void*>(nTop), nWords * sizeof(UINT_PTR));
    }
  }
  ::ResumeThread(hThread);
  if (nTop == 0)
    return "  (the thread's registers could not be read)\n";

  const LoaderLock lock;
  Namer namer(lock.Taken());
  std::string text = lock.Taken() ? "" : "  (the loader's lock is held: places unnamed)\n";
  text += "  at " + namer.Name(InstructionPointer(context)) + "\n";
  std::string last;
  for (size_t i = 0, nShown = 0; i < nWords && nShown < nMax; i++) {
    if (!namer.IsReturnAddress(stack[i]))
      continue;
    const std::string name = namer.Name(stack[i]);
    if (name == last)
      continue;
    text += "  from " + name + "\n";
    last = name;
    nShown++;
  }
  return text;
}

} // namespace stack_report
