#pragma once

#include <cstdint>

#include "document/DocumentView.h"

class ApplicationState;
class CTesselDoc;

// The right pane of a document window: shows one record of the protocol, field by
// field, in a two-column property grid. The command tree chooses the record through
// ShowItem; editing, the parameter and byte operations and printing are built on
// this pane.
class CTesselView : public DocumentView {
    Q_OBJECT
public:
    CTesselView(CTesselDoc& document, ApplicationState& app, QWidget* parent = nullptr);

    CTesselDoc* GetDocument() const;

    // Shows the record `item` names: 0 the device header, -1 the category notice, n of
    // 1 or more the command at list position n-1.
    void ShowItem(std::int32_t item);
    // The record shown; -1 until the first ShowItem.
    std::int32_t GetItem() const { return m_nItem; }

protected:
    ApplicationState& m_oApp;
    std::int32_t m_nItem = -1;
};
