// Collections: array bounds and element lifetime, list positions, map iteration order, the
// named and typed forms.
#include "core_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const CRuntimeClass* const kInvalidArg = RUNTIME_CLASS(CInvalidArgException);

// Counts live instances so that tests can prove every element is constructed and destroyed once.
struct Tracked {
  inline static int s_live = 0;
  int value;
  CString name;

  Tracked(int v = 0, LPCSTR n = "") : value(v), name(n) { ++s_live; }
  Tracked(const Tracked& other) : value(other.value), name(other.name) { ++s_live; }
  Tracked& operator=(const Tracked& other) = default;
  ~Tracked() { --s_live; }
};

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

typedef std::vector<int> Ints;
typedef std::vector<std::string> Strings;
typedef std::vector<CFoo*> Foos;

template <class TArray> auto Elements(const TArray& arr) {
  std::vector<std::decay_t<decltype(arr[0])>> out;
  for (INT_PTR i = 0; i < arr.GetSize(); ++i)
    out.push_back(arr[i]);
  return out;
}

// The texts head to tail, checked against the walk from the tail.
Strings Walk(const CStringList& list) {
  Strings forward, backward;
  for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    forward.push_back(list.GetNext(pos).GetString());
  for (POSITION pos = list.GetTailPosition(); pos != NULL;)
    backward.insert(backward.begin(), list.GetPrev(pos).GetString());
  EXPECT_EQ(forward, backward);
  return forward;
}

// Runs each misuse, numbered for the failure message: every one must throw CInvalidArgException.
void ExpectInvalidArg(std::initializer_list<std::function<void()>> misuses) {
  int i = 0;
  for (const std::function<void()>& misuse : misuses)
    EXPECT_EQ(kInvalidArg, ThrownClass(misuse)) << "misuse " << i++;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TEST(CollArray, IndexOutsideTheElementsThrowsInvalidArg) {
  CArray<int, int> arr;
  arr.Add(1);
  arr.Add(2);
  const CArray<int, int>& carr = arr;
  ExpectInvalidArg({[&] { arr.GetAt(2); }, [&] { arr.GetAt(-1); }, [&] { carr[5]; }, [&] { arr.SetAt(2, 9); },
                    [&] { arr.RemoveAt(2); }, [&] { arr.RemoveAt(1, 2); }, [&] { arr.RemoveAt(-1); },
                    [&] { arr.InsertAt(3, 7); }, [&] { arr.InsertAt(-1, 7); },
                    [&] { arr.InsertAt(0, (const CArray<int, int>*)NULL); }, [&] { arr.SetSize(-1); },
                    [&] { arr.SetAtGrow(-1, 0); }});
  EXPECT_EQ((Ints{1, 2}), Elements(arr)); // nothing grew
}

TEST(CollArray, SetSizeValueInitialisesNewElements) {
  CArray<Pod, const Pod&> pods;
  pods.SetSize(4);
  for (INT_PTR i = 0; i < 4; ++i)
    pods[i] = Pod{7, 1.5, &pods};
  pods.SetSize(1); // keeps the storage, so regrowing reuses dirty memory
  pods.SetSize(4, 16);
  EXPECT_EQ(7, pods[0].a);
  for (INT_PTR i = 1; i < 4; ++i)
    EXPECT_TRUE(pods[i].a == 0 && pods[i].b == 0.0 && pods[i].p == nullptr) << i;
}

TEST(CollArray, AddInsertRemoveAndGrowKeepOrder) {
  CArray<int, int> arr, more;
  arr.SetAtGrow(3, 40);
  arr.InsertAt(4, 50); // at GetSize(): appends
  arr.SetAtGrow(1, 10);
  EXPECT_EQ((Ints{0, 10, 0, 40, 50}), Elements(arr));
  arr.RemoveAll();
  EXPECT_EQ(-1, arr.GetUpperBound());

  EXPECT_EQ(0, arr.Add(1));
  EXPECT_EQ(1, arr.Add(5));
  arr.InsertAt(1, 3, 2);
  EXPECT_EQ((Ints{1, 3, 3, 5}), Elements(arr));
  arr.RemoveAt(0, 2);
  more.SetAtGrow(1, 9);
  more[0] = 8;
  arr.InsertAt(1, &more);
  EXPECT_EQ((Ints{3, 8, 9, 5}), Elements(arr));
  arr.InsertAt(0, &arr); // an array into itself
  EXPECT_EQ((Ints{3, 8, 9, 5, 3, 8, 9, 5}), Elements(arr));

  EXPECT_EQ(8, arr.Append(more));
  arr.RemoveAt(0, 8);
  EXPECT_EQ(2, arr.Append(arr));
  EXPECT_EQ((Ints{8, 9, 8, 9}), Elements(arr));
  EXPECT_EQ(&arr.ElementAt(2), arr.GetData() + 2);
}

TEST(CollArray, CopyIsIndependentAndSelfCopyKeepsElements) {
  CStringArray src, dst;
  src.Add("one");
  src.Add(CString("two"));
  dst.InsertAt(0, "old", 3);
  dst.Copy(src);
  dst[0] = "changed";
  EXPECT_STREQ("one", src[0]);
  dst.Copy(dst);
  ASSERT_EQ(2, dst.GetSize());
  EXPECT_STREQ("changed", dst[0]);
  EXPECT_STREQ("two", dst[1]);
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

TEST(CollElements, NonTrivialElementsAreConstructedAndDestroyedOnce) {
  {
    CArray<Tracked, const Tracked&> arr, copy;
    arr.SetSize(3);
    arr.SetAt(1, Tracked(11, "eleven"));
    arr.InsertAt(0, Tracked(5, "five"), 2);
    arr.Add(Tracked(99, "last"));
    EXPECT_EQ(6, Tracked::s_live);
    arr.RemoveAt(1, 2);
    EXPECT_EQ(4, Tracked::s_live);
    EXPECT_EQ((Ints{5, 11, 0, 99}), (Ints{arr[0].value, arr[1].value, arr[2].value, arr[3].value}));
    copy.Copy(arr);
    copy.Append(arr);
    EXPECT_EQ(12, Tracked::s_live);
    copy.SetSize(1);
    EXPECT_EQ(5, Tracked::s_live);
  }
  EXPECT_EQ(0, Tracked::s_live);
  {
    CList<Tracked, const Tracked&> list;
    list.AddTail(Tracked(1, "one"));
    list.AddHead(Tracked(2, "two"));
    list.RemoveAt(list.AddTail(Tracked(3, "three")));
    Tracked head = list.RemoveHead();
    EXPECT_EQ(2, head.value);
    EXPECT_EQ(2, Tracked::s_live);
    list.AddTail(head);

    CMap<int, int, Tracked, const Tracked&> map;
    for (int i = 0; i < 10; ++i)
      map.SetAt(i, Tracked(i, "v"));
    map.RemoveKey(4);
    EXPECT_EQ(3 + 9, Tracked::s_live);
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
  EXPECT_EQ((Strings{"a", "b", "c"}), Walk(list));
  EXPECT_EQ((Strings{"b", "a", "c"}),
            (Strings{list.GetAt(posB).GetString(), list.GetHead().GetString(), list.GetTail().GetString()}));

  EXPECT_STREQ("a", list.RemoveHead());
  EXPECT_STREQ("c", list.RemoveTail());
  EXPECT_EQ(1, list.GetCount());
  EXPECT_EQ(posB, list.GetHeadPosition());
  EXPECT_EQ(posB, list.GetTailPosition());
  list.RemoveAll();
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(nullptr, list.GetHeadPosition());
  ExpectInvalidArg({[&] { list.RemoveHead(); }, [&] { list.GetTail(); }, [&] { list.GetAt(NULL); }});
}

TEST(CollList, InsertAroundPositionsThatStayValid) {
  CStringList list;
  POSITION posM = list.AddTail("m");
  POSITION posL = list.InsertBefore(posM, "l");
  POSITION posN = list.InsertAfter(posM, "n");
  list.InsertBefore(NULL, "head");
  list.InsertAfter(NULL, "tail");
  EXPECT_EQ((Strings{"head", "l", "m", "n", "tail"}), Walk(list));

  list.RemoveAt(posM);
  list.SetAt(posN, "N");
  POSITION pos = posL;
  EXPECT_STREQ("l", list.GetNext(pos));
  EXPECT_EQ(posN, pos);
  EXPECT_EQ((Strings{"head", "l", "N", "tail"}), Walk(list));
}

TEST(CollList, FindAndFindIndex) {
  CStringList list;
  list.AddTail("x");
  POSITION posY = list.AddTail("y");
  POSITION posX2 = list.AddTail("x");
  POSITION posX1 = list.GetHeadPosition();
  EXPECT_EQ(
      (std::vector<POSITION>{posX1, posX2, nullptr, nullptr, posY, posX2, nullptr, nullptr}),
      (std::vector<POSITION>{list.Find("x"), list.Find("x", posX1), list.Find("x", posX2), list.Find("z"),
                             list.FindIndex(1), list.FindIndex(2), list.FindIndex(3), list.FindIndex(-1)}));
}

TEST(CollList, AppendingListsKeepsTheirOrder) {
  CStringList list, other;
  list.AddTail("m");
  other.AddTail("1");
  other.AddTail("2");
  list.AddTail(&other);
  list.AddHead(&other);
  EXPECT_EQ((Strings{"1", "2", "m", "1", "2"}), Walk(list));
  other.AddTail(&other);
  EXPECT_EQ((Strings{"1", "2", "1", "2"}), Walk(other));
  other.AddHead(&other);
  EXPECT_EQ(8, other.GetCount());
}

// ---------------------------------------------------------------------------------------------

namespace {

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

// The classic layout: bucket (key >> 4) % size, a new key at the head of its chain, iteration from
// bucket 0 along each chain. With 17 buckets 5, 272, 1 and 547 share bucket 0, 16 and 300 bucket 1.
const std::vector<UINT> kKeys = {5, 16, 272, 33, 1, 300, 80, 547};
const std::vector<UINT> kOrderOf17 = {547, 1, 272, 5, 300, 16, 33, 80};
const std::vector<UINT> kOrderOf7 = {1, 5, 16, 33, 272, 300, 80, 547};

} // namespace

TEST(CollMap, IterationFollowsTheClassicBucketOrder) {
  CMap<UINT, UINT, int, int> map;
  CMapPtrToPtr pointers; // pointer keys hash like integers
  EXPECT_EQ(17u, map.GetHashTableSize());
  for (UINT key : kKeys) {
    map[key] = (int)key;
    pointers.SetAt((void*)(UINT_PTR)key, NULL);
  }
  map.SetAt(5, -5); // an existing key keeps its place
  EXPECT_EQ(kOrderOf17, IterationOrder(map));
  EXPECT_EQ(kOrderOf17, IterationOrder(pointers));

  // A key removed and added again goes back to the head of its chain.
  EXPECT_TRUE(map.RemoveKey(272));
  map[272] = 0;
  EXPECT_EQ((std::vector<UINT>{272, 547, 1, 5, 300, 16, 33, 80}), IterationOrder(map));
}

TEST(CollMap, IterationFollowsAnExplicitTableSize) {
  CMap<UINT, UINT, int, int> map, lazy;
  map.InitHashTable(7);
  lazy.InitHashTable(7, FALSE);
  EXPECT_EQ(7u, map.GetHashTableSize());
  for (UINT key : kKeys)
    map.SetAt(key, 1);
  EXPECT_EQ(kOrderOf7, IterationOrder(map));

  map.RemoveAll(); // keeps the size for the lazily rebuilt table
  for (UINT key : kKeys) {
    map.SetAt(key, 2);
    lazy.SetAt(key, 2);
  }
  EXPECT_EQ(kOrderOf7, IterationOrder(map));
  EXPECT_EQ(kOrderOf7, IterationOrder(lazy));
}

TEST(CollMap, LookupSetRemove) {
  CMap<int, int, CString, const CString&> map;
  CString value;
  EXPECT_FALSE(map.Lookup(3, value)); // no table yet
  EXPECT_FALSE(map.RemoveKey(3));

  map.SetAt(3, "three");
  map[-4] = "minus four";
  EXPECT_TRUE(map[9].IsEmpty()); // operator[] adds a value-initialised entry
  EXPECT_EQ(3, map.GetCount());
  EXPECT_TRUE(map.Lookup(-4, value));
  EXPECT_STREQ("minus four", value);
  auto* pair = map.PLookup(3);
  ASSERT_NE(nullptr, pair);
  pair->value = "THREE";
  EXPECT_STREQ("THREE", map[3]);

  EXPECT_TRUE(map.RemoveKey(3));
  EXPECT_EQ(nullptr, map.PLookup(3));
  map.RemoveAll();
  EXPECT_TRUE(map.IsEmpty());
  EXPECT_EQ(nullptr, map.GetStartPosition());
}

TEST(CollMap, EntriesSurviveARehashAndRemovalDuringIteration) {
  CMap<UINT, UINT, UINT, UINT> map;
  for (UINT key = 0; key < 200; key += 3)
    map[key] = key * 2;
  const INT_PTR count = map.GetCount();
  map.InitHashTable(31);
  EXPECT_EQ(count, map.GetCount());
  UINT key = 0, value = 0;
  EXPECT_TRUE(map.Lookup(99, value));
  EXPECT_EQ(198u, value);
  EXPECT_EQ(kInvalidArg, ThrownClass([&] { map.InitHashTable(0); }));

  INT_PTR visited = 0;
  for (POSITION pos = map.GetStartPosition(); pos != NULL; ++visited) {
    map.GetNextAssoc(pos, key, value);
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
  EXPECT_TRUE(map.Lookup("name", value));
  EXPECT_STREQ("third", value);
  EXPECT_FALSE(map.Lookup("NAME", value));

  // Many keys in a small table: each is found through its chain.
  CMapStringToPtr pointers;
  pointers.InitHashTable(3);
  for (INT_PTR i = 0; i < 20; ++i)
    pointers[CString("key") + std::to_string(i).c_str()] = (void*)i;
  void* p = NULL;
  for (INT_PTR i = 0; i < 20; ++i)
    EXPECT_TRUE(pointers.Lookup(CString("key") + std::to_string(i).c_str(), p) && p == (void*)i) << i;
  EXPECT_TRUE(pointers.RemoveKey("key7") && !pointers.Lookup("key7", p));
}

// ---------------------------------------------------------------------------------------------

namespace {

// The class name, marked when the class does not derive directly from CObject.
std::string Named(const CObject& object) {
  const CRuntimeClass* rc = object.GetRuntimeClass();
  return rc->m_lpszClassName +
         std::string(rc->m_pBaseClass == RUNTIME_CLASS(CObject) ? "" : " (not on CObject)");
}

} // namespace

TEST(CollNamed, RuntimeClassesNameTheForms) {
  EXPECT_EQ(
      (Strings{"CPtrArray", "CObArray", "CDWordArray", "CUIntArray", "CWordArray", "CByteArray",
               "CStringArray", "CPtrList", "CObList", "CStringList", "CMapStringToPtr", "CMapStringToOb",
               "CMapStringToString", "CMapPtrToPtr", "CMapWordToPtr"}),
      (Strings{Named(CPtrArray()), Named(CObArray()), Named(CDWordArray()), Named(CUIntArray()),
               Named(CWordArray()), Named(CByteArray()), Named(CStringArray()), Named(CPtrList()),
               Named(CObList()), Named(CStringList()), Named(CMapStringToPtr()), Named(CMapStringToOb()),
               Named(CMapStringToString()), Named(CMapPtrToPtr()), Named(CMapWordToPtr())}));
}

// ---------------------------------------------------------------------------------------------

// The typed forms only cast to and from the base forms, whose logic the tests above cover; the
// list casts as the array does.
TEST(CollTyped, ValuesAndReferencesConvertToTheElementType) {
  CFoo one(1), two(2), three(3);
  CTypedPtrArray<CObArray, CFoo*> arr;
  arr.Add(&one);
  arr.InsertAt(0, &two, 2);
  arr.SetAtGrow(3, &three);
  arr[1] = &three; // through a reference to the stored CObject*
  arr.InsertAt(1, &arr);
  EXPECT_EQ((Foos{&two, &two, &three, &one, &three, &three, &one, &three}), Elements(arr));

  CTypedPtrMap<CMapPtrToPtr, HWND, CFoo*> byWindow;
  const HWND hwnd = (HWND)(UINT_PTR)0x10010;
  HWND key = NULL;
  CFoo* found = NULL;
  byWindow.SetAt(hwnd, &one);
  byWindow[hwnd] = &two;
  POSITION pos = byWindow.GetStartPosition();
  byWindow.GetNextAssoc(pos, key, found);
  EXPECT_TRUE(key == hwnd && found == &two && pos == NULL);
  EXPECT_TRUE(byWindow.Lookup(hwnd, found) && found == &two);
  EXPECT_TRUE(byWindow.RemoveKey(hwnd));
  EXPECT_FALSE(byWindow.Lookup(hwnd, found));
}
