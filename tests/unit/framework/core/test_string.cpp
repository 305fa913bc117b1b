// CString members the program relies on, and CRect geometry.
#include "core_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Strings;

template <class... Args> CString Formatted(LPCSTR pszFormat, Args... args) {
  CString s;
  s.Format(pszFormat, args...);
  return s;
}

// The text with its length, so that a wrong length shows even when the characters agree.
std::string Text(const CString& s) { return std::string(s.GetString(), s.GetLength()); }

Strings Texts(std::initializer_list<CString> list) {
  Strings texts;
  for (const CString& s : list)
    texts.push_back(Text(s));
  return texts;
}

// The count Replace answers, then the text it leaves.
template <class T> std::string Replaced(CString s, T oldText, T newText) {
  const int n = s.Replace(oldText, newText);
  return std::to_string(n) + ":" + Text(s);
}

// Every token with the position Tokenize answers after it; the end must come as an empty token.
std::string TokensOf(const CString& text, LPCSTR pszTokens) {
  std::string out;
  for (int iStart = 0;;) {
    const CString token = text.Tokenize(pszTokens, iStart);
    if (iStart < 0)
      return token.IsEmpty() ? out : out + "<text at the end>";
    out += Text(token) + "@" + std::to_string(iStart) + " ";
  }
}

std::vector<LONG> Sides(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

} // namespace

TEST(CStringFormat, ConversionsTheProgramUsesAndLongResults) {
  EXPECT_EQ((Strings{"-42|07|123|-3", "[text] [object]", ""}),
            Texts({Formatted("%d|%02d|%02d|%02d", -42, 7, 123, -3),
                   Formatted("[%s] [%s]", "text", (LPCSTR)CString("object")), Formatted("%s", "")}));

  const std::string big(5000, 'x');
  EXPECT_EQ("<" + big + ">", Text(Formatted("<%s>", big.c_str())));
  CString s("n=");
  s.AppendFormat("%d%s", 5, "!");
  EXPECT_STREQ("n=5!", s);
}

TEST(CStringExtract, MidLeftRightClampAndTrimVariants) {
  const CString s("abcdef");
  EXPECT_EQ((Strings{"cd", "cdef", "cdef", "", "", "", "", "ab", "abcdef", "abc", "", "abcdef", "ef", "", "",
                     "abcdef", ""}),
            Texts({s.Mid(2, 2), s.Mid(2), s.Mid(2, 100), s.Mid(6), s.Mid(10), s.Mid(10, 2), s.Mid(1, -1),
                   s.Mid(-1, 2), s.Mid(-3), s.Left(3), s.Left(-1), s.Left(100), s.Right(2), s.Right(0),
                   s.Right(-3), s.Right(100), CString().Mid(0, 3)}));

  const CString t(" \t\r\n value \n");
  EXPECT_EQ(
      (Strings{"value", "value \n", " \t\r\n value", "", "abcxx", "xxabc", "abc", "abc", "abcyx", "", " a "}),
      Texts({CString(t).Trim(), CString(t).TrimLeft(), CString(t).TrimRight(), CString(" \t ").Trim(),
             CString("xxabcxx").TrimLeft('x'), CString("xxabcxx").TrimRight('x'),
             CString("xxabcxx").Trim('x'), CString("xyabcyx").Trim("xy"), CString("xyabcyx").TrimLeft("yx"),
             CString("xyyx").TrimRight("xy"), CString(" a ").Trim("")}));
}

TEST(CStringSearch, FindReverseFindFindOneOf) {
  const CString s("C:\\dir\\file.tar.gz");
  const std::vector<int> found = {
      s.Find(':'),         s.Find('\\', 3),    s.Find('\\', 7),    s.Find('x'),       s.Find('C', -1),
      s.Find('z', 100),    s.Find(".tar"),     s.Find(".", 12),    s.Find(".zip"),    s.Find("dir", 100),
      s.ReverseFind('\\'), s.ReverseFind('.'), s.ReverseFind('?'), s.FindOneOf(".:"), s.FindOneOf("?*")};
  EXPECT_EQ((std::vector<int>{1, 6, -1, -1, -1, -1, 11, 15, -1, -1, 6, 15, -1, 1, -1}), found);
}

TEST(CStringEdit, ReplaceRemoveInsertDeleteAnswerTheCount) {
  EXPECT_EQ("3:a+b+c+d", Replaced(CString("a-b-c-d"), '-', '+'));
  EXPECT_EQ("0:a+b", Replaced(CString("a+b"), '+', '+'));
  EXPECT_EQ("0:a+b", Replaced(CString("a+b"), 'x', 'y'));
  EXPECT_EQ("2:bb", Replaced<LPCSTR>("aaaa", "aa", "b"));
  EXPECT_EQ("2:three two three", Replaced<LPCSTR>("one two one", "one", "three"));
  EXPECT_EQ("1:three three", Replaced<LPCSTR>("three two three", " two", NULL));
  EXPECT_EQ("0:a b", Replaced<LPCSTR>("a b", "", "x"));
  EXPECT_EQ("0:a b", Replaced<LPCSTR>("a b", "four", "x"));

  CString s("x.y.z");
  EXPECT_EQ(2, s.Remove('.'));
  EXPECT_EQ(5, s.Insert(1, "--"));
  EXPECT_EQ(6, s.Insert(100, '!'));
  EXPECT_EQ("x--yz!", Text(s));
  EXPECT_EQ(4, s.Delete(1, 2));
  EXPECT_EQ(3, s.Delete(3, 10));
  EXPECT_EQ("xyz", Text(s));
}

TEST(CStringEdit, TokenizeSkipsRunsOfSeparators) {
  EXPECT_EQ("a@3 b@6 c@8 ", TokensOf(",a,,b;c;", ",;"));
  EXPECT_EQ("k@2 v@4 ", TokensOf("k=v", "="));
  EXPECT_EQ("", TokensOf(",,,", ","));
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer) {
  CString s("written");
  s.GetBuffer()[0] = 'W';
  s.ReleaseBuffer(3);
  EXPECT_EQ("Wri", Text(s));

  std::memcpy(s.GetBufferSetLength(5), "12345", 5);
  s.ReleaseBuffer(5);
  EXPECT_EQ("12345", Text(s));

  s.GetBuffer(MAX_PATH)[2] = '\0'; // growing keeps the text
  s.ReleaseBuffer();               // length from the terminating zero
  EXPECT_EQ("12", Text(s));
}

TEST(CStringHelpers, ExtractSubString) {
  // The text each call leaves, marked when the call answered FALSE.
  auto sub = [](LPCSTR full, int i, char sep = '\n') {
    CString out("untouched");
    const bool found = AfxExtractSubString(out, full, i, sep);
    return (found ? "" : "FALSE:") + Text(out);
  };
  const LPCSTR full = "first\nsecond\n\nfourth";
  EXPECT_EQ((Strings{"first", "second", "", "fourth", "FALSE:", "c", "FALSE:"}),
            (Strings{sub(full, 0), sub(full, 1), sub(full, 2), sub(full, 3), sub(full, 4),
                     sub("a|b|c", 2, '|'), sub(NULL, 0)}));
}

// Strings come from the program's own table; a missing id leaves the string as it was, and a
// damaged block is refused rather than read past its end.
TEST(CStringValue, LoadStringFindsTextsAndRefusesWhatIsNotThere) {
  CString s("unchanged");
  ASSERT_TRUE(s.LoadString(100));
  EXPECT_STREQ("First text", s);
  ASSERT_TRUE(s.LoadString(103));
  EXPECT_STREQ("Fourth", s);
  for (UINT nID : {101u, 102u, 104u, 5000u, 0x7EF0u}) {
    s = "unchanged";
    EXPECT_FALSE(s.LoadString(nID)) << nID;
    EXPECT_STREQ("unchanged", s) << nID;
  }
}

// ---------------------------------------------------------------------------------------------

namespace {

// The rectangle after change has been applied to a copy of rc.
template <class F> CRect Changed(CRect rc, F change) {
  change(rc);
  return rc;
}

} // namespace

TEST(CRectGeometry, ChangesAndOperators) {
  const CRect rc(10, 10, 20, 20), a(0, 0, 10, 10), b(5, 5, 15, 20), small(0, 0, 4, 2);
  // The result and what it should be.
  const std::pair<CRect, CRect> cases[] = {
      {Changed(CRect(10, 20, 0, 5), [](CRect& r) { r.NormalizeRect(); }), {0, 5, 10, 20}},
      {Changed(CRect(0, 30, 10, 5), [](CRect& r) { r.NormalizeRect(); }), {0, 5, 10, 30}},
      {Changed(rc, [](CRect& r) { r.InflateRect(1, 2, 3, 4); }), {9, 8, 23, 24}},
      {Changed(rc, [](CRect& r) { r.DeflateRect(CRect(1, 2, 3, 4)); }), {11, 12, 17, 16}},
      {Changed(rc, [](CRect& r) { r.DeflateRect(CSize(2, 3)); }), {12, 13, 18, 17}},
      // The operators pass this rectangle as an operand as well as the result.
      {a & b, {5, 5, 10, 10}},
      {a | b, {0, 0, 15, 20}},
      {Changed(a, [&](CRect& r) { r &= b; }), {5, 5, 10, 10}},
      {small + CRect(1, 1, 1, 1), {-1, -1, 5, 3}},
      {small - CRect(1, 0, 1, 0), {1, 0, 3, 2}},
      {Changed(small, [](CRect& r) { r -= CSize(10, 10); }), {-10, -10, -6, -8}},
  };
  int i = 0;
  for (const auto& [result, expected] : cases)
    EXPECT_EQ(Sides(expected), Sides(result)) << "case " << i++;
  EXPECT_EQ(CPoint(2, 3), CRect(1, 2, 3, 4).CenterPoint());
}
