#include "document/DocumentBase.h"

#include <QFileInfo>

#include "document/QtText.h"

DocumentBase::DocumentBase() = default;
DocumentBase::~DocumentBase() = default;

void DocumentBase::SetTitle(const std::string& title) {
    if (title != m_strTitle) {
        m_strTitle = title;
        emit TitleChanged();
    }
}

void DocumentBase::SetPathName(const std::string& path, bool addToRecent) {
    QFileInfo info(QtText::FromUtf8(path));
    m_strPathName = QtText::ToUtf8(info.absoluteFilePath());
    SetTitle(QtText::ToUtf8(info.fileName()));
    if (addToRecent) {
        emit PathNameEntered(QtText::FromUtf8(m_strPathName));
    }
}

void DocumentBase::SetModifiedFlag(bool modified) {
    if (modified != m_bModified) {
        m_bModified = modified;
        emit ModifiedChanged(modified);
    }
}

void DocumentBase::OnCloseDocument() {
    emit CloseRequested(this);
}
