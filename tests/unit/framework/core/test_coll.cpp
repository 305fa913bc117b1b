// Collections: array bounds and element lifetime, list positions, map iteration order, the
// named and typed forms.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

template <class F> bool ThrowsInvalidArg(F f) {
  try {
    f();
  } catch (CException* e) {
    bool bInvalidArg = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
    e->Delete();
    return bInvalidArg;
  }
  return false;
}

// Counts live instances so that tests can prove every element is constructed and destroyed once.
struct Tracked {
  static int s_live;
  int value = 0;
  CString name;

  Tracked() { ++s_live; }
  Tracked(int v, LPCSTR n) : value(v), name(n) { ++s_live; }
  Tracked(const Tracked& other) : value(other.value), name(other.name) { ++s_live; }
  Tracked& operator=(const Tracked& other) = default;
  ~Tracked() { --s_live; }
};
int Tracked::s_live = 0;

struct Pod {
  int a;
  double b;
  void* p;
};

class CFoo : public CObject {
public:
  explicit CFoo(int id) : m_id(id) {}
  int m_id;
};

template <class TArray> std::vector<int> Values(const TArray& arr) {
  std::vector<int> out;
  for (INT_PTR i = 0; i < arr.GetSize(); ++i)
    out.push_back((int)arr[i]);
  return out;
}

template <class TList> std::vector<std::string> Forward(const TList& list) {
  std::vector<std::string> out;
  for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    out.push_back((LPCSTR)list.GetNext(pos));
  return out;
}

template <class TList> std::vector<std::string> Backward(const TList& list) {
  std::vector<std::string> out;
  for (POSITION pos = list.GetTailPosition(); pos != NULL;)
    out.push_back((LPCSTR)list.GetPrev(pos));
  return out;
}

typedef std::vector<std::string> Strings;

} // namespace

// ---------------------------------------------------------------------------------------------

TEST(CollArray, IndexOutsideTheElementsThrowsInvalidArg) {
  CArray<int, int> arr;
  arr.Add(1);
  arr.Add(2);
  const CArray<int, int>& carr = arr;
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.GetAt(2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.GetAt(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { carr.GetAt(2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetAt(2, 9); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.ElementAt(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr[2] = 5; }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { carr[5]; }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(1, 2); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.RemoveAt(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(3, 7); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(-1, 7); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.InsertAt(0, (const CArray<int, int>*)NULL); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetSize(-1); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { arr.SetAtGrow(-1, 0); }));
  EXPECT_EQ((std::vector<int>{1, 2}), Values(arr)); // nothing grew
}

TEST(CollArray, SetAtGrowAndInsertAtEndGrow) {
  CArray<int, int> arr;
  arr.SetAtGrow(3, 40);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 40}), Values(arr));
  arr.InsertAt(4, 50); // at GetSize(): appends
  arr.SetAtGrow(1, 10);
  EXPECT_EQ((std::vector<int>{0, 10, 0, 40, 50}), Values(arr));
  EXPECT_EQ(4, arr.GetUpperBound());
  EXPECT_EQ(5, arr.GetCount());
}

TEST(CollArray, SetSizeValueInitialisesNewElements) {
  CArray<Pod, const Pod&> pods;
  pods.SetSize(4);
  for (INT_PTR i = 0; i < 4; ++i)
    pods[i] = Pod{7, 1.5, &pods};
  pods.SetSize(1); // keeps the storage, so regrowing reuses dirty memory
  pods.SetSize(4, 16);
  EXPECT_EQ(7, pods[0].a);
  for (INT_PTR i = 1; i < 4; ++i) {
    EXPECT_EQ(0, pods[i].a);
    EXPECT_EQ(0.0, pods[i].b);
    EXPECT_EQ(nullptr, pods[i].p);
  }

  CArray<int, int> ints;
  ints.Add(-1);
  ints.Add(-1);
  ints.SetSize(1);
  ints.SetSize(3);
  EXPECT_EQ((std::vector<int>{-1, 0, 0}), Values(ints));
}

TEST(CollArray, AddInsertRemoveKeepOrder) {
  CArray<int, int> arr;
  EXPECT_EQ(0, arr.Add(1));
  EXPECT_EQ(1, arr.Add(5));
  arr.InsertAt(1, 3, 2);
  EXPECT_EQ((std::vector<int>{1, 3, 3, 5}), Values(arr));
  arr.RemoveAt(0, 2);
  EXPECT_EQ((std::vector<int>{3, 5}), Values(arr));

  CArray<int, int> more;
  more.Add(8);
  more.Add(9);
  arr.InsertAt(1, &more);
  EXPECT_EQ((std::vector<int>{3, 8, 9, 5}), Values(arr));
  arr.InsertAt(0, &arr); // an array into itself
  EXPECT_EQ((std::vector<int>{3, 8, 9, 5, 3, 8, 9, 5}), Values(arr));

  EXPECT_EQ(8, arr.Append(more));
  EXPECT_EQ(10, arr.GetSize());
  arr.RemoveAt(0, 8);
  EXPECT_EQ(2, arr.Append(arr));
  EXPECT_EQ((std::vector<int>{8, 9, 8, 9}), Values(arr));

  int* data = arr.GetData();
  data[3] = 4;
  EXPECT_EQ(4, arr[3]);
  EXPECT_EQ(&arr.ElementAt(2), data + 2);

  arr.RemoveAll();
  EXPECT_TRUE(arr.IsEmpty());
  EXPECT_EQ(-1, arr.GetUpperBound());
}

TEST(CollArray, CopyIsIndependentAndFreeExtraKeepsElements) {
  CStringArray src;
  src.Add("one");
  src.Add(CString("two"));
  CStringArray dst;
  dst.Add("old");
  dst.Add("old");
  dst.Add("old");
  dst.Copy(src);
  ASSERT_EQ(2, dst.GetSize());
  dst[0] = "changed";
  EXPECT_STREQ("one", src[0]);
  EXPECT_STREQ("two", dst[1]);
  dst.FreeExtra();
  EXPECT_STREQ("changed", dst[0]);
  dst.Copy(dst);
  EXPECT_EQ(2, dst.GetSize());
}

TEST(CollArray, AddingAnElementOfTheSameArraySurvivesGrowth) {
  CStringArray arr;
  arr.Add("a string too long for any small-string buffer");
  for (int i = 0; i < 100; ++i)
    arr.Add(arr[0]);
  arr.InsertAt(0, arr[arr.GetUpperBound()], 3);
  arr.SetAtGrow(arr.GetSize() + 20, arr[1]);
  for (INT_PTR i = 0; i < 104; ++i)
    ASSERT_STREQ("a string too long for any small-string buffer", arr[i]) << i;
  EXPECT_STREQ(arr[0], arr[arr.GetUpperBound()]);
  EXPECT_TRUE(arr[arr.GetUpperBound() - 1].IsEmpty());
}

TEST(CollArray, NonTrivialElementsAreConstructedAndDestroyedOnce) {
  {
    CArray<Tracked, const Tracked&> arr;
    arr.SetSize(3);
    arr.SetAt(1, Tracked(11, "eleven"));
    arr.InsertAt(0, Tracked(5, "five"), 2);
    arr.Add(Tracked(99, "last"));
    EXPECT_EQ(6, Tracked::s_live);
    arr.RemoveAt(1, 2);
    EXPECT_EQ(4, Tracked::s_live);
    EXPECT_EQ(5, arr[0].value);
    EXPECT_EQ(11, arr[1].value);
    EXPECT_STREQ("eleven", arr[1].name);
    EXPECT_TRUE(arr[2].name.IsEmpty());
    EXPECT_STREQ("last", arr[3].name);

    CArray<Tracked, const Tracked&> copy;
    copy.Copy(arr);
    copy.Append(arr);
    EXPECT_EQ(12, Tracked::s_live);
    copy.SetSize(1);
    EXPECT_EQ(5, Tracked::s_live);
  }
  EXPECT_EQ(0, Tracked::s_live);
}

// ---------------------------------------------------------------------------------------------

TEST(CollList, AddRemoveAndWalkBothWays) {
  CStringList list;
  EXPECT_TRUE(list.IsEmpty());
  POSITION posB = list.AddTail("b");
  list.AddHead("a");
  list.AddTail("c");
  EXPECT_EQ((Strings{"a", "b", "c"}), Forward(list));
  EXPECT_EQ((Strings{"c", "b", "a"}), Backward(list));
  EXPECT_STREQ("b", list.GetAt(posB));
  EXPECT_STREQ("a", list.GetHead());
  EXPECT_STREQ("c", list.GetTail());

  EXPECT_STREQ("a", list.RemoveHead());
  EXPECT_STREQ("c", list.RemoveTail());
  EXPECT_EQ(1, list.GetCount());
  EXPECT_EQ(posB, list.GetHeadPosition());
  EXPECT_EQ(posB, list.GetTailPosition());
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(nullptr, list.GetHeadPosition());
  EXPECT_TRUE(ThrowsInvalidArg([&] { list.RemoveHead(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetTail(); }));
  EXPECT_TRUE(ThrowsInvalidArg([&] { list.GetAt(NULL); }));
}

TEST(CollList, InsertAroundPositionsThatStayValid) {
  CStringList list;
  POSITION posM = list.AddTail("m");
  POSITION posL = list.InsertBefore(posM, "l");
  POSITION posN = list.InsertAfter(posM, "n");
  list.InsertBefore(NULL, "head");
  list.InsertAfter(NULL, "tail");
  EXPECT_EQ((Strings{"head", "l", "m", "n", "tail"}), Forward(list));

  list.RemoveAt(posM);
  EXPECT_STREQ("l", list.GetAt(posL));
  EXPECT_STREQ("n", list.GetAt(posN));
  list.SetAt(posN, "N");
  POSITION pos = posL;
  list.GetNext(pos);
  EXPECT_EQ(posN, pos);
  EXPECT_EQ((Strings{"tail", "N", "l", "head"}), Backward(list));
}

TEST(CollList, FindAndFindIndex) {
  CStringList list;
  list.AddTail("x");
  POSITION posY = list.AddTail("y");
  POSITION posX2 = list.AddTail("x");
  POSITION posX1 = list.GetHeadPosition();
  EXPECT_EQ(posX1, list.Find("x"));
  EXPECT_EQ(posX2, list.Find("x", posX1));
  EXPECT_EQ(nullptr, list.Find("x", posX2));
  EXPECT_EQ(nullptr, list.Find("z"));
  EXPECT_EQ(posY, list.FindIndex(1));
  EXPECT_EQ(posX2, list.FindIndex(2));
  EXPECT_EQ(nullptr, list.FindIndex(3));
  EXPECT_EQ(nullptr, list.FindIndex(-1));
}

TEST(CollList, RemovingTheVisitedNodeDuringAWalk) {
  CList<int, int> list;
  for (int i = 1; i <= 6; ++i)
    list.AddTail(i);
  for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
    POSITION posCur = pos;
    if (list.GetNext(pos) % 2 == 0)
      list.RemoveAt(posCur);
  }
  std::vector<int> left;
  for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    left.push_back(list.GetNext(pos));
  EXPECT_EQ((std::vector<int>{1, 3, 5}), left);
}

TEST(CollList, AppendingListsKeepsTheirOrder) {
  CStringList list, other;
  list.AddTail("m");
  other.AddTail("1");
  other.AddTail("2");
  list.AddTail(&other);
  list.AddHead(&other);
  EXPECT_EQ((Strings{"1", "2", "m", "1", "2"}), Forward(list));
  other.AddTail(&other);
  EXPECT_EQ((Strings{"1", "2", "1", "2"}), Forward(other));
  other.AddHead(&other);
  EXPECT_EQ(8, other.GetCount());
}

TEST(CollList, NodesReleaseTheirElements) {
  {
    CList<Tracked, const Tracked&> list;
    list.AddTail(Tracked(1, "one"));
    list.AddHead(Tracked(2, "two"));
    POSITION pos = list.AddTail(Tracked(3, "three"));
    EXPECT_EQ(3, Tracked::s_live);
    list.RemoveAt(pos);
    Tracked head = list.RemoveHead();
    EXPECT_EQ(2, head.value);
    EXPECT_EQ(2, Tracked::s_live);
    list.AddTail(head);
  }
  EXPECT_EQ(0, Tracked::s_live);
}

// ---------------------------------------------------------------------------------------------

namespace {

// The classic layout, modelled independently: bucket (key >> 4) % size, a new key at the head of
// its chain, iteration from bucket 0 along each chain.
std::vector<UINT> ClassicOrder(const std::vector<UINT>& insertions, UINT nBuckets) {
  std::vector<std::vector<UINT>> buckets(nBuckets);
  for (UINT key : insertions) {
    std::vector<UINT>& chain = buckets[(key >> 4) % nBuckets];
    if (std::find(chain.begin(), chain.end(), key) == chain.end())
      chain.insert(chain.begin(), key);
  }
  std::vector<UINT> order;
  for (const std::vector<UINT>& chain : buckets)
    order.insert(order.end(), chain.begin(), chain.end());
  return order;
}

template <class TMap> std::vector<UINT> IterationOrder(const TMap& map) {
  std::vector<UINT> keys;
  typename TMap::BASE_KEY key;
  typename TMap::BASE_VALUE value;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    keys.push_back((UINT)(UINT_PTR)key);
  }
  return keys;
}

const std::vector<UINT> kOrderKeys = {5, 16, 17 * 16, 33, 1, 300, 0x50, 34 * 16 + 3};

} // namespace

TEST(CollMap, IterationFollowsTheClassicBucketOrder) {
  CMap<UINT, UINT, int, int> map;
  EXPECT_EQ(17u, map.GetHashTableSize());
  for (UINT key : kOrderKeys)
    map[key] = (int)key;
  map.SetAt(5, -5); // an existing key keeps its place
  std::vector<UINT> expected = ClassicOrder(kOrderKeys, 17);
  EXPECT_EQ((std::vector<UINT>{547, 1, 272, 5, 300, 16, 33, 80}), expected); // the model itself
  EXPECT_EQ(expected, IterationOrder(map));

  // A key removed and added again goes back to the head of its chain.
  EXPECT_TRUE(map.RemoveKey(272));
  map[272] = 0;
  std::vector<UINT> readded = kOrderKeys;
  readded.erase(std::find(readded.begin(), readded.end(), 272u));
  readded.push_back(272);
  EXPECT_EQ(ClassicOrder(readded, 17), IterationOrder(map));
}

TEST(CollMap, IterationFollowsAnExplicitTableSize) {
  CMap<UINT, UINT, int, int> map;
  map.InitHashTable(7);
  EXPECT_EQ(7u, map.GetHashTableSize());
  for (UINT key : kOrderKeys)
    map.SetAt(key, 1);
  EXPECT_EQ(ClassicOrder(kOrderKeys, 7), IterationOrder(map));

  map.RemoveAll(); // keeps the size for the lazily rebuilt table
  CMap<UINT, UINT, int, int> lazy;
  lazy.InitHashTable(7, FALSE);
  for (UINT key : kOrderKeys) {
    map.SetAt(key, 2);
    lazy.SetAt(key, 2);
  }
  EXPECT_EQ(ClassicOrder(kOrderKeys, 7), IterationOrder(map));
  EXPECT_EQ(ClassicOrder(kOrderKeys, 7), IterationOrder(lazy));
}

TEST(CollMap, PointerKeysHashLikeIntegers) {
  CMapPtrToPtr map;
  for (UINT key : kOrderKeys)
    map.SetAt((void*)(UINT_PTR)key, NULL);
  EXPECT_EQ(ClassicOrder(kOrderKeys, 17), IterationOrder(map));
}

TEST(CollMap, LookupSetRemove) {
  CMap<int, int, CString, const CString&> map;
  CString value;
  EXPECT_FALSE(map.Lookup(3, value));
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(nullptr, map.PLookup(3));
  EXPECT_FALSE(map.RemoveKey(3));

  map.SetAt(3, "three");
  map[-4] = "minus four";
  EXPECT_TRUE(map[9].IsEmpty()); // operator[] adds a value-initialised entry
  EXPECT_EQ(3, map.GetCount());
  EXPECT_EQ(3, map.GetSize());
  ASSERT_TRUE(map.Lookup(-4, value));
  EXPECT_STREQ("minus four", value);

  CMap<int, int, CString, const CString&>::CPair* pair = map.PLookup(3);
  ASSERT_NE(nullptr, pair);
  EXPECT_EQ(3, pair->key);
  pair->value = "THREE";
  EXPECT_STREQ("THREE", map[3]);

  EXPECT_TRUE(map.RemoveKey(3));
  EXPECT_FALSE(map.Lookup(3, value));
  EXPECT_EQ(2, map.GetCount());
  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(nullptr, map.GetStartPosition());
  map[1] = "again";
  EXPECT_EQ(1, map.GetCount());
}

TEST(CollMap, EntriesSurviveARehashAndRemovalDuringIteration) {
  CMap<UINT, UINT, UINT, UINT> map;
  for (UINT key = 0; key < 200; key += 3)
    map[key] = key * 2;
  INT_PTR count = map.GetCount();
  map.InitHashTable(31);
  EXPECT_EQ(count, map.GetCount());
  UINT value = 0;
  ASSERT_TRUE(map.Lookup(99, value));
  EXPECT_EQ(198u, value);
  EXPECT_TRUE(ThrowsInvalidArg([&] { map.InitHashTable(0); }));

  INT_PTR visited = 0;
  UINT key = 0;
  for (POSITION pos = map.GetStartPosition(); pos != NULL;) {
    map.GetNextAssoc(pos, key, value);
    ++visited;
    if (key % 2 == 0)
      map.RemoveKey(key);
  }
  EXPECT_EQ(count, visited);
  EXPECT_EQ(count / 2, map.GetCount());
  EXPECT_FALSE(map.Lookup(6, value));
  EXPECT_TRUE(map.Lookup(9, value));
}

TEST(CollMap, StringKeysCompareByContent) {
  CMapStringToString map;
  char key[] = "name";
  map.SetAt(key, "first");
  std::strcpy(key, "Name");
  map[key] = "second";
  map[CString("na") + "me"] = "third";
  EXPECT_EQ(2, map.GetCount());
  CString value;
  ASSERT_TRUE(map.Lookup("name", value));
  EXPECT_STREQ("third", value);
  EXPECT_FALSE(map.Lookup("NAME", value));

  CMapStringToPtr ptrs;
  ptrs.InitHashTable(3);
  for (int i = 0; i < 20; ++i) {
    CString k;
    k.Format("key%d", i);
    ptrs[k] = (void*)(INT_PTR)i;
  }
  std::vector<int> seen;
  CString k;
  void* p = NULL;
  for (POSITION pos = ptrs.GetStartPosition(); pos != NULL;) {
    ptrs.GetNextAssoc(pos, k, p);
    EXPECT_EQ(k, CString("key") + std::to_string((INT_PTR)p).c_str());
    seen.push_back((int)(INT_PTR)p);
  }
  std::sort(seen.begin(), seen.end());
  ASSERT_EQ(20u, seen.size());
  EXPECT_EQ(0, seen.front());
  EXPECT_EQ(19, seen.back());
  EXPECT_TRUE(ptrs.RemoveKey("key7"));
  EXPECT_FALSE(ptrs.Lookup("key7", p));
}

TEST(CollMap, ValuesAreReleased) {
  {
    CMap<int, int, Tracked, const Tracked&> map;
    for (int i = 0; i < 10; ++i)
      map.SetAt(i, Tracked(i, "v"));
    EXPECT_EQ(10, Tracked::s_live);
    map.RemoveKey(4);
    EXPECT_EQ(9, Tracked::s_live);
  }
  EXPECT_EQ(0, Tracked::s_live);
}

// ---------------------------------------------------------------------------------------------

TEST(CollNamed, PtrArrayHoldsSmallIntegersAsPlaceHolders) {
  CPtrArray bars;
  CFoo bar(1);
  bars.Add(NULL);
  bars.Add(&bar);
  bars.Add((void*)(UINT_PTR)0xE81B);
  bars.InsertAt(1, (void*)(UINT_PTR)1);
  bars.Add(NULL);
  ASSERT_EQ(5, bars.GetSize());
  EXPECT_EQ(nullptr, bars[0]);
  EXPECT_EQ((UINT_PTR)1, (UINT_PTR)bars[1]);
  EXPECT_EQ(&bar, bars[2]);
  EXPECT_EQ((UINT_PTR)0xE81B, (UINT_PTR)bars.GetAt(3));
  bars.RemoveAt(1);
  EXPECT_EQ(&bar, bars[1]);
}

TEST(CollNamed, RuntimeClassesNameTheForms) {
  CPtrArray a1;
  CObArray a2;
  CDWordArray a3;
  CUIntArray a4;
  CWordArray a5;
  CByteArray a6;
  CStringArray a7;
  CPtrList l1;
  CObList l2;
  CStringList l3;
  CMapStringToPtr m1;
  CMapStringToOb m2;
  CMapStringToString m3;
  CMapPtrToPtr m4;
  CMapWordToPtr m5;
  const CObject* all[] = {&a1, &a2, &a3, &a4, &a5, &a6, &a7, &l1, &l2, &l3, &m1, &m2, &m3, &m4, &m5};
  const char* names[] = {
      "CPtrArray",       "CObArray",       "CDWordArray",        "CUIntArray",   "CWordArray",
      "CByteArray",      "CStringArray",   "CPtrList",           "CObList",      "CStringList",
      "CMapStringToPtr", "CMapStringToOb", "CMapStringToString", "CMapPtrToPtr", "CMapWordToPtr"};
  for (size_t i = 0; i < _countof(all); ++i) {
    const CRuntimeClass* rc = all[i]->GetRuntimeClass();
    EXPECT_STREQ(names[i], rc->m_lpszClassName);
    EXPECT_EQ(RUNTIME_CLASS(CObject), rc->m_pBaseClass);
  }
  EXPECT_TRUE(l3.IsKindOf(RUNTIME_CLASS(CStringList)));
  EXPECT_FALSE(l3.IsKindOf(RUNTIME_CLASS(CObList)));
}

TEST(CollNamed, ScalarArraysServeAsBuffers) {
  CByteArray bytes;
  bytes.Add(0xFF);
  bytes.SetSize(4);
  EXPECT_EQ((std::vector<int>{255, 0, 0, 0}), Values(bytes));
  DWORD pattern = 0x04030201;
  std::memcpy(bytes.GetData(), &pattern, sizeof(pattern));
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4}), Values(bytes));

  CDWordArray dwords;
  dwords.Add(0xFFFFFFFF);
  dwords.InsertAt(0, 0x80000000, 2);
  EXPECT_EQ(0x80000000u, dwords[1]);
  EXPECT_EQ(0xFFFFFFFFu, dwords[2]);
  CWordArray words;
  words.SetSize(2);
  words[1] = 0xFFFF;
  DWORD packed = 1;
  std::memcpy(&packed, words.GetData(), sizeof(packed));
  EXPECT_EQ(0xFFFF0000u, packed);
}

// ---------------------------------------------------------------------------------------------

TEST(CollTyped, ArraysOverPointerAndObjectArrays) {
  CFoo one(1), two(2), three(3);
  CTypedPtrArray<CPtrArray, CFoo*> ptrs;
  CTypedPtrArray<CObArray, CFoo*> obs;
  EXPECT_EQ(0, ptrs.Add(&one));
  EXPECT_EQ(0, obs.Add(&one));
  ptrs.InsertAt(0, &two);
  obs.InsertAt(0, &two, 2);
  ptrs.SetAtGrow(2, &three);
  obs.SetAt(1, &three);
  EXPECT_EQ(2, ptrs[0]->m_id);
  EXPECT_EQ(1, ptrs.GetAt(1)->m_id);
  EXPECT_EQ(3, ptrs.ElementAt(2)->m_id);
  EXPECT_EQ((std::vector<int>{2, 3, 1}), (std::vector<int>{obs[0]->m_id, obs[1]->m_id, obs[2]->m_id}));
  obs[2] = &two;
  EXPECT_EQ(&two, obs.GetAt(2));
  ptrs.InsertAt(1, &ptrs);
  EXPECT_EQ(6, ptrs.GetSize());
  EXPECT_EQ(&three, ptrs[5]);
}

TEST(CollTyped, ListsOverPointerAndObjectLists) {
  CFoo one(1), two(2), three(3);
  CTypedPtrList<CPtrList, CFoo*> ptrs;
  CTypedPtrList<CObList, CFoo*> obs(4);
  ptrs.AddTail(&two);
  ptrs.AddHead(&one);
  POSITION posThree = ptrs.AddTail(&three);
  obs.AddTail(&three);
  obs.AddHead(&two);
  EXPECT_EQ(1, ptrs.GetHead()->m_id);
  EXPECT_EQ(3, ptrs.GetTail()->m_id);
  EXPECT_EQ(3, ptrs.GetAt(posThree)->m_id);

  std::vector<int> ids;
  for (POSITION pos = ptrs.GetHeadPosition(); pos != NULL;)
    ids.push_back(ptrs.GetNext(pos)->m_id);
  for (POSITION pos = obs.GetTailPosition(); pos != NULL;)
    ids.push_back(obs.GetPrev(pos)->m_id);
  EXPECT_EQ((std::vector<int>{1, 2, 3, 3, 2}), ids);

  ptrs.SetAt(posThree, &one);
  EXPECT_EQ(&one, ptrs.RemoveTail());
  EXPECT_EQ(&one, ptrs.RemoveHead());
  EXPECT_EQ(&two, obs.RemoveHead());
  EXPECT_EQ(&three, obs.GetHead());
  EXPECT_NE(nullptr, ptrs.Find(&two));
}

TEST(CollTyped, MapsOverPointerStringAndWordMaps) {
  CFoo one(1), two(2);
  HWND hwndA = (HWND)(UINT_PTR)0x10010, hwndB = (HWND)(UINT_PTR)0x20020;
  CTypedPtrMap<CMapPtrToPtr, HWND, CFoo*> byWindow;
  byWindow.SetAt(hwndA, &one);
  byWindow[hwndB] = &two;
  CFoo* found = NULL;
  ASSERT_TRUE(byWindow.Lookup(hwndB, found));
  EXPECT_EQ(&two, found);
  HWND hwnd = NULL;
  int visits = 0;
  for (POSITION pos = byWindow.GetStartPosition(); pos != NULL; ++visits) {
    byWindow.GetNextAssoc(pos, hwnd, found);
    EXPECT_EQ(hwnd == hwndA ? &one : &two, found);
  }
  EXPECT_EQ(2, visits);
  EXPECT_TRUE(byWindow.RemoveKey(hwndA));
  EXPECT_FALSE(byWindow.Lookup(hwndA, found));

  CTypedPtrMap<CMapStringToPtr, CString, CFoo*> byName;
  byName.SetAt("one", &one);
  byName["two"] = &two;
  ASSERT_TRUE(byName.Lookup(CString("one"), found));
  EXPECT_EQ(&one, found);
  CString name;
  POSITION pos = byName.GetStartPosition();
  byName.GetNextAssoc(pos, name, found);
  EXPECT_EQ(byName[name], found);

  CTypedPtrMap<CMapWordToPtr, WORD, CFoo*> byId;
  byId.SetAt(0xE81B, &one);
  EXPECT_TRUE(byId.Lookup(0xE81B, found));
  EXPECT_EQ(&one, found);
  EXPECT_FALSE(byId.Lookup(0xE81C, found));
}
