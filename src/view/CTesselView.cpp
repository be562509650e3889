#include "view/CTesselView.h"

#include <QPlainTextEdit>
#include <QResizeEvent>
#include <algorithm>

#include "document/ApplicationState.h"
#include "document/CTesselDoc.h"
#include "document/CommandIds.h"
#include "document/QtText.h"
#include "grid/GridArea.h"
#include "model/Codepage.h"
#include "model/Command.h"
#include "platform/Platform.h"
#include "view/ListingPrintJob.h"

namespace {

// The raised three-dimensional frame of a cell.
constexpr unsigned kRaisedBorder = 0x2000;
const QColor kGridBackColor(255, 255, 200);

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString NumberedHeading(CommandFieldId field, int number) {
    return FromView(Field(field).heading) + QString::number(number);
}

CommandFieldKind KindOf(CommandFieldId field) {
    return Field(field).kind;
}

} // namespace

CTesselView::CTesselView(CTesselDoc& document, ApplicationState& app, QWidget* parent)
    : DocumentView(document, parent), m_grid(*this, app.GridToolTips()), m_oApp(app) {
    setObjectName(QStringLiteral("CTesselView"));
    setWhatsThis(tr("<b>Property view</b><p>The fields of the item selected in the command "
                    "tree, one per row: the heading on the left, the value on the right. "
                    "Double-click a value, or start typing on it, to edit it; Enter stores "
                    "it and Esc drops it. Every value is kept exactly as typed."));
    // The grid covers the whole pane and paints all of it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_grid.CreateGrid(true, QRect(0, 0, 50, 50), this, m_oApp.TakeNextGridId());
    m_grid.setWhatsThis(whatsThis());
    setFocusProxy(&m_grid);

    connect(&m_grid, &GridCtrl::currentCellChanged, this, &DocumentView::CommandStateChanged);
    connect(&document, &DocumentBase::TitleChanged, this, &CTesselView::UpdateCaption);
    connect(&document, &CTesselDoc::CommandInserted, this, &CTesselView::OnCommandInserted);
    connect(&document, &CTesselDoc::CommandRemoved, this, &CTesselView::OnCommandRemoved);
    connect(&document, &CTesselDoc::CommandFieldChanged, this, &CTesselView::OnCommandFieldChanged);
    connect(&document, &CTesselDoc::DeviceFieldChanged, this, &CTesselView::OnDeviceFieldChanged);
    // Whatever record was shown may be gone: the new protocol starts at its header.
    connect(&document, &CTesselDoc::ProtocolReplaced, this, [this] { ShowItem(kDeviceItem); });

    using namespace CommandId;
    auto copyRule = [this](int) { return OnUpdateEditCopy(); };
    Commands().Add(
        EditCopy, [this](int) { OnEditCopy(); }, copyRule);
    Commands().Add(
        EditCut, [this](int) { OnEditCut(); }, copyRule);
    Commands().Add(
        EditPaste, [this](int) { OnEditPaste(); }, [this](int) { return OnUpdateEditPaste(); });
    Commands().Add(NewParam, [this](int) { OnNewParam(); });
    Commands().Add(NewByte, [this](int) { OnNewByte(); });
    Commands().Add(
        RemoveParam, [this](int) { OnRemoveParam(); },
        [this](int) { return OnUpdateRemoveParam(); });
    Commands().Add(
        RemoveByte, [this](int) { OnRemoveByte(); }, [this](int) { return OnUpdateRemoveByte(); });
}

CTesselView::~CTesselView() = default;

CTesselDoc* CTesselView::GetDocument() const {
    return static_cast<CTesselDoc*>(DocumentView::GetDocument());
}

void CTesselView::OnInitialUpdate() {
    GridCell cell;
    m_grid.GetGridDefault(cell);
    cell.SetBackColor(kGridBackColor);
    cell.SetBorder(kRaisedBorder);
    m_grid.SetGridDefault(cell);
    m_grid.SetMultiSelect(0);
    m_grid.SetColumnCount(2, 1);
    cell.SetReadOnly(true);
    m_grid.SetColumnDefault(0, cell);
    m_grid.SetCellText(0, -1, QStringLiteral("Heading"));
    m_grid.SetCellText(PropertyGrid::kValueColumn, -1, QStringLiteral("Data"));
    UpdateCaption();
}

QString CTesselView::CaptionText() const {
    const CTesselDoc* document = GetDocument();
    const QString title = document != nullptr ? QtText::FromUtf8(document->GetTitle()) : QString();
    return QLatin1String(kCaptionStart) + title + QLatin1String(kCaptionEnd);
}

void CTesselView::UpdateCaption() {
    // The pane's own window text: the splitter's would become the document window's
    // title, which the document window keeps to the document's title.
    setWindowTitle(CaptionText());
}

void CTesselView::resizeEvent(QResizeEvent* event) {
    DocumentView::resizeEvent(event);
    m_grid.setGeometry(rect());
    FitColumnsToView();
    m_grid.update();
}

bool CTesselView::EndEditing() {
    if (!m_grid.IsEditing()) {
        return true;
    }
    auto* editor = qobject_cast<QPlainTextEdit*>(m_grid.GetEditorWindow());
    if (editor == nullptr) {
        m_grid.CancelEdit();
        return true;
    }
    m_grid.FinishEdit(editor->toPlainText(), 0, 0, m_grid.GetEditColumn(), m_grid.GetEditRow());
    return !m_grid.IsEditing();
}

// --- Showing a record ---------------------------------------------------------------

const Command* CTesselView::ShownCommand() const {
    const CTesselDoc* document = GetDocument();
    if (document == nullptr || m_nItem < 1) {
        return nullptr;
    }
    // The view follows its command through the document's signals; a position past
    // the list is never used all the same.
    return document->GetCommand(m_nItem - 1);
}

QString CTesselView::ShownValue(std::string_view bytes, bool isPath) {
    return isPath ? FromView(bytes) : QtText::FromModel(bytes);
}

bool CTesselView::ModelValue(const QString& text, bool isPath, std::string& bytes) {
    if (isPath) {
        bytes = QtText::ToUtf8(text);
        return true;
    }
    char32_t refused = 0;
    if (!QtText::ToModel(text, bytes, &refused)) {
        Platform::Current().MessageOk(Codepage::RefusalMessage(refused));
        return false;
    }
    return true;
}

int CTesselView::RowCountOf(std::int32_t item) const {
    const CTesselDoc* document = GetDocument();
    if (document == nullptr) {
        return 0;
    }
    if (item == kCategoryItem) {
        return 1;
    }
    if (item == kDeviceItem) {
        return static_cast<int>(kDeviceShowOrder.size());
    }
    const Command* command = document->GetCommand(item - 1);
    return command == nullptr ? 0 : kFixedCommandRows + command->m_nParams + command->m_nBytes + 1;
}

void CTesselView::WriteRows(std::int32_t item) {
    const CTesselDoc* document = GetDocument();
    if (document == nullptr) {
        return;
    }
    const int value = PropertyGrid::kValueColumn;
    if (item == kCategoryItem) {
        m_grid.SetCellText(0, 0, QLatin1String(kCategoryHeading));
        m_grid.SetCellText(value, 0, QLatin1String(kCategoryValue));
        return;
    }
    if (item == kDeviceItem) {
        const ProtocolNode& node = document->GetProtocol();
        int row = 0;
        for (DeviceFieldId id : kDeviceShowOrder) {
            const DeviceField& field = Field(id);
            m_grid.SetCellText(0, row, FromView(field.heading));
            m_grid.SetCellText(value, row, ShownValue(node.*field.member, field.isPath));
            ++row;
        }
        return;
    }
    const Command* command = document->GetCommand(item - 1);
    if (command == nullptr) {
        return;
    }
    int row = 0;
    for (int fixed = 0; fixed < kFixedCommandRows; ++fixed) {
        const CommandField& field = Field(kCommandShowOrder[fixed]);
        m_grid.SetCellText(0, row, FromView(field.heading));
        m_grid.SetCellText(value, row, QtText::FromModel(command->*field.member));
        ++row;
    }
    for (CommandFieldId id : {CommandFieldId::Params, CommandFieldId::Bytes}) {
        const CommandFieldKind kind = KindOf(id);
        for (int k = 1; k <= NumberedCount(*command, kind); ++k) {
            m_grid.SetCellText(0, row, NumberedHeading(id, k));
            m_grid.SetCellText(value, row, QtText::FromModel(NumberedText(*command, kind, k - 1)));
            ++row;
        }
    }
    const CommandField& message = Field(CommandFieldId::Message);
    m_grid.SetCellText(0, row, FromView(message.heading));
    m_grid.SetCellText(value, row, QtText::FromModel(command->*message.member));
}

void CTesselView::ShowItem(std::int32_t item) {
    const CTesselDoc* document = GetDocument();
    if (document == nullptr || item < kCategoryItem ||
        (item > kDeviceItem && document->GetCommand(item - 1) == nullptr)) {
        // Nothing stands there: a position past the list shows no record.
        ShowNoRecord();
        return;
    }
    m_grid.CancelEdit();
    m_grid.EnableUpdate(0);
    const int rows = RowCountOf(item);
    m_grid.SetRowCount(rows, 1);
    WriteRows(item);
    for (int row = 0; row < rows; ++row) {
        m_grid.SetCellText(-1, row, QString::asprintf("%2d", row + 1));
    }
    m_nItem = item;
    m_grid.EnableUpdate(1);
    FitColumnsToView();
    m_grid.RedrawAll();
    emit CommandStateChanged();
}

void CTesselView::FitColumnsToView() {
    if (m_grid.GetColumnCount() != 2 || m_grid.GetRowCount() == 0) {
        return;
    }
    m_grid.FitColumns(0, 1, 0, 3);
    int heading = 0;
    int value = 0;
    m_grid.GetColumnWidth(0, heading);
    m_grid.GetColumnWidth(1, value);
    heading = std::max(heading, kMinColumnWidth);
    // A long value is cut at the view's edge rather than pushing the headings out of
    // it: a row is read by its heading, and the editor grows over what is cut.
    const int room = m_grid.GetArea()->width() - m_grid.GetVScrollWidth();
    value = std::max(std::min(value, room - heading), kMinColumnWidth);
    m_grid.SetColumnWidth(0, heading);
    m_grid.SetColumnWidth(1, value);
    // Setting a width lays nothing out; the scroll bars follow the final widths.
    m_grid.LayoutComponents();
}

void CTesselView::RefreshRecord() {
    if (m_grid.GetRowCount() != RowCountOf(m_nItem)) {
        ShowItem(m_nItem);
        return;
    }
    WriteRows(m_nItem);
    m_grid.RedrawAll();
}

void CTesselView::ShowNoRecord() {
    m_grid.CancelEdit();
    m_nItem = kCategoryItem;
    m_grid.SetRowCount(0, 1);
    m_grid.RedrawAll();
    emit CommandStateChanged();
}

void CTesselView::OnCommandInserted(int position) {
    if (m_nItem >= 1 && position <= m_nItem - 1) {
        ++m_nItem;
    }
}

void CTesselView::OnCommandRemoved(int position) {
    if (m_nItem < 1) {
        return;
    }
    if (position == m_nItem - 1) {
        ShowNoRecord();
    } else if (position < m_nItem - 1) {
        --m_nItem;
    }
}

void CTesselView::OnCommandFieldChanged(int position, CommandFieldId) {
    if (m_nItem >= 1 && position == m_nItem - 1) {
        RefreshRecord();
    }
}

void CTesselView::OnDeviceFieldChanged(DeviceFieldId) {
    if (m_nItem == kDeviceItem) {
        RefreshRecord();
    }
}

// --- Writing values -------------------------------------------------------------------

int CTesselView::HeadingNumber(const QString& heading, std::string_view stem) {
    const QString start = FromView(stem);
    if (!heading.startsWith(start)) {
        return 0;
    }
    int number = 0;
    for (qsizetype i = start.size(); i < heading.size() && heading.at(i).isDigit(); ++i) {
        const int digit = heading.at(i).digitValue();
        if (digit < 0 || number > 1000) {
            // No parameter or byte has a number of that many digits.
            return 0;
        }
        number = number * 10 + digit;
    }
    return number;
}

CTesselView::RowField CTesselView::FieldOfRow(int row) {
    RowField target;
    if (row < 0 || row >= m_grid.GetRowCount()) {
        return target;
    }
    if (m_nItem == kDeviceItem) {
        if (row < static_cast<int>(kDeviceShowOrder.size())) {
            target.kind = RowField::Kind::Device;
            target.device = kDeviceShowOrder[static_cast<std::size_t>(row)];
        }
        return target;
    }
    const Command* command = ShownCommand();
    if (command == nullptr) {
        return target;
    }
    if (row < kFixedCommandRows) {
        target.kind = RowField::Kind::Command;
        target.command = kCommandShowOrder[static_cast<std::size_t>(row)];
        return target;
    }
    const QString heading = m_grid.GetCellText(0, row);
    if (heading == FromView(Field(CommandFieldId::Message).heading)) {
        target.kind = RowField::Kind::Command;
        target.command = CommandFieldId::Message;
        return target;
    }
    for (CommandFieldId id : {CommandFieldId::Params, CommandFieldId::Bytes}) {
        const int number = HeadingNumber(heading, Field(id).heading);
        if (heading.startsWith(FromView(Field(id).heading))) {
            if (number >= 1 && number <= NumberedLimit(KindOf(id))) {
                target.kind = RowField::Kind::Numbered;
                target.command = id;
                target.index = number - 1;
            }
            return target;
        }
    }
    return target;
}

bool CTesselView::StoreValue(int row, const QString& text) {
    CTesselDoc* document = GetDocument();
    if (document == nullptr || row < 0 || row >= m_grid.GetRowCount()) {
        return true;
    }
    // The reader ends a command's parameters and bytes at the first empty one, so an
    // empty text here would lose it, and every one after it, at the next open.
    if (text.isEmpty() && FieldOfRow(row).kind == RowField::Kind::Numbered) {
        const QByteArray heading = m_grid.GetCellText(0, row).toUtf8();
        Platform::Current().MessageOk(
            QString::asprintf(kEmptyNumberedMessage, heading.constData()).toStdString());
        return false;
    }
    // A line break would end the value in the file and start a line of its own.
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        Platform::Current().MessageOk(kLineBreakMessage);
        return false;
    }
    const RowField target = FieldOfRow(row);
    if (const char* refusal = RefusalOfFile(target, text)) {
        Platform::Current().MessageOk(refusal);
        return false;
    }
    const bool isPath = target.kind == RowField::Kind::Device && Field(target.device).isPath;
    std::string bytes;
    if (!ModelValue(text, isPath, bytes)) {
        return false;
    }
    // The rows follow the document's signal, as for a change made anywhere else.
    const int position = m_nItem - 1;
    switch (target.kind) {
    case RowField::Kind::Device:
        document->SetDeviceField(target.device, bytes);
        break;
    case RowField::Kind::Command:
        document->SetCommandField(position, target.command, bytes);
        break;
    case RowField::Kind::Numbered:
        document->SetNumberedText(position, target.command, target.index, bytes);
        break;
    case RowField::Kind::None:
        // The edit was the user's all the same.
        document->MarkWithoutChange();
        break;
    }
    return true;
}

const char* CTesselView::RefusalOfFile(const RowField& target, const QString& text) {
    if (target.kind == RowField::Kind::None || (target.kind == RowField::Kind::Device &&
                                                Field(target.device).write == FieldWrite::Never)) {
        return nullptr; // never written, so nothing is read back
    }
    // The name is the section header: it ends at the first ']', and an empty one ends
    // the command list for the reader.
    if (target.kind == RowField::Kind::Command &&
        Field(target.command).kind == CommandFieldKind::SectionName) {
        return text.isEmpty() || text.contains(QLatin1Char(']')) ? kCommandNameMessage : nullptr;
    }
    // The reader skips blanks after '=' and takes a line whose value starts with ';'
    // for a comment.
    if (text.startsWith(QLatin1Char(' ')) || text.startsWith(QLatin1Char('\t'))) {
        return kLeadingBlankMessage;
    }
    return text.startsWith(QLatin1Char(';')) ? kLeadingCommentMessage : nullptr;
}

int CTesselView::CurrentValueRow() {
    if (m_nItem == kCategoryItem || GetDocument() == nullptr ||
        m_grid.GetCurrentColumn() != PropertyGrid::kValueColumn) {
        return -1;
    }
    const int row = m_grid.GetCurrentRow();
    return row >= 0 && row < m_grid.GetRowCount() ? row : -1;
}

void CTesselView::OnDeleteKey() {
    // The heading column names the fields; only values are deleted.
    const int row = CurrentValueRow();
    if (row >= 0) {
        StoreValue(row, QString());
    }
}

// --- The cell clipboard ------------------------------------------------------------------

bool CTesselView::OnUpdateEditCopy() {
    return CurrentValueRow() >= 0;
}

bool CTesselView::OnUpdateEditPaste() {
    return CurrentValueRow() >= 0 && Platform::Current().ClipboardText().has_value();
}

void CTesselView::OnEditCopy() {
    const int row = CurrentValueRow();
    if (row >= 0) {
        Platform::Current().SetClipboardText(
            QtText::ToUtf8(m_grid.GetCellText(PropertyGrid::kValueColumn, row)));
    }
}

void CTesselView::OnEditCut() {
    const int row = CurrentValueRow();
    if (row < 0) {
        return;
    }
    OnEditCopy();
    StoreValue(row, QString());
}

void CTesselView::OnEditPaste() {
    const int row = CurrentValueRow();
    if (row < 0) {
        return;
    }
    const std::optional<std::string> clip = Platform::Current().ClipboardText();
    if (!clip) {
        Platform::Current().MessageOk(kNoTextMessage);
        return;
    }
    StoreValue(row, QtText::FromUtf8(*clip));
}

// --- Parameters and bytes --------------------------------------------------------------

void CTesselView::OnNewParam() {
    AppendNumbered(CommandFieldId::Params, kNewParamText);
}

void CTesselView::OnNewByte() {
    AppendNumbered(CommandFieldId::Bytes, kNewByteText);
}

void CTesselView::OnRemoveParam() {
    RemoveNumbered(CommandFieldId::Params);
}

void CTesselView::OnRemoveByte() {
    RemoveNumbered(CommandFieldId::Bytes);
}

QString CTesselView::CurrentHeading() {
    const int row = m_grid.GetCurrentRow();
    return row >= 0 && row < m_grid.GetRowCount() ? m_grid.GetCellText(0, row) : QString();
}

bool CTesselView::OnUpdateRemoveParam() {
    return m_nItem < 1 ||
           CurrentHeading().startsWith(FromView(Field(CommandFieldId::Params).heading));
}

bool CTesselView::OnUpdateRemoveByte() {
    return m_nItem < 1 ||
           CurrentHeading().startsWith(FromView(Field(CommandFieldId::Bytes).heading));
}

void CTesselView::AppendNumbered(CommandFieldId field, const char* text) {
    CTesselDoc* document = GetDocument();
    const Command* command = ShownCommand();
    if (document == nullptr || command == nullptr) {
        return;
    }
    const CommandFieldKind kind = KindOf(field);
    const int count = NumberedCount(*command, kind);
    // A full command takes no more: nothing changes, but the document is marked.
    if (count < NumberedLimit(kind)) {
        document->InsertNumberedText(m_nItem - 1, field, count, text);
    } else {
        document->MarkWithoutChange();
    }
}

void CTesselView::RemoveNumbered(CommandFieldId field) {
    CTesselDoc* document = GetDocument();
    if (document == nullptr || ShownCommand() == nullptr) {
        return;
    }
    const int number = HeadingNumber(CurrentHeading(), Field(field).heading);
    if (number < 1 || number > NumberedLimit(KindOf(field))) {
        return;
    }
    document->RemoveNumberedText(m_nItem - 1, field, number - 1);
}

// --- The listing printout ------------------------------------------------------------

ListingPrintJob* CTesselView::PrintJob() {
    CTesselDoc* document = GetDocument();
    if (document == nullptr) {
        // The job refers to the document, which may go before the view does.
        m_poPrintJob.reset();
        return nullptr;
    }
    if (!m_poPrintJob) {
        m_poPrintJob = std::make_unique<ListingPrintJob>(*document, m_oApp.Printer());
    }
    return m_poPrintJob.get();
}

bool CTesselView::OnPreparePrinting(CPrintInfo& info) {
    ListingPrintJob* job = PrintJob();
    return job != nullptr && job->OnPreparePrinting(info);
}

bool CTesselView::OnBeginPrinting(CPrintInfo& info) {
    ListingPrintJob* job = PrintJob();
    return job != nullptr && job->OnBeginPrinting(info);
}

void CTesselView::OnPrint(QPainter& painter, CPrintInfo& info) {
    if (ListingPrintJob* job = PrintJob()) {
        job->OnPrint(painter, info);
    }
}

void CTesselView::OnEndPrinting(CPrintInfo& info) {
    if (ListingPrintJob* job = PrintJob()) {
        job->OnEndPrinting(info);
    }
}

bool CTesselView::BuildListing() {
    ListingPrintJob* job = PrintJob();
    return job != nullptr && job->BuildListing();
}

int CTesselView::PrintPages(QPainter* painter, bool draw, CPrintInfo& info) {
    ListingPrintJob* job = PrintJob();
    return job != nullptr ? job->PrintPages(painter, draw, info) : 0;
}

void CTesselView::DrawPageText(QPainter& painter, int band, int position, const QString& text) {
    if (ListingPrintJob* job = PrintJob()) {
        job->DrawPageText(painter, band, position, text);
    }
}
