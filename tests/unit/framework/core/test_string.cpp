// CString members the program relies on, and CRect geometry.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> TokensOf(const CString& text, LPCSTR pszTokens) {
  std::vector<std::string> tokens;
  int iStart = 0;
  for (;;) {
    CString token = text.Tokenize(pszTokens, iStart);
    if (iStart < 0) {
      EXPECT_TRUE(token.IsEmpty());
      return tokens;
    }
    tokens.push_back(token.GetString());
  }
}

void ExpectRect(const RECT& rc, int l, int t, int r, int b) {
  EXPECT_EQ(l, rc.left);
  EXPECT_EQ(t, rc.top);
  EXPECT_EQ(r, rc.right);
  EXPECT_EQ(b, rc.bottom);
}

} // namespace

TEST(CStringFormat, ConversionsTheProgramUses) {
  CString s;
  s.Format("%d|%02d|%02d|%02d", -42, 7, 123, -3);
  EXPECT_STREQ("-42|07|123|-3", s);
  s.Format("[%s] [%s]", "text", (LPCSTR)CString("object"));
  EXPECT_STREQ("[text] [object]", s);
  s.Format("%lu %lu", 4000000000UL, 0UL);
  EXPECT_STREQ("4000000000 0", s);
  s.Format("data_0x%08lX", 0xBEEFUL);
  EXPECT_STREQ("data_0x0000BEEF", s);
  s.Format("%08lX", 0xDEADBEEFUL);
  EXPECT_STREQ("DEADBEEF", s);
  s.Format("#%02X%02X%02X", 0x0A, 255, 0);
  EXPECT_STREQ("#0AFF00", s);
}

TEST(CStringFormat, LongResultsAndAppending) {
  std::string big(5000, 'x');
  CString s;
  s.Format("<%s>", big.c_str());
  EXPECT_EQ(5002, s.GetLength());
  EXPECT_EQ('>', s[5001]);
  s = "n=";
  s.AppendFormat("%d", 5);
  s.AppendFormat("%s", "!");
  EXPECT_STREQ("n=5!", s);
  s.Format("%s", "");
  EXPECT_TRUE(s.IsEmpty());
}

TEST(CStringExtract, MidLeftRightClampToTheString) {
  CString s("abcdef");
  EXPECT_STREQ("cd", s.Mid(2, 2));
  EXPECT_STREQ("cdef", s.Mid(2));
  EXPECT_STREQ("cdef", s.Mid(2, 100));
  EXPECT_STREQ("", s.Mid(6));
  EXPECT_STREQ("", s.Mid(10));
  EXPECT_STREQ("", s.Mid(10, 2));
  EXPECT_STREQ("", s.Mid(1, -1));
  EXPECT_STREQ("ab", s.Mid(-1, 2));
  EXPECT_STREQ("abcdef", s.Mid(-3));
  EXPECT_STREQ("abc", s.Left(3));
  EXPECT_STREQ("", s.Left(-1));
  EXPECT_STREQ("abcdef", s.Left(100));
  EXPECT_STREQ("ef", s.Right(2));
  EXPECT_STREQ("", s.Right(0));
  EXPECT_STREQ("", s.Right(-3));
  EXPECT_STREQ("abcdef", s.Right(100));
  EXPECT_STREQ("", CString().Mid(0, 3));
}

TEST(CStringSearch, FindReverseFindFindOneOf) {
  CString s("C:\\dir\\file.tar.gz");
  EXPECT_EQ(1, s.Find(':'));
  EXPECT_EQ(6, s.Find('\\', 3));
  EXPECT_EQ(-1, s.Find('\\', 7));
  EXPECT_EQ(-1, s.Find('x'));
  EXPECT_EQ(-1, s.Find('C', -1));
  EXPECT_EQ(-1, s.Find('z', 100));
  EXPECT_EQ(11, s.Find(".tar"));
  EXPECT_EQ(15, s.Find(".", 12));
  EXPECT_EQ(-1, s.Find(".zip"));
  EXPECT_EQ(-1, s.Find("dir", 100));
  EXPECT_EQ(6, s.ReverseFind('\\'));
  EXPECT_EQ(15, s.ReverseFind('.'));
  EXPECT_EQ(-1, s.ReverseFind('?'));
  EXPECT_EQ(1, s.FindOneOf(".:"));
  EXPECT_EQ(-1, s.FindOneOf("?*"));
}

TEST(CStringEdit, ReplaceAnswersTheCount) {
  CString s("a-b-c-d");
  EXPECT_EQ(3, s.Replace('-', '+'));
  EXPECT_STREQ("a+b+c+d", s);
  EXPECT_EQ(0, s.Replace('+', '+'));
  EXPECT_EQ(0, s.Replace('x', 'y'));

  s = "aaaa";
  EXPECT_EQ(2, s.Replace("aa", "b"));
  EXPECT_STREQ("bb", s);
  s = "one two one";
  EXPECT_EQ(2, s.Replace("one", "three"));
  EXPECT_STREQ("three two three", s);
  EXPECT_EQ(1, s.Replace(" two", NULL));
  EXPECT_STREQ("three three", s);
  EXPECT_EQ(0, s.Replace("", "x"));
  EXPECT_EQ(0, s.Replace("four", "x"));
  EXPECT_STREQ("three three", s);

  s = "x.y.z";
  EXPECT_EQ(2, s.Remove('.'));
  EXPECT_STREQ("xyz", s);
  EXPECT_EQ(5, s.Insert(1, "--"));
  EXPECT_EQ(6, s.Insert(100, '!'));
  EXPECT_STREQ("x--yz!", s);
  EXPECT_EQ(4, s.Delete(1, 2));
  EXPECT_EQ(3, s.Delete(3, 10));
  EXPECT_STREQ("xyz", s);
}

TEST(CStringEdit, TrimVariants) {
  CString s(" \t\r\n value \n");
  EXPECT_STREQ("value", CString(s).Trim());
  EXPECT_STREQ("value \n", CString(s).TrimLeft());
  EXPECT_STREQ(" \t\r\n value", CString(s).TrimRight());
  EXPECT_STREQ("", CString(" \t ").Trim());
  EXPECT_STREQ("abcxx", CString("xxabcxx").TrimLeft('x'));
  EXPECT_STREQ("xxabc", CString("xxabcxx").TrimRight('x'));
  EXPECT_STREQ("abc", CString("xxabcxx").Trim('x'));
  EXPECT_STREQ("abc", CString("xyabcyx").Trim("xy"));
  EXPECT_STREQ("abcyx", CString("xyabcyx").TrimLeft("yx"));
  EXPECT_STREQ("", CString("xyyx").TrimRight("xy"));
  EXPECT_STREQ(" a ", CString(" a ").Trim(""));
}

TEST(CStringEdit, TokenizeSkipsRunsOfSeparators) {
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), TokensOf(",a,,b;c;", ",;"));
  EXPECT_EQ((std::vector<std::string>{"one"}), TokensOf("one", ","));
  EXPECT_EQ((std::vector<std::string>{}), TokensOf(",,,", ","));
  EXPECT_EQ((std::vector<std::string>{}), TokensOf("", ","));

  CString s("k=v");
  int iStart = 0;
  EXPECT_STREQ("k", s.Tokenize("=", iStart));
  EXPECT_EQ(2, iStart);
  EXPECT_STREQ("v", s.Tokenize("=", iStart));
  EXPECT_EQ(4, iStart);
  EXPECT_STREQ("", s.Tokenize("=", iStart));
  EXPECT_EQ(-1, iStart);
}

TEST(CStringBuffer, GetBufferAndReleaseBuffer) {
  CString s;
  LPSTR buf = s.GetBuffer(16);
  std::strcpy(buf, "written");
  s.ReleaseBuffer(); // length from the terminating zero
  EXPECT_EQ(7, s.GetLength());
  EXPECT_STREQ("written", s);

  buf = s.GetBuffer();
  buf[0] = 'W';
  s.ReleaseBuffer(3);
  EXPECT_STREQ("Wri", s);

  buf = s.GetBufferSetLength(5);
  std::memcpy(buf, "12345", 5);
  s.ReleaseBuffer(5);
  EXPECT_STREQ("12345", s);

  buf = s.GetBuffer(MAX_PATH);
  buf[2] = '\0';
  s.ReleaseBuffer(-1);
  EXPECT_STREQ("12", s);
  EXPECT_EQ(2, s.GetLength());
}

TEST(CStringHelpers, ExtractSubString) {
  CString out("untouched");
  LPCSTR full = "first\nsecond\n\nfourth";
  ASSERT_TRUE(AfxExtractSubString(out, full, 0));
  EXPECT_STREQ("first", out);
  ASSERT_TRUE(AfxExtractSubString(out, full, 1));
  EXPECT_STREQ("second", out);
  ASSERT_TRUE(AfxExtractSubString(out, full, 2));
  EXPECT_STREQ("", out);
  ASSERT_TRUE(AfxExtractSubString(out, full, 3));
  EXPECT_STREQ("fourth", out);
  EXPECT_FALSE(AfxExtractSubString(out, full, 4));
  EXPECT_TRUE(out.IsEmpty());

  ASSERT_TRUE(AfxExtractSubString(out, "a|b|c", 2, '|'));
  EXPECT_STREQ("c", out);
  EXPECT_FALSE(AfxExtractSubString(out, NULL, 0));
}

TEST(CStringValue, ComparisonAndCharacterAccess) {
  CString s("Value");
  EXPECT_TRUE(s == "Value");
  EXPECT_TRUE(s != CString("value"));
  EXPECT_EQ(0, s.CompareNoCase("VALUE"));
  EXPECT_LT(s.Compare("Valuf"), 0);
  EXPECT_TRUE(CString("a") < CString("b"));
  EXPECT_STREQ("AB", CString('A') + "B");
  EXPECT_STREQ("---", CString('-', 3));
  EXPECT_STREQ("", CString((LPCSTR)NULL));
  EXPECT_STREQ("ab", CString("abc", 2));
  s.SetAt(0, 'v');
  EXPECT_EQ('v', s.GetAt(0));
  EXPECT_EQ('e', s[4]);
  EXPECT_STREQ("VALUE", CString(s).MakeUpper());
  EXPECT_STREQ("eulav", CString(s).MakeReverse());

  int caught = 0;
  TRY { s.GetAt(5); }
  CATCH(CInvalidArgException, e) { ++caught; }
  END_CATCH
  EXPECT_EQ(1, caught);
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

TEST(CRectGeometry, NormalizeRectSwapsReversedSides) {
  CRect rc(10, 20, 0, 5);
  rc.NormalizeRect();
  ExpectRect(rc, 0, 5, 10, 20);
  CRect mixed(0, 30, 10, 5);
  mixed.NormalizeRect();
  ExpectRect(mixed, 0, 5, 10, 30);
  CRect normal(1, 2, 3, 4);
  normal.NormalizeRect();
  ExpectRect(normal, 1, 2, 3, 4);
}

TEST(CRectGeometry, InflateAndDeflate) {
  CRect rc(10, 10, 20, 20);
  rc.InflateRect(2, 3);
  ExpectRect(rc, 8, 7, 22, 23);
  rc.DeflateRect(CSize(2, 3));
  ExpectRect(rc, 10, 10, 20, 20);
  rc.InflateRect(1, 2, 3, 4);
  ExpectRect(rc, 9, 8, 23, 24);
  rc.DeflateRect(CRect(1, 2, 3, 4));
  ExpectRect(rc, 10, 10, 20, 20);
  rc.InflateRect(CRect(1, 1, 0, 0));
  ExpectRect(rc, 9, 9, 20, 20);
  rc.DeflateRect(-1, -1);
  ExpectRect(rc, 8, 8, 21, 21);
}

TEST(CRectGeometry, IntersectAndUnion) {
  CRect a(0, 0, 10, 10), b(5, 5, 15, 20), r;
  EXPECT_TRUE(r.IntersectRect(a, b));
  ExpectRect(r, 5, 5, 10, 10);
  EXPECT_TRUE(r.UnionRect(a, b));
  ExpectRect(r, 0, 0, 15, 20);

  r.SetRect(1, 1, 2, 2);
  EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10))); // touching edges do not overlap
  EXPECT_TRUE(r.IsRectNull());
  EXPECT_TRUE(r.UnionRect(a, CRect()));
  ExpectRect(r, 0, 0, 10, 10);
  EXPECT_FALSE(r.UnionRect(CRect(), CRect(3, 3, 3, 9)));
  EXPECT_TRUE(r.IsRectEmpty());

  ExpectRect(a & b, 5, 5, 10, 10);
  ExpectRect(a | b, 0, 0, 15, 20);
  CRect c = a;
  c &= b;
  ExpectRect(c, 5, 5, 10, 10);
  c |= CRect(-5, 0, 0, 1);
  ExpectRect(c, -5, 0, 10, 10);
}

TEST(CRectGeometry, OperatorsOffsetAndCompare) {
  CRect rc(0, 0, 4, 2);
  ExpectRect(rc + CPoint(1, 2), 1, 2, 5, 4);
  ExpectRect(rc - CSize(1, 2), -1, -2, 3, 0);
  ExpectRect(rc + CRect(1, 1, 1, 1), -1, -1, 5, 3);
  ExpectRect(rc - CRect(1, 0, 1, 0), 1, 0, 3, 2);
  rc += CPoint(10, 10);
  ExpectRect(rc, 10, 10, 14, 12);
  rc -= CSize(10, 10);
  ExpectRect(rc, 0, 0, 4, 2);
  rc += CRect(1, 1, 1, 1);
  rc -= CRect(1, 1, 1, 1);
  ExpectRect(rc, 0, 0, 4, 2);

  RECT raw = {1, 2, 3, 4};
  rc = raw;
  EXPECT_TRUE(rc == raw);
  EXPECT_FALSE(rc != raw);
  EXPECT_TRUE(rc != CRect(1, 2, 3, 5));
  EXPECT_EQ(2, rc.Width());
  EXPECT_EQ(CSize(2, 2), rc.Size());
  EXPECT_EQ(CPoint(2, 3), rc.CenterPoint());
  rc.TopLeft() = CPoint(0, 0);
  rc.BottomRight() += CSize(1, 1);
  ExpectRect(rc, 0, 0, 4, 5);
  EXPECT_TRUE(rc.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(rc.PtInRect(CPoint(4, 2)));
  LPCRECT asPlatform = rc;
  EXPECT_EQ(5, asPlatform->bottom);
}
