#include "view/CTesselView.h"

#include "document/CTesselDoc.h"

CTesselView::CTesselView(CTesselDoc& document, ApplicationState& app, QWidget* parent)
    : DocumentView(document, parent), m_oApp(app) {
    setObjectName(QStringLiteral("CTesselView"));
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setWhatsThis(tr("<b>Property view</b><p>The fields of the item selected in the command "
                    "tree, one per row: the heading on the left, the value on the right. "
                    "Double-click a value to edit it; every value is kept exactly as "
                    "typed."));
}

CTesselDoc* CTesselView::GetDocument() const {
    return static_cast<CTesselDoc*>(DocumentView::GetDocument());
}

void CTesselView::ShowItem(std::int32_t item) {
    // The pane keeps which record it shows; the property grid that lists the
    // record's fields is built on this.
    m_nItem = item;
}
