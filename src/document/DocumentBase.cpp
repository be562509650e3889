#include "document/DocumentBase.h"

#include <QFileInfo>
#include <algorithm>

#include "document/DocumentView.h"
#include "platform/QtText.h"

DocumentBase::DocumentBase(QObject* parent) : QObject(parent) {}

DocumentBase::~DocumentBase() {
    // Views outliving their document must not reach back into it.
    for (DocumentView* view : m_oViews) {
        view->m_pDocument = nullptr;
    }
}

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
        emit CommandStateChanged();
    }
}

void DocumentBase::AddView(DocumentView* view) {
    if (view->m_pDocument == this) {
        return;
    }
    if (view->m_pDocument != nullptr) {
        view->m_pDocument->RemoveView(view);
    }
    m_oViews.push_back(view);
    view->m_pDocument = this;
    emit ViewsChanged();
}

void DocumentBase::RemoveView(DocumentView* view) {
    auto it = std::find(m_oViews.begin(), m_oViews.end(), view);
    if (it == m_oViews.end()) {
        return;
    }
    m_oViews.erase(it);
    view->m_pDocument = nullptr;
    emit ViewsChanged();
}

void DocumentBase::UpdateAllViews(DocumentView* sender) {
    // A copy: an update may open or close windows.
    std::vector<DocumentView*> views = m_oViews;
    for (DocumentView* view : views) {
        if (view != sender) {
            view->OnUpdate(sender);
        }
    }
}

void DocumentBase::OnCloseDocument() {
    emit CloseRequested(this);
}
