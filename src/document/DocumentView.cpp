#include "document/DocumentView.h"

#include <QSplitter>

#include "document/CommandIds.h"

DocumentView::DocumentView(DocumentBase& document, QWidget* parent)
    : QWidget(parent), m_pDocument(&document) {
    m_oCommands.Add(CommandId::NextPane, [this](int) { FocusOtherPane(true); });
    m_oCommands.Add(CommandId::PrevPane, [this](int) { FocusOtherPane(false); });
}

DocumentView::~DocumentView() = default;

void DocumentView::DetachDocument() {
    if (m_pDocument != nullptr) {
        disconnect(m_pDocument, nullptr, this, nullptr);
        m_pDocument = nullptr;
    }
}

bool DocumentView::FocusOtherPane(bool next) {
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (splitter == nullptr || splitter->count() < 2) {
        return false;
    }
    int count = splitter->count();
    int index = splitter->indexOf(this);
    QWidget* other = splitter->widget((index + (next ? 1 : count - 1)) % count);
    other->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
