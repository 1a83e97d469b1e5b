#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "framework/core/CurrentDirectory.h"
#include "framework/core/Document.h"
#include "support/TempDir.h"

namespace {

class CountingDocument : public CDocument {
  TM_DECLARE_DYNCREATE(CountingDocument)

 public:
  void DeleteContents() override { ++deleted; }
  bool SaveModified() override {
    ++asked;
    return answer;
  }
  int deleted = 0;
  int asked = 0;
  bool answer = false;
};

TM_IMPLEMENT_DYNCREATE(CountingDocument, CDocument)

// A class without dynamic creation.
class PlainObject : public CObject {
 public:
  const CRuntimeClass* GetRuntimeClass() const override { return &classPlainObject; }
  static const CRuntimeClass classPlainObject;
};
const CRuntimeClass PlainObject::classPlainObject{"PlainObject", &CObject::classCObject, nullptr};

TEST(Document, RunTimeClassRecords) {
  const CRuntimeClass& cls = CountingDocument::classCountingDocument;
  EXPECT_TRUE(cls.IsDynamicallyCreatable());
  std::unique_ptr<CObject> made(cls.CreateObject());
  ASSERT_NE(dynamic_cast<CountingDocument*>(made.get()), nullptr);
  EXPECT_TRUE(made->IsKindOf(&CObject::classCObject));
  EXPECT_FALSE(made->IsKindOf(&PlainObject::classPlainObject));
  EXPECT_FALSE(PlainObject::classPlainObject.IsDynamicallyCreatable());
  EXPECT_EQ(PlainObject::classPlainObject.CreateObject(), nullptr);
  EXPECT_FALSE(CDocument::classCDocument.IsDerivedFrom(&cls));
}

TEST(Document, NewDocumentCloseAndFrameClosing) {
  CountingDocument doc;
  doc.SetTitle("Report");
  doc.SetModifiedFlag();
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.deleted, 1);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "Report");  // the title is the caller's business
  EXPECT_TRUE(doc.CanCloseFrame());
  EXPECT_EQ(doc.asked, 0);  // nothing unsaved: nobody is asked
  doc.SetModifiedFlag();
  EXPECT_FALSE(doc.CanCloseFrame());
  doc.answer = true;
  EXPECT_TRUE(doc.CanCloseFrame());
  EXPECT_EQ(doc.asked, 2);
  EXPECT_FALSE(doc.IsClosed());
  doc.OnCloseDocument();
  EXPECT_TRUE(doc.IsClosed());
  EXPECT_EQ(doc.deleted, 2);
}

TEST(CurrentDirectory, ChangesOnlyToFoldersThatExist) {
  const std::string start = GetCurrentDirectory();
  ASSERT_FALSE(start.empty());
  TempDir dir;
  EXPECT_FALSE(SetCurrentDirectory(""));
  EXPECT_FALSE(SetCurrentDirectory((dir.Path() / "missing").string()));
  EXPECT_EQ(GetCurrentDirectory(), start);
  ASSERT_TRUE(SetCurrentDirectory(dir.Path().string()));
  EXPECT_EQ(GetCurrentDirectory(), std::filesystem::canonical(dir.Path()).string() + "/");
  ASSERT_TRUE(SetCurrentDirectory(start));
}

}  // namespace
