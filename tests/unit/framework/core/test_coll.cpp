// Collections: array bounds, growth and aliasing, list positions, map iteration order. The framework
// keeps its windows, bars and documents in these; the named forms only instantiate them.
#include "core_support.h"

#include <gtest/gtest.h>

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
  CString name; // a leak or a double release shows here too
  Tracked(int v = 0) : value(v), name("element") { ++s_live; }
  Tracked(const Tracked& other) : value(other.value), name(other.name) { ++s_live; }
  Tracked& operator=(const Tracked& other) = default;
  ~Tracked() { --s_live; }
};

struct Pod {
  int a;
  double b;
  void* p;
};

typedef std::vector<int> Ints;
typedef std::vector<std::string> Strings;

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
  EXPECT_EQ((Ints{0, 0, 0, 40, 50}), Elements(arr));
  arr.RemoveAll();
  EXPECT_EQ(0, arr.Add(1));
  EXPECT_EQ(1, arr.Add(5));
  arr.InsertAt(1, 3, 2);
  arr.RemoveAt(0, 2);
  more.SetAtGrow(1, 9);
  more[0] = 8;
  arr.InsertAt(1, &more);
  EXPECT_EQ((Ints{3, 8, 9, 5}), Elements(arr));
  arr.InsertAt(0, &arr); // an array into itself
  EXPECT_EQ((Ints{3, 8, 9, 5, 3, 8, 9, 5}), Elements(arr));
  arr.RemoveAt(0, 6);
  EXPECT_EQ(2, arr.Append(arr));
  EXPECT_EQ((Ints{9, 5, 9, 5}), Elements(arr));
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

// Elements are copied by assignment and each is constructed and destroyed exactly once.
TEST(CollArray, NonTrivialElementsAreConstructedAndDestroyedOnce) {
  {
    CArray<Tracked, const Tracked&> arr, copy;
    arr.SetSize(3);
    arr.SetAt(1, Tracked(11));
    arr.InsertAt(0, Tracked(5), 2);
    arr.Add(Tracked(99));
    arr.RemoveAt(1, 2);
    EXPECT_EQ(4, Tracked::s_live);
    EXPECT_EQ((Ints{5, 11, 0, 99}), (Ints{arr[0].value, arr[1].value, arr[2].value, arr[3].value}));
    copy.Copy(arr);
    copy.Append(arr);
    copy.SetSize(1);
    EXPECT_EQ(5, Tracked::s_live);
    CList<Tracked, const Tracked&> list;
    list.RemoveAt(list.AddTail(Tracked(3)));
    CMap<int, int, Tracked, const Tracked&> map;
    for (int i = 0; i < 10; ++i)
      map.SetAt(i, Tracked(i));
    map.RemoveKey(4);
    EXPECT_EQ(5 + 9, Tracked::s_live);
  }
  EXPECT_EQ(0, Tracked::s_live);
}

// ---------------------------------------------------------------------------------------------

TEST(CollList, PositionsStayValidAndBothWalksAgree) {
  CStringList list;
  POSITION posM = list.AddTail("m");
  POSITION posL = list.InsertBefore(posM, "l");
  POSITION posN = list.InsertAfter(posM, "n");
  list.AddHead("head");
  list.InsertAfter(NULL, "tail");
  EXPECT_EQ((Strings{"head", "l", "m", "n", "tail"}), Walk(list));
  list.RemoveAt(posM);
  list.SetAt(posN, "N");
  POSITION pos = posL;
  EXPECT_STREQ("l", list.GetNext(pos));
  EXPECT_EQ(posN, pos);
  EXPECT_EQ((std::vector<POSITION>{posN, nullptr, posN}),
            (std::vector<POSITION>{list.Find("N"), list.Find("l", posL), list.FindIndex(2)}));
  EXPECT_STREQ("head", list.RemoveHead());
  EXPECT_STREQ("tail", list.RemoveTail());
  EXPECT_EQ((Strings{"l", "N"}), Walk(list));
  list.RemoveAll();
  EXPECT_EQ(nullptr, list.GetHeadPosition());
  ExpectInvalidArg({[&] { list.RemoveHead(); }, [&] { list.GetTail(); }, [&] { list.GetAt(NULL); }});
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
  CMap<UINT, UINT, int, int> map, sized;
  CMapPtrToPtr pointers;         // pointer keys hash like integers
  sized.InitHashTable(7, FALSE); // made at the first insertion
  for (UINT key : kKeys) {
    map[key] = (int)key;
    pointers.SetAt((void*)(UINT_PTR)key, NULL);
    sized.SetAt(key, 1);
  }
  map.SetAt(5, -5); // an existing key keeps its place
  EXPECT_EQ(kOrderOf17, IterationOrder(map));
  EXPECT_EQ(kOrderOf17, IterationOrder(pointers));
  EXPECT_EQ(kOrderOf7, IterationOrder(sized));
  sized.RemoveAll(); // keeps the size for the lazily rebuilt table
  for (UINT key : kKeys)
    sized.SetAt(key, 2);
  EXPECT_EQ(kOrderOf7, IterationOrder(sized));

  // A key removed and added again goes back to the head of its chain.
  EXPECT_TRUE(map.RemoveKey(272));
  map[272] = 0;
  EXPECT_EQ((std::vector<UINT>{272, 547, 1, 5, 300, 16, 33, 80}), IterationOrder(map));
}

TEST(CollMap, LookupSetRemoveRehashAndRemovalDuringIteration) {
  CMap<UINT, UINT, UINT, UINT> map;
  UINT key = 0, value = 0;
  EXPECT_FALSE(map.Lookup(3, value)); // no table yet
  EXPECT_FALSE(map.RemoveKey(3));
  for (key = 0; key < 200; key += 3)
    map[key] = key * 2;
  EXPECT_EQ(0u, map[1]); // operator[] adds a value-initialised entry
  EXPECT_TRUE(map.RemoveKey(1) && map.PLookup(1) == NULL);
  const INT_PTR count = map.GetCount();
  map.InitHashTable(31);
  EXPECT_EQ(count, map.GetCount());
  EXPECT_TRUE(map.Lookup(99, value) && value == 198);
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

  // String keys compare by content, case and all.
  CMapStringToString names;
  char szKey[] = "name";
  names.SetAt(szKey, "first");
  szKey[0] = 'N';
  names[szKey] = "second";
  names[CString("na") + "me"] = "third";
  CString text;
  EXPECT_EQ(2, names.GetCount());
  EXPECT_TRUE(names.Lookup("name", text) && text == "third");
}
