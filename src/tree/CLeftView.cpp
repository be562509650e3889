#include "tree/CLeftView.h"

#include <QSplitter>

#include "document/CTesselDoc.h"
#include "view/CTesselView.h"

CLeftView::CLeftView(CTesselDoc& document, ApplicationState& app, QWidget* parent)
    : DocumentView(document, parent), m_oApp(app) {
    setObjectName(QStringLiteral("CLeftView"));
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setWhatsThis(tr("<b>Command tree</b><p>The protocol as a tree. The top item is the "
                    "device header, named after the protocol; below it are the commands, "
                    "grouped into categories by the part of their names before the colon."
                    "<p>Select an item to show its fields in the property view on the "
                    "right."));
}

CTesselDoc* CLeftView::GetDocument() const {
    return static_cast<CTesselDoc*>(DocumentView::GetDocument());
}

void CLeftView::OnInitialUpdate() {
    // The partner is the other pane of the same splitter.
    if (auto* splitter = qobject_cast<QSplitter*>(parentWidget())) {
        for (int i = 0; i < splitter->count() && m_pRightView == nullptr; ++i) {
            m_pRightView = qobject_cast<CTesselView*>(splitter->widget(i));
        }
    }
}
