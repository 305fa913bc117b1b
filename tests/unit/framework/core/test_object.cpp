// Run-time class records: chains, dynamic creation, serial-class lookup, exceptions.
#include "core_support.h"

#include <gtest/gtest.h>

namespace {

class CAnimal : public CObject {
  DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CDog : public CAnimal {
  DECLARE_DYNCREATE(CDog)
public:
  int m_nBarks = 3;
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

class CShape : public CObject {
  DECLARE_SERIAL(CShape)
};
IMPLEMENT_SERIAL(CShape, CObject, 1)

// A field-less second base after the framework base, as mixin sinks are used.
struct CSinkMixin {
  virtual ~CSinkMixin() = default;
};

class CMixed : public CDog, public CSinkMixin {
  DECLARE_DYNCREATE(CMixed)
};
IMPLEMENT_DYNCREATE(CMixed, CDog)

} // namespace

TEST(RuntimeClass, ChainsAnswerIsKindOfAndSerialClassesAreFoundByName) {
  CDog dog;
  for (const CRuntimeClass* rc : {RUNTIME_CLASS(CDog), RUNTIME_CLASS(CAnimal), RUNTIME_CLASS(CObject)})
    EXPECT_TRUE(dog.IsKindOf(rc)) << rc->m_lpszClassName;
  EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CShape)));
  EXPECT_FALSE(dog.IsKindOf(NULL));
  EXPECT_EQ(RUNTIME_CLASS(CShape), CRuntimeClass::FromName("CShape"));
  EXPECT_EQ(nullptr, CRuntimeClass::FromName("CDog")); // dynamic only, not serial
  EXPECT_TRUE(CShape().IsSerializable());
  EXPECT_FALSE(dog.IsSerializable());
}

TEST(RuntimeClass, SecondBaseKeepsTheChainAndCreationWorksOnlyForCreatableClasses) {
  CMixed mixed;
  CObject* obj = &mixed;
  EXPECT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CDog)));
  EXPECT_EQ(&mixed, DYNAMIC_DOWNCAST(CMixed, obj));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShape, obj));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CDog, static_cast<CObject*>(nullptr)));

  EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
  CObject* created = RUNTIME_CLASS(CMixed)->CreateObject();
  ASSERT_NE(nullptr, created);
  EXPECT_EQ(RUNTIME_CLASS(CMixed), created->GetRuntimeClass());
  EXPECT_EQ(3, static_cast<CDog*>(created)->m_nBarks);
  delete created;
}

TEST(Exceptions, CatchMacrosDeleteAndRethrowKeeps) {
  int caught = 0;
  TRY { AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "a.png"); }
  CATCH(CFileException, e) {
    ++caught;
    EXPECT_EQ(CFileException::accessDenied, e->m_cause);
    EXPECT_STREQ("a.png", e->m_strFileName);
  }
  END_CATCH
  EXPECT_EQ(1, caught);

  CException* outer = nullptr;
  try {
    TRY { AfxThrowArchiveException(CArchiveException::endOfFile); }
    CATCH(CArchiveException, e) { THROW_LAST(); }
    END_CATCH
  } catch (CException* e) {
    outer = e;
  }
  ASSERT_NE(nullptr, outer);
  EXPECT_EQ(CArchiveException::endOfFile, static_cast<CArchiveException*>(outer)->m_cause);
  outer->Delete();
}
