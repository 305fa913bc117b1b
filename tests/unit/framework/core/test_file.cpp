// Files, memory files and the archive's binary format.
#include "core_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

Bytes Contents(CMemFile& file) {
  Bytes bytes((size_t)file.GetLength());
  file.SeekToBegin();
  EXPECT_EQ(bytes.size(), file.Read(bytes.data(), (UINT)bytes.size()));
  return bytes;
}

Bytes Store(const std::function<void(CArchive&)>& fill) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  fill(ar);
  ar.Close();
  return Contents(file);
}

// Runs fn on a loading archive over the given bytes.
void Load(Bytes bytes, const std::function<void(CArchive&)>& fn) {
  CMemFile file(bytes.data(), (UINT)bytes.size());
  CArchive ar(&file, CArchive::load);
  fn(ar);
}

// The cause of the E (a file or archive exception) fn throws; -1 when it throws nothing.
template <class E> int CauseOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (E* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

// The cause of the archive exception reading values of the types T in turn from bytes throws.
template <class... T> int ReadCause(const Bytes& bytes) {
  int cause = -1;
  Load(bytes, [&](CArchive& ar) {
    std::tuple<T...> values;
    cause = CauseOf<CArchiveException>(
        [&] { std::apply([&](auto&... value) { (ar >> ... >> value); }, values); });
  });
  return cause;
}

Bytes Concat(Bytes head, const std::string& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

} // namespace

// ---------------------------------------------------------------------------------------------

TEST(Archive, TypedValuesAreLittleEndianWithoutPadding) {
  const auto values =
      std::make_tuple((BYTE)0x12, (WORD)0x3456, (short)-2, 'A', (int)0x01020304, (UINT)0xA0B0C0D0u, (LONG)-1,
                      (DWORD)0x11223344, (COLORREF)RGB(1, 2, 3), 1.5f, -2.5, (LONGLONG)0x0102030405060708LL,
                      (ULONGLONG)0xF1F2F3F4F5F6F7F8ULL, true, false);
  const Bytes bytes =
      Store([&](CArchive& ar) { std::apply([&](auto... value) { (ar << ... << value); }, values); });
  // BYTE, WORD, short, char, int, UINT, LONG, DWORD, COLORREF, float, double, LONGLONG, ULONGLONG, two bools.
  const Bytes expected = {0x12, 0x56, 0x34, 0xFE, 0xFF, 0x41, 0x04, 0x03, 0x02, 0x01, 0xD0, 0xC0, 0xB0, 0xA0,
                          0xFF, 0xFF, 0xFF, 0xFF, 0x44, 0x33, 0x22, 0x11, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00,
                          0xC0, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0xC0, 0x08, 0x07, 0x06, 0x05,
                          0x04, 0x03, 0x02, 0x01, 0xF8, 0xF7, 0xF6, 0xF5, 0xF4, 0xF3, 0xF2, 0xF1, 0x01, 0x00};
  EXPECT_EQ(expected, bytes);

  Load(bytes, [&](CArchive& ar) {
    std::remove_const_t<decltype(values)> back;
    std::apply([&](auto&... value) { (ar >> ... >> value); }, back);
    EXPECT_EQ(values, back);
    EXPECT_TRUE(ar.IsBufferEmpty());
  });
}

TEST(Archive, ReadingPastTheEndThrowsEndOfFileButRawReadAnswersAShortCount) {
  EXPECT_EQ(CArchiveException::endOfFile, ReadCause<DWORD>({1, 2, 3}));
  EXPECT_EQ(CArchiveException::endOfFile, ReadCause<BYTE>({}));
  EXPECT_EQ(-1, ReadCause<WORD>({7, 0}));
  EXPECT_EQ(CArchiveException::endOfFile, (ReadCause<WORD, bool>({7, 0})));

  Load({1, 2, 3, 4, 5}, [](CArchive& ar) {
    BYTE buf[16] = {};
    EXPECT_EQ(5u, ar.Read(buf, sizeof(buf)));
    EXPECT_EQ(5, buf[4]);
    EXPECT_EQ(0u, ar.Read(buf, sizeof(buf)));
  });
}

TEST(Archive, ModeDirectionObjectsFlushingAndClosing) {
  CMemFile file;
  {
    CArchive storing(&file, CArchive::store | CArchive::bNoFlushOnDelete);
    BYTE by;
    EXPECT_EQ(CArchiveException::writeOnly, CauseOf<CArchiveException>([&] { storing.Read(&by, 1); }));
    EXPECT_EQ(RUNTIME_CLASS(CNotSupportedException),
              ThrownClass([&] { storing << static_cast<const CObject*>(&file); })); // no object serialization
    storing << (DWORD)1;
  }
  EXPECT_EQ(0u, file.GetLength()); // told not to flush
  {
    CArchive storing(&file, CArchive::store);
    storing << (DWORD)1 << (DWORD)2;
  }
  EXPECT_EQ(8u, file.GetLength()); // the destructor flushed

  file.SeekToBegin();
  CArchive loading(&file, CArchive::load);
  EXPECT_EQ(CArchiveException::readOnly, CauseOf<CArchiveException>([&] { loading << (BYTE)1; }));
  WORD w;
  loading >> w;
  loading.Close();
  EXPECT_EQ(2u, file.GetPosition()); // at the first unread byte
}

TEST(ArchiveString, LengthPrefixEscalatesAtExactBoundaries) {
  // A length and the prefix it takes.
  const std::pair<int, Bytes> cases[] = {{0, {0x00}},
                                         {254, {0xFE}},
                                         {255, {0xFF, 0xFF, 0x00}},
                                         {0xFFFD, {0xFF, 0xFD, 0xFF}},
                                         {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                                         {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
  for (const auto& [length, prefix] : cases) {
    SCOPED_TRACE(length);
    std::string text(length, 'x');
    if (length > 0)
      text.back() = 'z';
    const CString original(text.c_str());
    // A byte after the text: the long ones pass the archive's buffer by, and it must carry on.
    const Bytes bytes = Store([&](CArchive& ar) { ar << original << (BYTE)0x5A; });
    EXPECT_EQ(Concat(prefix, text + 'Z'), bytes);

    Load(bytes, [&](CArchive& ar) {
      CString back("stale");
      BYTE after = 0;
      ar >> back >> after;
      EXPECT_TRUE(back == original);
      EXPECT_EQ('Z', after);
      EXPECT_TRUE(ar.IsBufferEmpty());
    });
  }
}

TEST(ArchiveString, LiteralsAndEmbeddedZerosAreStoredAsStrings) {
  EXPECT_EQ(Concat({3}, "abc"), Store([](CArchive& ar) { ar << "abc"; }));
  const CString withZero("a\0b", 3);
  EXPECT_EQ(Concat({3}, std::string("a\0b", 3)), Store([&](CArchive& ar) { ar << withZero; }));
}

TEST(ArchiveString, WideFormIsConvertedToAnsi) {
  // Marker 0xFF 0xFFFE, then a byte length in UTF-16 units.
  Bytes bytes = {0xFF, 0xFE, 0xFF, 0x04, 'W', 0,    'i',  0,    'd', 0,
                 'e',  0,    0x02, 'o',  'k', 0xFF, 0xFE, 0xFF, 0x00};
  // The wide length escalates like the narrow one; 0xFFFE is a plain length there.
  bytes.insert(bytes.end(), {0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01});
  for (int i = 0; i < 0x100; ++i)
    bytes.insert(bytes.end(), {'q', 0});
  Load(bytes, [](CArchive& ar) {
    CString wide, narrow, empty("stale"), longer;
    ar >> wide >> narrow >> empty >> longer;
    EXPECT_STREQ("Wide", wide);
    EXPECT_STREQ("ok", narrow);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, longer.Compare(CString('q', 0x100)));
    EXPECT_EQ(0x100, longer.GetLength());
  });
}

TEST(ArchiveString, TruncatedStreamsThrowEndOfFile) {
  const Bytes truncated[] = {
      {0x05, 'a', 'b'},                                       // short characters
      {0xFF, 0x10},                                           // short WORD length
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'},        // huge DWORD length, little data
      {0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b'},                  // wide text cut in a unit
      {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, // huge wide length
  };
  for (const Bytes& bytes : truncated)
    EXPECT_EQ(CArchiveException::endOfFile, ReadCause<CString>(bytes)) << testing::PrintToString(bytes);
}

// ---------------------------------------------------------------------------------------------

// Without a grow step a caller's buffer is the whole, fixed file; with one it starts empty and the
// caller's block is left alone once the file outgrows it. Regrown bytes read as zeros.
TEST(MemFile, BuffersGrowOrStayFixed) {
  BYTE buf[32];
  memset(buf, 0x55, sizeof(buf));
  CMemFile fixed(buf, 16);
  EXPECT_EQ(16u, fixed.GetLength());
  const BYTE patch[2] = {0xEE, 0xEF};
  fixed.Seek(-2, CFile::end);
  fixed.Write(patch, 2);
  EXPECT_EQ(0xEF, buf[15]);
  EXPECT_EQ(RUNTIME_CLASS(CMemoryException), ThrownClass([&] { fixed.Write(patch, 1); }));
  EXPECT_EQ(buf, fixed.Detach());

  CMemFile growing(buf, 16, 64);
  EXPECT_EQ(0u, growing.GetLength());
  const Bytes data(40, 0xA1);
  growing.Write(data.data(), (UINT)data.size());
  EXPECT_EQ(data, Contents(growing));
  EXPECT_EQ(Bytes(16, 0x55), Bytes(buf + 16, buf + 32));
  growing.SetLength(2);
  EXPECT_EQ(2u, growing.GetPosition()); // kept inside the file
  growing.SetLength(4);
  EXPECT_EQ((Bytes{0xA1, 0xA1, 0, 0}), Contents(growing));
  EXPECT_EQ(CFileException::badSeek, CauseOf<CFileException>([&] { growing.Seek(-1, CFile::begin); }));
  BYTE* block = growing.Detach();
  EXPECT_NE(buf, block);
  std::free(block);
}

// ---------------------------------------------------------------------------------------------

namespace {

class DiskFile : public testing::Test {
protected:
  void SetUp() override {
    char dir[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(sizeof(dir), dir));
    m_path = dir + ("fwfile_" + std::to_string(GetCurrentProcessId())) + ".dat";
    DeleteFileA(m_path.c_str());
  }
  void TearDown() override { DeleteFileA(m_path.c_str()); }

  void WriteText(const char* text) {
    CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeWrite);
    file.Write(text, (UINT)strlen(text));
  }

  // Whether a C run-time reader can open the file and what it reads.
  std::string ReadWithStdio() {
    FILE* fp = fopen(m_path.c_str(), "rb");
    if (fp == NULL)
      return "<refused>";
    char buf[64];
    const size_t n = fread(buf, 1, sizeof(buf), fp);
    fclose(fp);
    return std::string(buf, n);
  }

  std::string m_path;
};

} // namespace

TEST_F(DiskFile, WriteSeekReadSetLengthAndClose) {
  CFile file;
  ASSERT_TRUE(file.Open(m_path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
  file.Write("hello world", 11);
  EXPECT_EQ(6u, file.Seek(-5, CFile::end));
  char buf[32] = {};
  EXPECT_EQ(5u, file.Read(buf, sizeof(buf))); // a short count at the end
  EXPECT_STREQ("world", buf);
  file.SetLength(5);
  EXPECT_EQ(5u, file.GetLength());
  file.Close();
  EXPECT_EQ(CFile::hFileNull, file.m_hFile);
  EXPECT_EQ("hello", ReadWithStdio());
  EXPECT_EQ(CFileException::invalidFile, CauseOf<CFileException>([&] { file.Write("y", 1); }));
  file.Abort(); // never throws, even on a closed file
}

TEST_F(DiskFile, FailuresFillOrThrowTheException) {
  CFile file;
  CFileException error;
  EXPECT_FALSE(file.Open(m_path.c_str(), CFile::modeRead, &error));
  EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, error.m_lOsError);
  EXPECT_STREQ(m_path.c_str(), error.m_strFileName);
  for (const std::function<void()>& fail :
       {std::function<void()>([&] { CFile thrown(m_path.c_str(), CFile::modeRead); }),
        std::function<void()>([&] { CFile::Remove(m_path.c_str()); }),
        std::function<void()>([&] { CFile::Rename(m_path.c_str(), "unused.dat"); })})
    EXPECT_EQ(CFileException::fileNotFound, CauseOf<CFileException>(fail));
  WriteText("moved");
  CFile::Rename(m_path.c_str(), (m_path + ".new").c_str());
  CFile::Remove((m_path + ".new").c_str());
  EXPECT_EQ("<refused>", ReadWithStdio());
}

TEST_F(DiskFile, ModesDecideTruncationAndSharing) {
  WriteText("keep");
  { CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite); }
  EXPECT_EQ("keep", ReadWithStdio());
  {
    CFile file(m_path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ("keep", ReadWithStdio());
  }
  {
    CFile file(m_path.c_str(), CFile::modeRead | CFile::shareExclusive);
    EXPECT_EQ("<refused>", ReadWithStdio());
  }
  { CFile file(m_path.c_str(), CFile::modeCreate | CFile::modeWrite); }
  EXPECT_EQ("", ReadWithStdio()); // the destructor released the exclusive handle; create truncated
}
