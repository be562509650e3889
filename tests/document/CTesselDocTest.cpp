#include <gtest/gtest.h>

#include <QSignalSpy>

#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "document/CTesselDoc.h"
#include "document/DocumentTemplate.h"

namespace {

using Answer = Platform::Answer;

std::string NewProtocolText() {
    return ReadFileBytes(std::string(TESSEL_TEST_DATA) + "/new-protocol.pcl");
}

// A new document as File New makes it: titled, initialised, not modified.
struct NewDocument {
    ScriptedPlatform platform;
    DocumentTemplate docTemplate{"\nTessel\nTessel\n\n\nTessel.Document\nTessel Document"};
    CTesselDoc doc{&docTemplate};
    TempDir dir;

    NewDocument() {
        doc.SetTitle(docTemplate.NextUntitledTitle());
        EXPECT_TRUE(doc.InitNewProtocol());
    }
};

} // namespace

TEST(CTesselDoc, NewProtocolHasTheTemplateDefaults) {
    NewDocument d;
    const ProtocolNode& node = d.doc.GetProtocol();
    EXPECT_EQ(node.m_strFileName, "MyProtocol.pcl");
    EXPECT_EQ(node.m_strVersion, "Your Revision Number");
    EXPECT_EQ(node.m_strDate, "Monday, December 07, 2026");
    EXPECT_EQ(node.m_strDescription, "Name of Protocol as it will appear in Cuewright");
    EXPECT_EQ(node.m_strLocation, "Local");
    EXPECT_EQ(node.m_strAuthor, "Your Name");
    EXPECT_EQ(node.m_strMaker, "Brand");
    EXPECT_EQ(node.m_strModel, "Specific Model Number");
    EXPECT_EQ(node.m_strSupported, "5.00");
    EXPECT_EQ(node.m_strType, "Video Switcher, for example");
    EXPECT_EQ(node.m_strInterface, "Serial");
    EXPECT_EQ(node.m_strDataBits, "8");
    EXPECT_EQ(node.m_strStopBits, "1");
    EXPECT_EQ(node.m_strParity, "N");
    EXPECT_EQ(node.m_strBaudRate, "9600");
    EXPECT_EQ(node.m_strProtocol, "Custom");
    EXPECT_EQ(node.m_strVantorType, "");
    EXPECT_EQ(node.m_strAddress, "");

    ASSERT_EQ(node.m_poCmndList->GetCount(), 1);
    const Command& command = *node.m_poCmndList->GetAt(0);
    EXPECT_EQ(command.m_strName, "MessageOut");
    EXPECT_EQ(command.m_strDescription, "Sends a Data or local String out a port");
    EXPECT_EQ(command.m_strMessage, "@string(param2)");
    EXPECT_EQ(command.m_nParams, 2);
    EXPECT_EQ(command.m_nBytes, 0);
    EXPECT_EQ(command.m_oParam[0].m_strText, "port, \"A valid Port\"");
    EXPECT_EQ(command.m_oParam[1].m_strText, "datastring|string, \"A valid Data or local String\"");
    // The parameters of a new protocol are not parsed.
    EXPECT_EQ(command.m_oParam[1].m_nOrCount, 0);
    EXPECT_EQ(command.m_oParam[1].m_strDescription, "");

    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(d.doc.GetPathName(), "");
    EXPECT_EQ(d.doc.GetTitle(), "Tessel1");
    EXPECT_TRUE(d.platform.messages.empty());
}

TEST(CTesselDoc, ProposedNameIsTheTitleCutAtEightCharactersAndAtTheFirstStopCharacter) {
    EXPECT_EQ(CTesselDoc::ProposedFileName("Tessel1", ""), "Tessel1");
    EXPECT_EQ(CTesselDoc::ProposedFileName("MyVeryLongName", ""), "MyVeryLo");
    EXPECT_EQ(CTesselDoc::ProposedFileName("Relay Box", ""), "Relay");
    EXPECT_EQ(CTesselDoc::ProposedFileName("a#b", ""), "a");
    for (const char* title : {"x y", "x#y", "x%y", "x;y", "x/y", "x\\y"}) {
        EXPECT_EQ(CTesselDoc::ProposedFileName(title, ""), "x") << title;
    }
    // Cut to eight characters first: a stop character after them does not count.
    EXPECT_EQ(CTesselDoc::ProposedFileName("ABCDEFGH IJ", ""), "ABCDEFGH");
    EXPECT_EQ(CTesselDoc::ProposedFileName("", ""), "");
    EXPECT_EQ(CTesselDoc::ProposedFileName("Relay Box", ".pcl"), "Relay.pcl");
    // Characters, not bytes: a title in UTF-8 is never cut inside a character.
    EXPECT_EQ(CTesselDoc::ProposedFileName("\xC3\x9C"
                                           "bersicht",
                                           ""),
              "\xC3\x9C"
              "bersich");
}

TEST(CTesselDoc, FirstSaveProposesTheTitleAndTakesTheChosenName) {
    NewDocument d;
    QSignalSpy entered(&d.doc, &DocumentBase::PathNameEntered);
    QSignalSpy titles(&d.doc, &DocumentBase::TitleChanged);
    std::string path = d.dir.Path("Tessel1.pcl");
    d.platform.fileDialogAnswers.push_back(path);

    d.doc.OnFileSave();

    ASSERT_EQ(d.platform.dialogCalls.size(), 1u);
    const ScriptedPlatform::DialogCall& call = d.platform.dialogCalls[0];
    EXPECT_EQ(call.title, "File Save As");
    EXPECT_EQ(call.filter, "Protocol Files (*.pcl)");
    EXPECT_EQ(call.folderOrSuffix, "pcl");
    EXPECT_EQ(call.proposed, "Tessel1");
    EXPECT_EQ(ReadFileBytes(path), NewProtocolText());
    EXPECT_EQ(d.doc.GetPathName(), path);
    EXPECT_EQ(d.doc.GetTitle(), "Tessel1.pcl");
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(titles.count(), 1);
    ASSERT_EQ(entered.count(), 1);
    EXPECT_EQ(entered.at(0).at(0).toString().toStdString(), path);
    // Saving under a name never changes the protocol's own file name.
    EXPECT_EQ(d.doc.GetProtocol().m_strFileName, "MyProtocol.pcl");
    EXPECT_TRUE(d.platform.messages.empty());
}

TEST(CTesselDoc, CancelledSaveDialogChangesNothing) {
    NewDocument d;
    d.doc.SetModifiedFlag();
    d.platform.fileDialogAnswers.push_back("");
    EXPECT_FALSE(d.doc.SaveWithPrompt(std::nullopt, true));
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ(d.doc.GetPathName(), "");
    EXPECT_EQ(d.doc.GetTitle(), "Tessel1");
    EXPECT_EQ(d.dir.FileCount(), 0u);
}

TEST(CTesselDoc, SaveWithAGivenPathAsksNothingAndReplaceDecidesTheName) {
    NewDocument d;
    std::string copy = d.dir.Path("copy.pcl");
    d.doc.SetModifiedFlag();
    EXPECT_TRUE(d.doc.SaveWithPrompt(copy, false));
    EXPECT_TRUE(d.platform.dialogCalls.empty());
    EXPECT_EQ(ReadFileBytes(copy), NewProtocolText());
    EXPECT_FALSE(d.doc.IsModified());
    EXPECT_EQ(d.doc.GetPathName(), ""); // without replace the document keeps its name
    EXPECT_EQ(d.doc.GetTitle(), "Tessel1");
}

TEST(CTesselDoc, FailedSaveAsKeepsTheFileTheUserChoseToReplace) {
    NewDocument d;
    std::string chosen = d.dir.Write("Existing.pcl", "[Device]\r\nDescription=Precious\r\n");
    d.doc.SetModifiedFlag();
    d.platform.fail.createTemporary = true;
    d.platform.fileDialogAnswers.push_back(chosen);

    d.doc.OnFileSaveAs();

    EXPECT_EQ(d.platform.Texts(),
              std::vector<std::string>{"File " + chosen + " could not be opened for writing!"});
    EXPECT_EQ(ReadFileBytes(chosen), "[Device]\r\nDescription=Precious\r\n");
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ(d.doc.GetPathName(), "");
    EXPECT_EQ(d.doc.GetTitle(), "Tessel1");
}

TEST(CTesselDoc, FailedWriteKeepsTheChosenFileAndTheDocumentModified) {
    NewDocument d;
    std::string chosen = d.dir.Write("Existing.pcl", "old");
    d.doc.SetModifiedFlag();
    d.platform.fail.write = true;
    d.platform.fileDialogAnswers.push_back(chosen);
    EXPECT_FALSE(d.doc.SaveWithPrompt(std::nullopt, true));
    ASSERT_EQ(d.platform.messages.size(), 1u);
    EXPECT_EQ(ReadFileBytes(chosen), "old");
    EXPECT_EQ(d.dir.FileCount(), 1u); // no temporary file left behind either
    EXPECT_TRUE(d.doc.IsModified());
    EXPECT_EQ(d.doc.GetPathName(), "");
}

TEST(CTesselDoc, OpenReadsTheFileAndTakesItsName) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("Relay.pcl", NewProtocolText());
    CTesselDoc doc;
    QSignalSpy entered(&doc, &DocumentBase::PathNameEntered);
    ASSERT_TRUE(doc.OpenProtocolFile(path));
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), "Relay.pcl");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(doc.GetProtocol().m_strFileName, path);
    EXPECT_EQ(doc.GetProtocol().m_strDate, "Monday, December 07, 2026");
    // Read back, an empty VantorType is the reader's default.
    EXPECT_EQ(doc.GetProtocol().m_strVantorType, "Show Controller");
    ASSERT_EQ(doc.GetProtocol().m_poCmndList->GetCount(), 1);
    EXPECT_EQ(doc.GetProtocol().m_poCmndList->GetAt(0)->m_oParam[1].m_nOrCount, 2);
    EXPECT_FALSE(platform.busyCursorShown);
    EXPECT_TRUE(platform.messages.empty());
}

TEST(CTesselDoc, FailedOpensShowTheReaderMessagesAndOnlyTheCommandsStepAddsItsOwn) {
    TempDir dir;
    std::string good = dir.Write("good.pcl", NewProtocolText());
    std::string noDevice = dir.Write("nodevice.pcl", "[Other]\r\nx=1\r\n");
    std::string missing = dir.Path("missing.pcl");
    {
        ScriptedPlatform platform;
        CTesselDoc doc;
        EXPECT_FALSE(doc.OpenProtocolFile(missing));
        EXPECT_EQ(platform.Texts(),
                  std::vector<std::string>{"Could not open " + missing + " for reading"});
        EXPECT_EQ(doc.GetPathName(), "");
    }
    {
        ScriptedPlatform platform;
        CTesselDoc doc;
        EXPECT_FALSE(doc.OpenProtocolFile(noDevice));
        EXPECT_EQ(platform.Texts(),
                  std::vector<std::string>{"Read Protocol:  Could not find [Device] Section."});
    }
    {
        // Readable for the device section, gone for the commands.
        ScriptedPlatform platform;
        platform.fail.openForReadingAfter = 1;
        CTesselDoc doc;
        EXPECT_FALSE(doc.OpenProtocolFile(good));
        std::vector<std::string> expected = {"Could not open " + good + " for reading",
                                             "Read Protocol:  Could not read file",
                                             "File " + good + " could not be read successfully!"};
        EXPECT_EQ(platform.Texts(), expected);
        EXPECT_FALSE(platform.messages.back().busyCursorShown);
        EXPECT_FALSE(platform.busyCursorShown);
        EXPECT_EQ(doc.GetPathName(), "");
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(CTesselDoc, SaveWritesInPlaceUnlessTheFileIsGoneOrReadOnly) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("Relay.pcl", NewProtocolText());
    CTesselDoc doc;
    ASSERT_TRUE(doc.OpenProtocolFile(path));
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Author, "Someone Else"));

    doc.OnFileSave();
    EXPECT_TRUE(platform.dialogCalls.empty());
    EXPECT_NE(ReadFileBytes(path).find("Author=Someone Else\r\n"), std::string::npos);
    EXPECT_FALSE(doc.IsModified());

    // A read-only file asks for a new name, proposing the old one.
    platform.fail.notWritable = true;
    std::string other = dir.Path("Other.pcl");
    platform.fileDialogAnswers.push_back(other);
    doc.OnFileSave();
    ASSERT_EQ(platform.dialogCalls.size(), 1u);
    EXPECT_EQ(platform.dialogCalls[0].proposed, path);
    EXPECT_EQ(doc.GetPathName(), other);
    EXPECT_EQ(doc.GetTitle(), "Other.pcl");
    platform.fail.notWritable = false;

    // So does a file that has gone.
    std::filesystem::remove(other);
    platform.fileDialogAnswers.push_back("");
    doc.OnFileSave();
    EXPECT_EQ(platform.dialogCalls.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(other));
}

TEST(CTesselDoc, SaveChangesQuestionForEachAnswer) {
    {
        NewDocument d;
        EXPECT_TRUE(d.doc.ConfirmSaveChanges()); // not modified: no question
        EXPECT_TRUE(d.platform.messages.empty());
    }
    {
        NewDocument d;
        d.doc.SetModifiedFlag();
        d.platform.answers = {Answer::Cancel};
        EXPECT_FALSE(d.doc.ConfirmSaveChanges());
        ASSERT_EQ(d.platform.messages.size(), 1u);
        EXPECT_EQ(d.platform.messages[0].text, "Save changes to Untitled?");
        EXPECT_EQ(d.platform.messages[0].kind, Platform::MessageKind::YesNoCancel);
        EXPECT_TRUE(d.doc.IsModified());
    }
    {
        NewDocument d;
        d.doc.SetModifiedFlag();
        d.platform.answers = {Answer::No};
        EXPECT_TRUE(d.doc.ConfirmSaveChanges());
        EXPECT_TRUE(d.platform.dialogCalls.empty());
        EXPECT_EQ(d.dir.FileCount(), 0u);
    }
    {
        NewDocument d;
        d.doc.SetModifiedFlag();
        d.platform.answers = {Answer::Yes};
        d.platform.fileDialogAnswers.push_back(d.dir.Path("Saved.pcl"));
        EXPECT_TRUE(d.doc.ConfirmSaveChanges());
        EXPECT_EQ(d.platform.dialogCalls.at(0).proposed, "Tessel1");
        EXPECT_EQ(ReadFileBytes(d.dir.Path("Saved.pcl")), NewProtocolText());
        EXPECT_FALSE(d.doc.IsModified());
    }
    {
        // Yes, then cancelling the save dialog cancels the close.
        NewDocument d;
        d.doc.SetModifiedFlag();
        d.platform.answers = {Answer::Yes};
        d.platform.fileDialogAnswers.push_back("");
        EXPECT_FALSE(d.doc.ConfirmSaveChanges());
        EXPECT_TRUE(d.doc.IsModified());
    }
}

TEST(CTesselDoc, SaveChangesQuestionNamesTheFileAndSavesInPlace) {
    ScriptedPlatform platform;
    TempDir dir;
    std::string path = dir.Write("Relay.pcl", NewProtocolText());
    CTesselDoc doc;
    ASSERT_TRUE(doc.OpenProtocolFile(path));
    ASSERT_TRUE(doc.SetDeviceField(DeviceFieldId::Model, "RB-16"));
    platform.answers = {Answer::Yes};
    EXPECT_TRUE(doc.ConfirmSaveChanges());
    EXPECT_EQ(platform.Texts(), std::vector<std::string>{"Save changes to " + path + "?"});
    EXPECT_TRUE(platform.dialogCalls.empty());
    EXPECT_NE(ReadFileBytes(path).find("Model=RB-16\r\n"), std::string::npos);
}

TEST(CTesselDoc, CloseAsksFirstAndClosesOnlyWhenAllowed) {
    NewDocument d;
    QSignalSpy closing(&d.doc, &DocumentBase::CloseRequested);
    d.doc.SetModifiedFlag();
    d.platform.answers = {Answer::Cancel, Answer::No};
    d.doc.OnFileClose();
    EXPECT_EQ(closing.count(), 0);
    d.doc.OnFileClose();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_EQ(d.platform.unexpectedQuestions, 0);
}
