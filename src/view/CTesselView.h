#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "document/DocumentView.h"
#include "model/FieldTable.h"
#include "model/ProtocolListing.h"
#include "view/CPrintInfo.h"
#include "view/PropertyGrid.h"

class ApplicationState;
class CTesselDoc;
class ListingLayout;
class QPainter;
class QPrinter;

// The right pane of a document window: shows one record of the protocol, field by
// field, in a two-column property grid, and writes what the user edits there back
// into the protocol through the document. The command tree chooses the record
// through ShowItem. The pane's own commands are Copy, Cut and Paste of cell text and
// New Param, New Byte, Remove Param and Remove Byte on the command shown.
//
// The view follows the command it shows through the document's signals alone: when
// commands before it come or go, it follows the command to its new position; when
// the command itself goes (from any window, or by Undo), it shows no record until the
// next ShowItem. Every change to the record shows through those signals, whether
// this view, another window, Undo or Redo made it.
// When the whole protocol is replaced, the view shows the device header.
//
// The view also prints the whole protocol as a "Protocol Listing", for itself and for
// the command tree beside it, in the four printing steps a print job and a preview
// run: prepare, begin, print each page, end.
class CTesselView : public DocumentView {
    Q_OBJECT
public:
    static constexpr std::int32_t kCategoryItem = -1;
    static constexpr std::int32_t kDeviceItem = 0;
    // Fixed rows of a command before its parameter rows: Name to Retries.
    static constexpr int kFixedCommandRows = 7;
    static constexpr int kMinColumnWidth = 75;

    static constexpr const char* kCaptionStart = "Tessel: ";
    static constexpr const char* kCaptionEnd =
        " - Double Left or Right Click Column Header to Sort Up or Down";
    static constexpr const char* kCategoryHeading = "This is a Command Category.";
    static constexpr const char* kCategoryValue = "Expand its tree and select a specific command.";
    static constexpr const char* kNewParamText = "New Param";
    static constexpr const char* kNewByteText = "New Byte";
    static constexpr const char* kNoTextMessage = "There was no Text in the clipboard";
    static constexpr const char* kLineBreakMessage =
        "A value cannot hold a line break: a protocol file keeps every value on one line. "
        "Remove the line break to store the value.";
    // %s the row's heading, such as "Byte1".
    static constexpr const char* kEmptyNumberedMessage =
        "%s can't be empty: a protocol file ends its parameters and bytes at the first empty "
        "one, so the ones after it would be lost when the file is read again. Use Remove Param "
        "or Remove Byte to take it out.";
    static constexpr const char* kNoPrintMemory = kListingNoMemory;
    static constexpr const char* kPrintFailed = "File could not be printed successfully!";
    static constexpr const char* kPrinterNotStarted =
        "The Protocol Listing could not be printed: the printer could not be started.";
    static constexpr const char* kNoPagesInRange =
        "Nothing was printed: the pages chosen are not in the Protocol Listing, which has %d "
        "page(s).";
    static constexpr const char* kListingTitle = "Protocol Listing";
    static constexpr const char* kPageNumberFormat = "Page %d of %d";
    static constexpr const char* kFooterLeft = "Vantor Cuewright";
    static constexpr const char* kFooterTimeFormat = "%A, %B %d, %Y, %H:%M";
    // DrawPageText's bands and positions.
    enum Band { kTopBand = 0, kBottomBand = 1 };
    enum Position { kLeft = 0, kCentre = 1, kRight = 2 };

    CTesselView(CTesselDoc& document, ApplicationState& app, QWidget* parent = nullptr);
    ~CTesselView() override;

    CTesselDoc* GetDocument() const;
    PropertyGrid& GetGrid() { return m_grid; }

    // Configures the grid: colours and frame, single-cell selection, the two columns
    // with a read-only heading column, and their headings.
    void OnInitialUpdate() override;
    bool EndEditing() override;

    // Shows the record `item` names: 0 the device header, -1 the category notice, n of
    // 1 or more the command at list position n-1.
    void ShowItem(std::int32_t item);
    // The record shown; -1 until the first ShowItem and while no record is shown.
    std::int32_t GetItem() const { return m_nItem; }

    // Writes `text` into the model field that `row` shows, as an edit of its value
    // does, and marks the document modified. False, after a message, when the text
    // cannot be stored in a protocol, or would empty a parameter or byte; nothing is
    // changed then.
    bool StoreValue(int row, const QString& text);
    // The Delete key: empties the current value and its field.
    void OnDeleteKey();

    // The cell clipboard, on the current cell of the value column.
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    // Copy and Cut: a value is current and a record shown.
    bool OnUpdateEditCopy();
    // Paste: as Copy, and the clipboard holds text.
    bool OnUpdateEditPaste();

    // Parameters and bytes of the command shown.
    void OnNewParam();
    void OnNewByte();
    void OnRemoveParam();
    void OnRemoveByte();
    bool OnUpdateRemoveParam();
    bool OnUpdateRemoveByte();

    // "Tessel: ", the document's title and the sorting hint: the pane's window text.
    QString CaptionText() const;

    // Print (the print dialog, then the pages chosen), printing every page without
    // the dialog, and Print Preview; all on the application's printer.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // The whole print job on `printer` once the job is prepared: begin, every page
    // of the range once, end. False, after a message, when nothing was printed.
    bool PrintListing(QPrinter& printer, CPrintInfo& info);

    // The four printing steps. Prepare forgets any listing and, for Print, shows the
    // print dialog; false when the user cancels. Begin builds the listing (unless this
    // job has built it already), lays it out for `printer` and counts the pages into
    // info; false, after a message, when the listing cannot be built, and nothing is
    // to be printed then. Print draws the page info names; End lets go of the listing.
    bool OnPreparePrinting(CPrintInfo& info);
    bool OnBeginPrinting(QPrinter& printer, CPrintInfo& info);
    void OnPrint(QPainter& painter, CPrintInfo& info);
    void OnEndPrinting(CPrintInfo& info);

    // Writes the listing into the document's text buffer; false when it did not fit.
    bool BuildListing();
    // With `draw`, draws the page info asks for with its header and footer. Returns
    // the number of pages of the listing laid out by begin printing; 0 without one.
    int PrintPages(QPainter* painter, bool draw, CPrintInfo& info);
    // One header (band 0) or footer (band 1) text at the left, centre or right.
    void DrawPageText(QPainter& painter, int band, int position, const QString& text);

    // The measures and fonts of the last print job begun.
    std::int32_t GetLineHeight() const { return m_nLineHeight; }
    std::int32_t GetPageBottom() const { return m_nPageBottom; }
    const QFont& GetListingFont() const { return m_fontListing; }
    const QFont& GetHeadingFont() const { return m_fontHeading; }

protected:
    void resizeEvent(QResizeEvent* event) override;

    // The listing printout's measures and fonts.
    std::int32_t m_nLineHeight = 0;
    std::int32_t m_nPageBottom = 0;
    QFont m_fontListing;
    QFont m_fontHeading;

    PropertyGrid m_grid;
    ApplicationState& m_oApp;
    std::int32_t m_nItem = kCategoryItem;

private:
    // What one row of the grid shows.
    struct RowField {
        enum class Kind { None, Device, Command, Numbered } kind = Kind::None;
        DeviceFieldId device = DeviceFieldId::FileName;
        CommandFieldId command = CommandFieldId::Name;
        int index = 0; // 0-based, for Numbered
    };

    // The command shown; nullptr for the device header, the notice or no record.
    const Command* ShownCommand() const;
    // The field row `row` edits: the fixed rows by their position, the others by
    // their heading.
    RowField FieldOfRow(int row);
    // The parameter or byte that the heading `heading` names with `stem`
    // ("Param", "Byte"): its number from 1, or 0 when it names none.
    static int HeadingNumber(const QString& heading, std::string_view stem);
    // The current row's heading; empty when no row is current.
    QString CurrentHeading();
    // A model value as the grid shows it, and the reverse; false, after a message,
    // for a text the protocol cannot hold.
    static QString ShownValue(std::string_view bytes, bool isPath);
    static bool ModelValue(const QString& text, bool isPath, std::string& bytes);
    // The value column's current row, when a record's value is current; -1 otherwise.
    int CurrentValueRow();
    // How many rows the record `item` shows, and their headings and values.
    int RowCountOf(std::int32_t item) const;
    void WriteRows(std::int32_t item);
    // New Param and New Byte (`field` Params or Bytes), Remove Param and Remove Byte.
    void AppendNumbered(CommandFieldId field, const char* text);
    void RemoveNumbered(CommandFieldId field);
    // The shown record changed in the model: its rows show it again, keeping the
    // current cell and the column widths when the rows stay the same.
    void RefreshRecord();
    // The command shown is gone: no rows, and nothing reaches the model.
    void ShowNoRecord();
    // Both columns as wide as their texts, at least kMinColumnWidth, and together no
    // wider than the view, so that the headings always show.
    void FitColumnsToView();
    void UpdateCaption();
    // Begin printing's first half: the listing into the document's text buffer.
    bool PrepareListing();

    void OnCommandInserted(int position);
    void OnCommandRemoved(int position);
    void OnCommandFieldChanged(int position, CommandFieldId field);
    void OnDeviceFieldChanged(DeviceFieldId field);

    // The listing of the print job under way, built and laid out; nullptr between
    // jobs and after a failure.
    std::unique_ptr<ListingLayout> m_poLayout;
    bool m_bListingBuilt = false;
    // The printable area of the job's printer, in its pixels, and its resolution.
    struct PrinterPage {
        int width = 0;
        int height = 0;
        int heightMM = 0;
        int pixelsPerInch = 0;
    } m_oPrinterPage;
};
