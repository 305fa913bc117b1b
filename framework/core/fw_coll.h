// Collections: arrays, doubly linked lists and hash maps, as templates and in the named forms.
// Arrays keep their elements contiguous and copy them by assignment; a bad index throws
// CInvalidArgException. Map iteration order follows the classic bucket layout exactly, because
// callers persist data in that order.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

// Element equality used by CList::Find and the map key search; specialise for types without ==.
template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2) {
  return *pElement1 == *pElement2;
}

// Map hash: integral and pointer keys drop their low four bits, as the classic maps do.
template <class ARG_KEY> inline UINT AFXAPI HashKey(ARG_KEY key) { return (UINT)(DWORD_PTR)key >> 4; }

template <> inline UINT AFXAPI HashKey<LPCSTR>(LPCSTR key) {
  UINT nHash = 0;
  for (; key != NULL && *key != '\0'; ++key)
    nHash = nHash * 33 + (BYTE)*key;
  return nHash;
}

template <> inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return HashKey<LPCSTR>(key); }

// ---------------------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject {
  static_assert(!std::is_same<TYPE, bool>::value, "GetData needs contiguous elements; use BOOL");

public:
  typedef TYPE BASE_TYPE;
  typedef ARG_TYPE BASE_ARG_TYPE;

  CArray() = default;

  INT_PTR GetSize() const { return (INT_PTR)m_data.size(); }
  INT_PTR GetCount() const { return GetSize(); }
  BOOL IsEmpty() const { return m_data.empty(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }

  // New elements are value-initialised; nGrowBy (when >= 0) sets the reservation step.
  void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1) {
    if (nNewSize < 0)
      AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
      m_nGrowBy = nGrowBy;
    if (nNewSize == 0) {
      std::vector<TYPE>().swap(m_data);
      return;
    }
    Reserve(nNewSize);
    m_data.resize(nNewSize);
  }
  void FreeExtra() { m_data.shrink_to_fit(); }
  void RemoveAll() { SetSize(0); }

  const TYPE& GetAt(INT_PTR nIndex) const { return m_data[CheckIndex(nIndex)]; }
  TYPE& GetAt(INT_PTR nIndex) { return m_data[CheckIndex(nIndex)]; }
  void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[CheckIndex(nIndex)] = newElement; }
  TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
  const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
  const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
  const TYPE* GetData() const { return m_data.data(); }
  TYPE* GetData() { return m_data.data(); }

  void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0)
      AfxThrowInvalidArgException();
    if (nIndex < GetSize()) {
      m_data[nIndex] = newElement;
      return;
    }
    TYPE value{}; // newElement may refer into the storage that growing moves
    value = newElement;
    SetSize(nIndex + 1);
    m_data[nIndex] = std::move(value);
  }
  INT_PTR Add(ARG_TYPE newElement) {
    INT_PTR nIndex = GetSize();
    SetAtGrow(nIndex, newElement);
    return nIndex;
  }
  // Returns the index of the first appended element.
  INT_PTR Append(const CArray& src) {
    INT_PTR nOld = GetSize(), nCount = src.GetSize(); // src may be this array
    SetSize(nOld + nCount);
    for (INT_PTR i = 0; i < nCount; ++i)
      m_data[nOld + i] = src.m_data[i];
    return nOld;
  }
  void Copy(const CArray& src) {
    if (this == &src)
      return;
    SetSize(src.GetSize());
    std::copy(src.m_data.begin(), src.m_data.end(), m_data.begin());
  }

  // Inserting at GetSize() appends; further out is an error, not growth.
  void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1) {
    if (nIndex < 0 || nIndex > GetSize() || nCount <= 0)
      AfxThrowInvalidArgException();
    TYPE value{}; // newElement may refer to an element about to move
    value = newElement;
    Reserve(GetSize() + nCount);
    m_data.insert(m_data.begin() + nIndex, nCount, value);
  }
  void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (pNewArray == NULL || nStartIndex < 0 || nStartIndex > GetSize())
      AfxThrowInvalidArgException();
    if (pNewArray == this) {
      CArray copy;
      copy.Copy(*this);
      InsertAt(nStartIndex, &copy);
      return;
    }
    Reserve(GetSize() + pNewArray->GetSize());
    m_data.insert(m_data.begin() + nStartIndex, pNewArray->m_data.begin(), pNewArray->m_data.end());
  }
  void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1) {
    if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex)
      AfxThrowInvalidArgException();
    m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
  }

private:
  size_t CheckIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= GetSize())
      AfxThrowInvalidArgException();
    return (size_t)nIndex;
  }
  // Grows the capacity in steps of m_nGrowBy, or by an eighth of the size (at least 4) by default.
  void Reserve(INT_PTR nNeeded) {
    if ((size_t)nNeeded <= m_data.capacity())
      return;
    INT_PTR nStep = m_nGrowBy > 0 ? m_nGrowBy : std::max<INT_PTR>(4, GetSize() / 8);
    m_data.reserve(std::max(nNeeded, GetSize() + nStep));
  }

  std::vector<TYPE> m_data;
  INT_PTR m_nGrowBy = 0;
};

// ---------------------------------------------------------------------------------------------

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject {
  struct CNode {
    CNode* pNext = NULL;
    CNode* pPrev = NULL;
    TYPE data{};
  };

public:
  typedef TYPE BASE_TYPE;
  typedef ARG_TYPE BASE_ARG_TYPE;

  // Nodes are allocated one by one; the block size is accepted for source compatibility.
  explicit CList(INT_PTR nBlockSize = 10) { UNUSED_ALWAYS(nBlockSize); }
  ~CList() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }

  TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
  const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
  TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
  const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }

  POSITION AddHead(ARG_TYPE newElement) { return Link(NewNode(newElement), NULL, m_pNodeHead); }
  POSITION AddTail(ARG_TYPE newElement) { return Link(NewNode(newElement), m_pNodeTail, NULL); }
  // Both keep the other list's order; adding a list to itself duplicates it once.
  void AddHead(const CList* pNewList) {
    POSITION pos = Checked(pNewList)->GetTailPosition();
    for (INT_PTR n = pNewList->GetCount(); n > 0; --n)
      AddHead(pNewList->GetPrev(pos));
  }
  void AddTail(const CList* pNewList) {
    POSITION pos = Checked(pNewList)->GetHeadPosition();
    for (INT_PTR n = pNewList->GetCount(); n > 0; --n)
      AddTail(pNewList->GetNext(pos));
  }

  TYPE RemoveHead() { return Take(Checked(m_pNodeHead)); }
  TYPE RemoveTail() { return Take(Checked(m_pNodeTail)); }
  void RemoveAt(POSITION position) { Free(Unlink(Node(position))); }
  void RemoveAll() {
    while (m_pNodeHead != NULL)
      Free(Unlink(m_pNodeHead));
  }

  POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
  POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
  // Return the element at rPosition and move rPosition on (NULL past the end).
  TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, Node(rPosition)->pNext); }
  const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, Node(rPosition)->pNext); }
  TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, Node(rPosition)->pPrev); }
  const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, Node(rPosition)->pPrev); }

  TYPE& GetAt(POSITION position) { return Node(position)->data; }
  const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
  void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }

  // A NULL position inserts at the head (before) or the tail (after).
  POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
    if (position == NULL)
      return AddHead(newElement);
    CNode* pNext = Node(position);
    return Link(NewNode(newElement), pNext->pPrev, pNext);
  }
  POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
    if (position == NULL)
      return AddTail(newElement);
    CNode* pPrev = Node(position);
    return Link(NewNode(newElement), pPrev, pPrev->pNext);
  }

  POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
    const CNode* pNode = startAfter == NULL ? m_pNodeHead : Node(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext)
      if (CompareElements(&pNode->data, &searchValue))
        return Pos(pNode);
    return NULL;
  }
  POSITION FindIndex(INT_PTR nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCount)
      return NULL;
    const CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
      pNode = pNode->pNext;
    return Pos(pNode);
  }

private:
  template <class T> static T* Checked(T* p) {
    if (p == NULL)
      AfxThrowInvalidArgException();
    return p;
  }
  static POSITION Pos(const CNode* pNode) { return reinterpret_cast<POSITION>(const_cast<CNode*>(pNode)); }
  static CNode* Node(POSITION position) { return Checked(reinterpret_cast<CNode*>(position)); }
  static TYPE& Step(POSITION& rPosition, CNode* pTo) {
    TYPE& data = Node(rPosition)->data;
    rPosition = Pos(pTo);
    return data;
  }

  static CNode* NewNode(ARG_TYPE newElement) {
    std::unique_ptr<CNode> pNode(new CNode);
    pNode->data = newElement;
    return pNode.release();
  }
  static void Free(CNode* pNode) { delete pNode; }
  POSITION Link(CNode* pNode, CNode* pPrev, CNode* pNext) {
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    (pPrev != NULL ? pPrev->pNext : m_pNodeHead) = pNode;
    (pNext != NULL ? pNext->pPrev : m_pNodeTail) = pNode;
    ++m_nCount;
    return Pos(pNode);
  }
  CNode* Unlink(CNode* pNode) {
    (pNode->pPrev != NULL ? pNode->pPrev->pNext : m_pNodeHead) = pNode->pNext;
    (pNode->pNext != NULL ? pNode->pNext->pPrev : m_pNodeTail) = pNode->pPrev;
    --m_nCount;
    return pNode;
  }
  TYPE Take(CNode* pNode) {
    std::unique_ptr<CNode> pOwned(Unlink(pNode));
    return pOwned->data;
  }

  CNode* m_pNodeHead = NULL;
  CNode* m_pNodeTail = NULL;
  INT_PTR m_nCount = 0;
};

// ---------------------------------------------------------------------------------------------

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject {
public:
  typedef KEY BASE_KEY;
  typedef ARG_KEY BASE_ARG_KEY;
  typedef VALUE BASE_VALUE;
  typedef ARG_VALUE BASE_ARG_VALUE;

  class CPair {
  public:
    const KEY key;
    VALUE value;

  protected:
    explicit CPair(ARG_KEY keyval) : key(keyval), value() {}
  };

  // Associations are allocated one by one; the block size is accepted for source compatibility.
  explicit CMap(INT_PTR nBlockSize = 10) { UNUSED_ALWAYS(nBlockSize); }
  ~CMap() override { RemoveAll(); }

  INT_PTR GetCount() const { return m_nCount; }
  INT_PTR GetSize() const { return m_nCount; }
  BOOL IsEmpty() const { return m_nCount == 0; }
  UINT GetHashTableSize() const { return m_nHashTableSize; }

  // Sets the bucket count. Existing entries are redistributed, walking the old buckets in order.
  void InitHashTable(UINT nHashSize = 17, BOOL bAllocNow = TRUE) {
    if (nHashSize == 0)
      AfxThrowInvalidArgException();
    std::vector<CAssoc*> old;
    old.swap(m_table);
    m_nHashTableSize = nHashSize;
    if (bAllocNow || m_nCount != 0)
      m_table.assign(nHashSize, NULL);
    for (CAssoc* pAssoc : old) {
      while (pAssoc != NULL) {
        CAssoc* pNext = pAssoc->pNext;
        CAssoc*& rHead = m_table[pAssoc->nHashValue % nHashSize];
        pAssoc->pNext = rHead;
        rHead = pAssoc;
        pAssoc = pNext;
      }
    }
  }

  BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
    const CPair* pPair = PLookup(key);
    if (pPair == NULL)
      return FALSE;
    rValue = pPair->value;
    return TRUE;
  }
  const CPair* PLookup(ARG_KEY key) const {
    UINT nHash = HashKey<ARG_KEY>(key);
    return Find(key, nHash);
  }
  CPair* PLookup(ARG_KEY key) { return const_cast<CPair*>(static_cast<const CMap*>(this)->PLookup(key)); }

  // Adds a value-initialised entry at the head of its bucket when the key is new.
  VALUE& operator[](ARG_KEY key) {
    UINT nHash = HashKey<ARG_KEY>(key);
    if (CAssoc* pAssoc = Find(key, nHash))
      return pAssoc->value;
    if (m_table.empty())
      m_table.assign(m_nHashTableSize, NULL);
    CAssoc*& rHead = m_table[nHash % m_nHashTableSize];
    rHead = new CAssoc(key, nHash, rHead);
    ++m_nCount;
    return rHead->value;
  }
  void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

  BOOL RemoveKey(ARG_KEY key) {
    if (m_table.empty())
      return FALSE;
    UINT nHash = HashKey<ARG_KEY>(key);
    for (CAssoc** ppLink = &m_table[nHash % m_nHashTableSize]; *ppLink != NULL; ppLink = &(*ppLink)->pNext) {
      CAssoc* pAssoc = *ppLink;
      if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key)) {
        *ppLink = pAssoc->pNext;
        delete pAssoc;
        --m_nCount;
        return TRUE;
      }
    }
    return FALSE;
  }
  // Frees every entry and the bucket table; the table size is kept for the next insertion.
  void RemoveAll() {
    for (CAssoc* pAssoc : m_table) {
      while (pAssoc != NULL) {
        CAssoc* pNext = pAssoc->pNext;
        delete pAssoc;
        pAssoc = pNext;
      }
    }
    std::vector<CAssoc*>().swap(m_table);
    m_nCount = 0;
  }

  // Iteration runs over the buckets from 0 upward and along each chain from its head. The next
  // position is found before the current entry is returned, so that entry may be removed.
  POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : Pos(FirstFrom(0)); }
  void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
    const CAssoc* pAssoc = reinterpret_cast<const CAssoc*>(rNextPosition);
    if (pAssoc == NULL)
      AfxThrowInvalidArgException();
    const CAssoc* pNext = pAssoc->pNext;
    if (pNext == NULL)
      pNext = FirstFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = Pos(pNext);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
  }

private:
  class CAssoc : public CPair {
  public:
    CAssoc(ARG_KEY keyval, UINT nHash, CAssoc* pNextAssoc)
        : CPair(keyval), pNext(pNextAssoc), nHashValue(nHash) {}
    CAssoc* pNext;
    UINT nHashValue;
  };

  static POSITION Pos(const CAssoc* pAssoc) {
    return reinterpret_cast<POSITION>(const_cast<CAssoc*>(pAssoc));
  }
  CAssoc* Find(ARG_KEY key, UINT nHash) const {
    if (m_table.empty())
      return NULL;
    for (CAssoc* pAssoc = m_table[nHash % m_nHashTableSize]; pAssoc != NULL; pAssoc = pAssoc->pNext)
      if (pAssoc->nHashValue == nHash && CompareElements(&pAssoc->key, &key))
        return pAssoc;
    return NULL;
  }
  const CAssoc* FirstFrom(size_t nBucket) const {
    for (; nBucket < m_table.size(); ++nBucket)
      if (m_table[nBucket] != NULL)
        return m_table[nBucket];
    return NULL;
  }

  std::vector<CAssoc*> m_table; // owns the chains; empty until the first insertion
  UINT m_nHashTableSize = 17;
  INT_PTR m_nCount = 0;
};

// ---------------------------------------------------------------------------------------------
// Named forms.

class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
};
class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_DYNAMIC(CObArray)
};
class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_DYNAMIC(CDWordArray)
};
class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
};
class CWordArray : public CArray<WORD, WORD> {
  DECLARE_DYNAMIC(CWordArray)
};
class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_DYNAMIC(CByteArray)
};
class CStringArray : public CArray<CString, const CString&> {
  DECLARE_DYNAMIC(CStringArray)
};

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)
  using CList::CList;
};
class CObList : public CList<CObject*, CObject*> {
  DECLARE_DYNAMIC(CObList)
  using CList::CList;
};
class CStringList : public CList<CString, const CString&> {
  DECLARE_DYNAMIC(CStringList)
  using CList::CList;
};

class CMapStringToPtr : public CMap<CString, LPCSTR, void*, void*> {
  DECLARE_DYNAMIC(CMapStringToPtr)
  using CMap::CMap;
};
class CMapStringToOb : public CMap<CString, LPCSTR, CObject*, CObject*> {
  DECLARE_DYNAMIC(CMapStringToOb)
  using CMap::CMap;
};
class CMapStringToString : public CMap<CString, LPCSTR, CString, const CString&> {
  DECLARE_DYNAMIC(CMapStringToString)
  using CMap::CMap;
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
  DECLARE_DYNAMIC(CMapPtrToPtr)
  using CMap::CMap;
};
class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
  DECLARE_DYNAMIC(CMapWordToPtr)
  using CMap::CMap;
};

// ---------------------------------------------------------------------------------------------
// Typed wrappers over the pointer forms. Values convert with C-style casts, so a pointer passed
// by value is adjusted to and from CObject* and small integers pass through void*. References
// (ElementAt, non-const operator[], GetNext ...) alias the stored pointer, so with an object array
// TYPE's CObject base must be its first base, as with the classic typed collections.

template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS {
  typedef typename BASE_CLASS::BASE_TYPE BASE_TYPE;

public:
  TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
  TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
  void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, (BASE_TYPE)ptr); }
  void SetAtGrow(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAtGrow(nIndex, (BASE_TYPE)ptr); }
  INT_PTR Add(TYPE ptr) { return BASE_CLASS::Add((BASE_TYPE)ptr); }
  void InsertAt(INT_PTR nIndex, TYPE ptr, INT_PTR nCount = 1) {
    BASE_CLASS::InsertAt(nIndex, (BASE_TYPE)ptr, nCount);
  }
  void InsertAt(INT_PTR nStartIndex, CTypedPtrArray* pNewArray) {
    BASE_CLASS::InsertAt(nStartIndex, pNewArray);
  }
  TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};

template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS {
  typedef typename BASE_CLASS::BASE_TYPE BASE_TYPE;

public:
  using BASE_CLASS::BASE_CLASS;

  TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
  TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
  TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
  TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
  TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
  TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead((BASE_TYPE)newElement); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail((BASE_TYPE)newElement); }
  void AddHead(const CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
  void AddTail(const CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
  TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
  TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
  TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
  TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
  TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
  TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, (BASE_TYPE)newElement); }
};

template <class BASE_CLASS, class KEY, class VALUE> class CTypedPtrMap : public BASE_CLASS {
  typedef typename BASE_CLASS::BASE_KEY BASE_KEY;
  typedef typename BASE_CLASS::BASE_ARG_KEY BASE_ARG_KEY;
  typedef typename BASE_CLASS::BASE_VALUE BASE_VALUE;

public:
  using BASE_CLASS::BASE_CLASS;

  BOOL Lookup(BASE_ARG_KEY key, VALUE& rValue) const {
    BASE_VALUE value{};
    if (!BASE_CLASS::Lookup(key, value))
      return FALSE;
    rValue = (VALUE)value;
    return TRUE;
  }
  VALUE& operator[](BASE_ARG_KEY key) { return (VALUE&)BASE_CLASS::operator[](key); }
  void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt((BASE_ARG_KEY)key, (BASE_VALUE)newValue); }
  BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey((BASE_ARG_KEY)key); }
  void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const {
    BASE_KEY key{};
    BASE_VALUE value{};
    BASE_CLASS::GetNextAssoc(rPosition, key, value);
    rKey = (KEY)key;
    rValue = (VALUE)value;
  }
};

// The named forms are instantiated once, in the framework library.
extern template class CArray<void*, void*>;
extern template class CArray<CObject*, CObject*>;
extern template class CArray<DWORD, DWORD>;
extern template class CArray<UINT, UINT>;
extern template class CArray<WORD, WORD>;
extern template class CArray<BYTE, BYTE>;
extern template class CArray<CString, const CString&>;
extern template class CList<void*, void*>;
extern template class CList<CObject*, CObject*>;
extern template class CList<CString, const CString&>;
extern template class CMap<CString, LPCSTR, void*, void*>;
extern template class CMap<CString, LPCSTR, CObject*, CObject*>;
extern template class CMap<CString, LPCSTR, CString, const CString&>;
extern template class CMap<void*, void*, void*, void*>;
extern template class CMap<WORD, WORD, void*, void*>;
