#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <string>

#include "document/DocumentView.h"
#include "model/FieldTable.h"
#include "view/CPrintInfo.h"
#include "view/PropertyGrid.h"

class ApplicationState;
class CTesselDoc;
class ListingPrintJob;
class QPainter;

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
// The view's printing steps pass on to a listing print job of its document on the
// application's printer; Print and Print Preview themselves belong to the document
// window, which runs a job of its own.
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
    static constexpr const char* kLeadingBlankMessage =
        "A value cannot begin with a space or a tab: a protocol file drops them when the value "
        "is read again. Remove them to store the value.";
    static constexpr const char* kLeadingCommentMessage =
        "A value cannot begin with \";\": a protocol file takes it for a comment, so the value "
        "would be lost when the file is read again.";
    static constexpr const char* kCommandNameMessage =
        "A command name cannot be empty or hold \"]\": a protocol file ends a command's name at "
        "the first \"]\" and its commands at an empty name, so commands would be lost when the "
        "file is read again.";
    // %s the row's heading, such as "Byte1".
    static constexpr const char* kEmptyNumberedMessage =
        "%s can't be empty: a protocol file ends its parameters and bytes at the first empty "
        "one, so the ones after it would be lost when the file is read again. Use Remove Param "
        "or Remove Byte to take it out.";

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

    // The four printing steps and the listing's own, passed on to the view's print
    // job (ListingPrintJob says what each does). Without a document there is nothing
    // to print: prepare and begin say false, and no page is counted.
    bool OnPreparePrinting(CPrintInfo& info);
    bool OnBeginPrinting(CPrintInfo& info);
    void OnPrint(QPainter& painter, CPrintInfo& info);
    void OnEndPrinting(CPrintInfo& info);
    bool BuildListing();
    int PrintPages(QPainter* painter, bool draw, CPrintInfo& info);
    void DrawPageText(QPainter& painter, int band, int position, const QString& text);
    // The job those steps run, made when first needed; nullptr without a document.
    ListingPrintJob* PrintJob();

protected:
    void resizeEvent(QResizeEvent* event) override;

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
    // The message refusing `text` for `target` when the file would not give it back
    // as it is; nullptr when it would.
    static const char* RefusalOfFile(const RowField& target, const QString& text);
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

    void OnCommandInserted(int position);
    void OnCommandRemoved(int position);
    void OnCommandFieldChanged(int position, CommandFieldId field);
    void OnDeviceFieldChanged(DeviceFieldId field);

    std::unique_ptr<ListingPrintJob> m_poPrintJob;
};
