#pragma once

#include "document/DocumentView.h"

class ApplicationState;
class CTesselDoc;
class CTesselView;

// The left pane of a document window: the navigator of the protocol, which shows the
// device header and the commands grouped by category, and tells the property view of
// the same window which record to show (`CTesselView::ShowItem`). The command tree
// itself and the command editing operations are built on this pane.
class CLeftView : public DocumentView {
    Q_OBJECT
public:
    CLeftView(CTesselDoc& document, ApplicationState& app, QWidget* parent = nullptr);

    CTesselDoc* GetDocument() const;

    // Takes the property view of its own window as its partner.
    void OnInitialUpdate() override;

    // The property view of the same window; nullptr before the first update.
    CTesselView* m_pRightView = nullptr;

protected:
    ApplicationState& m_oApp;
};
