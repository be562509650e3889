#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <memory>

#include "document/CommandTable.h"
#include "document/DocumentBase.h"
#include "document/DocumentTemplate.h"
#include "document/DocumentView.h"

TEST(DocumentTemplate, ReadsTheSevenFieldsAndNumbersNewDocuments) {
    DocumentTemplate docTemplate("\nTessel\nTessel\n\n\nTessel.Document\nTessel Document");
    EXPECT_EQ(docTemplate.WindowTitle(), "");
    EXPECT_EQ(docTemplate.DocName(), "Tessel");
    EXPECT_EQ(docTemplate.FileNewName(), "Tessel");
    EXPECT_EQ(docTemplate.FilterName(), "");
    EXPECT_EQ(docTemplate.FilterExtension(), "");
    EXPECT_EQ(docTemplate.FileTypeId(), "Tessel.Document");
    EXPECT_EQ(docTemplate.FileTypeName(), "Tessel Document");

    // A number is used up only by a document that was made.
    EXPECT_EQ(docTemplate.NextUntitledTitle(), "Tessel1");
    EXPECT_EQ(docTemplate.NextUntitledTitle(), "Tessel1");
    docTemplate.CountUntitled();
    EXPECT_EQ(docTemplate.NextUntitledTitle(), "Tessel2");

    DocumentTemplate shortOne("Title\nDoc");
    EXPECT_EQ(shortOne.DocName(), "Doc");
    EXPECT_EQ(shortOne.FileTypeName(), "");
}

TEST(DocumentBase, PathNameIsMadeAbsoluteAndGivesTheTitle) {
    DocumentBase doc;
    QSignalSpy titles(&doc, &DocumentBase::TitleChanged);
    QSignalSpy entered(&doc, &DocumentBase::PathNameEntered);
    doc.SetPathName("/work/protocols/Relay Box.pcl");
    EXPECT_EQ(doc.GetPathName(), "/work/protocols/Relay Box.pcl");
    EXPECT_EQ(doc.GetTitle(), "Relay Box.pcl");
    EXPECT_EQ(titles.count(), 1);
    EXPECT_EQ(entered.count(), 1);

    doc.SetPathName("sub/../Lamp.pcl", false);
    EXPECT_EQ(doc.GetPathName(), QDir::current().absoluteFilePath("Lamp.pcl").toStdString());
    EXPECT_EQ(doc.GetTitle(), "Lamp.pcl");
    EXPECT_EQ(entered.count(), 1);
}

TEST(DocumentBase, ModifiedFlagSignalsOnlyChanges) {
    DocumentBase doc;
    QSignalSpy modified(&doc, &DocumentBase::ModifiedChanged);
    EXPECT_FALSE(doc.IsModified());
    doc.SetModifiedFlag();
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    EXPECT_EQ(modified.count(), 2);
}

// A view holds its document and follows it; the document holds nothing of its views,
// so either may go first.
TEST(DocumentView, HoldsItsDocumentUntilItLetsGoOrTheDocumentGoes) {
    auto doc = std::make_unique<DocumentBase>();
    DocumentView first(*doc);
    DocumentView second(*doc);
    int heard = 0;
    for (DocumentView* view : {&first, &second}) {
        QObject::connect(doc.get(), &DocumentBase::TitleChanged, view, [&heard] { ++heard; });
    }
    doc->SetTitle("Relay");
    EXPECT_EQ(heard, 2);

    second.DetachDocument();
    EXPECT_EQ(second.GetDocument(), nullptr);
    doc->SetTitle("Lamp");
    EXPECT_EQ(heard, 3);

    doc.reset();
    EXPECT_EQ(first.GetDocument(), nullptr);
}

TEST(CommandTable, FindsEntriesAndRanges) {
    CommandTable table;
    std::vector<int> ran;
    table.Add(7, [&](int id) { ran.push_back(id); });
    table.AddRange(
        10, 12, [&](int id) { ran.push_back(id); }, [](int id) { return id != 11; });
    EXPECT_TRUE(table.Handles(7));
    EXPECT_FALSE(table.Handles(8));
    ASSERT_NE(table.Find(11), nullptr);
    EXPECT_FALSE(table.Find(11)->enabled(11));
    EXPECT_TRUE(table.Find(12)->enabled(12));
    table.Find(12)->run(12);
    EXPECT_EQ(ran, std::vector<int>{12});
    table.Remove(7);
    EXPECT_FALSE(table.Handles(7));
}
