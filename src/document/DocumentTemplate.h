#pragma once

#include <string>

// The description of the editor's one document type, taken from its description
// string of seven fields separated by newlines: window title, document name,
// file-new type name, filter name, filter extension, file type identifier and file
// type name. It also numbers the titles of new documents.
class DocumentTemplate {
public:
    explicit DocumentTemplate(const std::string& description);

    const std::string& WindowTitle() const { return m_strWindowTitle; }
    const std::string& DocName() const { return m_strDocName; }
    const std::string& FileNewName() const { return m_strFileNewName; }
    const std::string& FilterName() const { return m_strFilterName; }
    const std::string& FilterExtension() const { return m_strFilterExt; }
    const std::string& FileTypeId() const { return m_strFileTypeId; }
    const std::string& FileTypeName() const { return m_strFileTypeName; }

    // The title of the next new document: the document name and a running number
    // from 1 ("Tessel1", "Tessel2", ...).
    std::string NextUntitledTitle() const;
    // Uses up that number once the new document has been created; a new document
    // that failed leaves it for the next one.
    void CountUntitled() { ++m_nUntitledCount; }

private:
    std::string m_strWindowTitle;
    std::string m_strDocName;
    std::string m_strFileNewName;
    std::string m_strFilterName;
    std::string m_strFilterExt;
    std::string m_strFileTypeId;
    std::string m_strFileTypeName;
    int m_nUntitledCount = 0;
};
