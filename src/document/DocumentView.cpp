#include "document/DocumentView.h"

#include <QSplitter>

#include "document/CommandIds.h"
#include "document/DocumentBase.h"

DocumentView::DocumentView(QWidget* parent) : QWidget(parent) {
    m_oCommands.Add(CommandId::NextPane, [this](int) { FocusOtherPane(true); });
    m_oCommands.Add(CommandId::PrevPane, [this](int) { FocusOtherPane(false); });
}

DocumentView::~DocumentView() {
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

void DocumentView::OnInitialUpdate() {
    OnUpdate(nullptr);
}

void DocumentView::OnUpdate(DocumentView* /*sender*/) {}

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
