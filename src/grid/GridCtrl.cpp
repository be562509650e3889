#include "grid/GridCtrl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>

#include "grid/ArrowCellType.h"
#include "grid/CheckBoxCellType.h"
#include "grid/DropListCellType.h"
#include "grid/FindReplaceDialog.h"
#include "grid/GridAccessible.h"
#include "grid/GridArea.h"
#include "grid/GridCornerButton.h"
#include "grid/GridDropList.h"
#include "grid/GridEdit.h"
#include "grid/GridFind.h"
#include "grid/GridHint.h"
#include "grid/GridMarkerLine.h"
#include "grid/GridScrollBar.h"
#include "grid/GridSheetTabs.h"
#include "grid/GridSideHeading.h"
#include "grid/GridSystem.h"
#include "grid/GridTopHeading.h"
#include "grid/NormalCellType.h"

namespace {

// The least width a fitted column gets, before the two pixels every column adds.
constexpr int kLeastMeasure = 3;
// Width given to fitted columns while the cell area has none yet.
constexpr int kFitWidthWithoutArea = 300;

} // namespace

GridCtrl::GridCtrl(QWidget* parent) : QWidget(parent) {
    GridAccessible::Install();

    m_poNormalType = std::make_unique<NormalCellType>();
    m_poDropListType = std::make_unique<DropListCellType>();
    m_poCheckBoxType = std::make_unique<CheckBoxCellType>();
    m_poArrowType = std::make_unique<ArrowCellType>();
    m_pEdit = new GridEdit(this);
    m_oEditSession.SetEditor(m_pEdit);
    m_pPopupMenu = new QMenu(this);

    m_pArea = new GridArea(this);
    m_pTopHeading = new GridTopHeading(this);
    m_pSideHeading = new GridSideHeading(this);
    m_pCorner = new GridCornerButton(this);
    // Only the rows are ever so many that the bar must scale.
    m_pVScroll = new GridScrollBar(Qt::Vertical, this, GridScrollBar::kScaleToUnits);
    m_pHScroll = new GridScrollBar(Qt::Horizontal, this, GridScrollBar::kFromLocked);
    m_pSheetTabs = new GridSheetTabs(this);
    m_pHint = new GridHint(this);
    // Over every component, so that it can mark a border across them.
    m_pMarker = new GridMarkerLine(this);
    m_pDropList = new GridDropList(this, m_pArea);
    m_oSheets.push_back(MakeSheet());
    SetSheet(0);

    AddCellType(m_poNormalType.get());
    AddCellType(m_poDropListType.get());
    AddCellType(m_poCheckBoxType.get());
    AddCellType(m_poArrowType.get());

    setFocusProxy(m_pArea);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(m_pPopupMenu, &QMenu::triggered, this, [this](QAction* action) {
        const int id = action->data().toInt();
        if (id >= kFirstPopupCommand) {
            OnPopupCommand(m_nPopupCol, m_nPopupRow, m_nPopupSection, id);
        }
    });
}

GridCtrl::~GridCtrl() {
    // Nothing is finished or chosen while the grid goes.
    SetMode(kEditing, false);
    delete m_pDropList;
    m_pDropList = nullptr;
    // The components call back into the grid as they go (the cell area loses the
    // focus), so they go while the grid is whole.
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

std::unique_ptr<GridSheet> GridCtrl::MakeSheet() {
    auto sheet = std::make_unique<GridSheet>(GridSystem::ButtonFaceColor(palette()),
                                             GridSystem::ScrollBarExtent(style()));
    sheet->GetMemDataSource().Attach(this, static_cast<int>(m_oSheets.size()));
    return sheet;
}

void GridCtrl::SetSheet(int index) {
    m_nCurrentSheet = index;
    m_pSheet = m_oSheets[static_cast<std::size_t>(index)].get();
}

// --- Creation and sheets -------------------------------------------------------------

int GridCtrl::CreateGrid(bool visible, const QRect& rect, QWidget* parent, int id) {
    if (parent != parentWidget()) {
        setParent(parent);
    }
    setGeometry(rect);
    setProperty("gridControlId", id);
    for (CellType* type : m_oCellTypes) {
        if (type) {
            type->OnSystemChange();
        }
    }
    LayoutComponents();
    setVisible(visible);
    OnGridCreated();
    OnSheetCreated(0);
    return 1;
}

int GridCtrl::SetSheetCount(int count) {
    if (count < 1 || count > kMaxSheets) {
        count = 1;
    }
    const int old = GetSheetCount();
    const int current = m_nCurrentSheet;
    if (current >= count) {
        SetSheet(0);
    }
    m_oSheets.resize(static_cast<std::size_t>(std::min(old, count)));
    for (int sheet = old; sheet < count; ++sheet) {
        m_oSheets.push_back(MakeSheet());
        SetSheet(sheet);
        OnSheetCreated(sheet);
    }
    SetSheet(std::min(current, count - 1));
    if (current >= count) {
        SelectSheet(count - 1, 1);
    }
    return kOk;
}

int GridCtrl::SelectSheet(int sheet, int notify) {
    if (sheet < 0 || sheet >= GetSheetCount()) {
        return kOutOfRange;
    }
    const bool wasEnabled = m_bUpdateEnabled;
    if (!notify) {
        EnableUpdate(0);
    }
    m_pArea->setFocus(Qt::OtherFocusReason);
    const int tabWidth = m_pSheet->TabStripWidth();
    SetSheet(sheet);
    m_pSheet->SetTabStripWidth(tabWidth);
    // Everything repaints: the view the sheet remembers is not what is on screen.
    m_pSheet->Columns().SetPrevFirst(-1);
    m_pSheet->Rows().SetPrevFirst(-1);
    LayoutComponents();
    if (!notify) {
        EnableUpdate(wasEnabled ? 1 : 0);
    }
    GridAccessible::TableChanged(this);
    return kOk;
}

// --- Size and layout -------------------------------------------------------------------

int GridCtrl::SetColumnCount(int count, int redraw) {
    if (count > GridSheet::kMaxColumns) {
        return kOutOfRange;
    }
    return SetCount(Qt::Horizontal, count, redraw);
}

int GridCtrl::SetCount(Qt::Orientation along, int count, int redraw) {
    if (count < 0) {
        return kOutOfRange;
    }
    GridSheet& s = *m_pSheet;
    const bool columns = along == Qt::Horizontal;
    if (columns) {
        s.ResizeColumns(count);
    } else {
        s.ResizeRows(count);
    }
    const int oldTop = s.Rows().First();
    LayoutComponents();
    // Owners hear of the top row a new row count moved; a new column count moves
    // the left column without a word.
    if (!columns && s.Rows().First() != oldTop) {
        OnTopRowChanged(oldTop, s.Rows().First());
    }
    if (s.Current(along) == -1 && count > 0) {
        if (s.Axis(columns ? Qt::Vertical : Qt::Horizontal).Count() > 0) {
            GotoCell(columns ? 0 : std::max(s.CurrentCol(), 0),
                     columns ? std::max(s.CurrentRow(), 0) : 0);
        } else {
            s.StartCurrent(along);
        }
    }
    GridAccessible::TableChanged(this);
    if (redraw) {
        RedrawAll();
    }
    return kOk;
}

int GridCtrl::SetColumnWidth(int col, int width) {
    if (col < 0) {
        return SetSideHeadingColumnWidth(col, width);
    }
    if (col >= m_pSheet->GetColumnCount()) {
        return kOutOfRange;
    }
    m_pSheet->Columns().SetSize(col, std::max(width, 0));
    return kOk;
}

int GridCtrl::GetColumnWidth(int col, int& width) {
    if (col < 0 || col >= m_pSheet->GetColumnCount()) {
        return kOutOfRange;
    }
    width = m_pSheet->Columns().Size(col);
    return kOk;
}

int GridCtrl::SetRowHeight(int row, int height) {
    m_pSheet->Rows().SetSize(row, std::max(height, 0));
    return kOk;
}

int GridCtrl::SetUniformRowHeight(int flag) {
    m_pSheet->Rows().SetUniform(flag != 0);
    LayoutComponents();
    return kOk;
}

int GridCtrl::SetHeadingTotal(Qt::Orientation along, int total) {
    if (total < 0 || total > kMaxHeadingSize) {
        return kOutOfRange;
    }
    m_pSheet->Axis(along).RescaleHeading(total);
    LayoutComponents();
    return kOk;
}

int GridCtrl::SetHeadingSize(Qt::Orientation along, int index, int size) {
    GridAxis& axis = m_pSheet->Axis(along);
    if (index >= 0 || index < -axis.HeadingCount()) {
        return kOutOfRange;
    }
    if (size < 0 || size > kMaxHeadingSize) {
        return kRefused;
    }
    const bool changed = axis.Size(index) != size;
    axis.SetHeadingSize(index, size);
    // A side heading of one column is as wide as that column; the top heading keeps
    // its height until it is set.
    if (changed && along == Qt::Horizontal && axis.HeadingCount() == 1) {
        SetSideHeadingWidth(size);
    }
    return kOk;
}

int GridCtrl::SetTopHeadingRowCount(int count) {
    if (count < 1 || count > kMaxHeadingSize) {
        return kOutOfRange;
    }
    m_pSheet->Rows().SetHeadingCount(count, GridSheet::kDefaultRowHeight);
    return kOk;
}

int GridCtrl::SetLocked(Qt::Orientation along, int count) {
    GridAxis& axis = m_pSheet->Axis(along);
    if (count < 0 || count > axis.Count()) {
        return kOutOfRange;
    }
    axis.SetLocked(count);
    axis.SetFirst(count);
    LayoutComponents();
    return kOk;
}

int GridCtrl::MoveColumn(int col, int position, int before) {
    GridSheet& s = *m_pSheet;
    const int count = s.GetColumnCount();
    if (col < 0 || col >= count || position < 0 || position > count ||
        (!before && position == count)) {
        return kOutOfRange;
    }
    // The index in front of which the column goes.
    const int target = before ? position : position + 1;
    if (target == col || target == col + 1) {
        return kOk;
    }
    s.MoveColumn(col, target);
    RedrawAll();
    return kOk;
}

int GridCtrl::FitColumns(int first, int last, int rows, int flags) {
    GridSheet& s = *m_pSheet;
    const int sideCount = s.Columns().HeadingCount();
    if (first < -sideCount) {
        return kOutOfRange;
    }
    if (last >= s.GetColumnCount()) {
        return kRefused;
    }
    if (last < first) {
        return kInconsistent;
    }
    const int areaWidth = s.AreaRect().width();
    const int widest = areaWidth > 0 ? areaWidth - s.VScrollWidth() : kFitWidthWithoutArea;
    // The rows measured: the heading rows when asked, the locked rows, then from the
    // top row on.
    std::vector<int> order;
    if (flags & 1) {
        for (int row = -s.Rows().HeadingCount(); row < 0; ++row) {
            order.push_back(row);
        }
    }
    for (int row = 0; row < s.Rows().Locked(); ++row) {
        order.push_back(row);
    }
    for (int row = std::max(s.Rows().First(), s.Rows().Locked()); row < s.GetRowCount(); ++row) {
        order.push_back(row);
    }
    if (rows > 0 && static_cast<int>(order.size()) > rows) {
        order.resize(static_cast<std::size_t>(rows));
    }
    int sideWidth = 0;
    bool anySide = false;
    for (int col = first; col <= last; ++col) {
        int measure = kLeastMeasure;
        for (int row : order) {
            GetCell(col, row, m_oCell);
            if (m_oCell.IsPropertySet(GridCell::kJoinSet)) {
                continue;
            }
            QSize size;
            GetCellType(m_oCell.GetCellType())
                ->GetBestSize(nullptr, CellOption(QRect(), 0, false), size, m_oCell);
            measure = std::max(measure, size.width());
        }
        const int width = std::min(measure + 2, widest);
        if (col < 0) {
            s.Columns().SetHeadingSize(col, width);
            sideWidth += width;
            anySide = true;
        } else {
            s.Columns().SetSize(col, width);
        }
    }
    if (anySide) {
        for (int col = -sideCount; col < std::min(first, 0); ++col) {
            sideWidth += s.Columns().Size(col);
        }
        for (int col = last + 1; col < 0; ++col) {
            sideWidth += s.Columns().Size(col);
        }
        SetSideHeadingWidth(std::min(sideWidth, kMaxHeadingSize));
    } else {
        LayoutComponents();
    }
    return kOk;
}

int GridCtrl::SetTabStripWidth(int width) {
    m_pSheet->SetTabStripWidth(width);
    LayoutComponents();
    return kOk;
}

void GridCtrl::LayoutComponents() {
    if (!m_pSheet || InMode(kInLayout)) {
        return;
    }
    SetMode(kInLayout, true);
    GridSheet& s = *m_pSheet;
    const int w = width();
    const int h = height();
    const int side = s.Columns().HeadingTotal();
    const int top = s.Rows().HeadingTotal();
    if (s.TabStripWidth() > 0 && s.TabStripWidth() > w - side - 20) {
        s.SetTabStripWidth(w - side - 20);
    }
    int tabWidth = s.TabStripWidth();
    const int vWidth = s.VScrollWidth();
    const int hHeight = s.HScrollHeight();

    const bool allColumns = s.Columns().Fits(w - side);
    const bool allRows = s.Rows().Fits(h - top);
    const bool columnsBesideBar = s.Columns().Fits(w - side - vWidth);
    const bool rowsAboveBar = s.Rows().Fits(h - top - hHeight);
    const bool hideV = allRows && ((allColumns && tabWidth == 0) || rowsAboveBar);
    const bool hideH = allColumns && tabWidth == 0 && (allRows || columnsBesideBar);
    if (columnsBesideBar && tabWidth > 0) {
        tabWidth = w - vWidth + 3;
    }
    const int vw = hideV ? 0 : vWidth;
    const int hh = hideH ? 0 : hHeight;

    QRect area(QPoint(side, top), QPoint(w - vw - 1, h - hh - 1));
    QRect topHeading(QPoint(side, 0), QPoint(w - vw - 1, top - 1));
    QRect sideHeading(QPoint(0, top), QPoint(side - 1, h - hh - 1));
    QRect corner(0, 0, side, top);
    QRect vScroll(QPoint(w - vw, 0), QPoint(w - 1, h - hh - 1));
    QRect tabStrip(QPoint(0, h - hh), QPoint(tabWidth - 1, h - 1));
    QRect hScroll(QPoint(tabWidth, h - hh), QPoint(w - vw - 1, h - 1));
    OnLayoutComponents(area, topHeading, sideHeading, corner, vScroll, hScroll, tabStrip);
    auto place = [](QWidget* widget, const QRect& rect) {
        widget->setGeometry(rect);
        widget->setVisible(rect.width() > 0 && rect.height() > 0);
    };
    if (InMode(kTabStripDragging)) {
        // Only the strip and the bar beside it follow the dragged edge.
        place(m_pSheetTabs, tabStrip);
        place(m_pHScroll, hScroll);
        SetMode(kInLayout, false);
        return;
    }
    s.SetAreaRect(area);

    place(m_pArea, area);
    place(m_pTopHeading, topHeading);
    place(m_pSideHeading, sideHeading);
    place(m_pCorner, corner);
    place(m_pVScroll, vScroll);
    place(m_pHScroll, hScroll);
    place(m_pSheetTabs, tabStrip);

    const int oldHighestTop = s.Rows().HighestFirst();
    for (GridAxis* axis : {&s.Columns(), &s.Rows()}) {
        axis->ComputeHighestFirst();
        axis->ClampView();
    }
    RedrawAll();
    s.Columns().SetPrevFirst(s.Columns().First());
    s.Rows().SetPrevFirst(s.Rows().First());
    UpdateScrollBars();
    SetMode(kInLayout, false);
    if ((oldHighestTop == 0) != (s.Rows().HighestFirst() == 0) && !InMode(kRelayout)) {
        // The vertical bar shows or hides, which changes the room for the rows; once
        // is enough, since the second pass sees the bar as it now is.
        SetMode(kRelayout, true);
        LayoutComponents();
        SetMode(kRelayout, false);
    }
}

void GridCtrl::resizeEvent(QResizeEvent*) {
    const bool enabled = updatesEnabled();
    setUpdatesEnabled(false);
    LayoutComponents();
    setUpdatesEnabled(enabled);
    update();
}

void GridCtrl::paintEvent(QPaintEvent* event) {
    // Only visible where no component covers the grid.
    QPainter painter(this);
    painter.fillRect(event->rect(), GridSystem::ButtonFaceColor(palette()));
}

void GridCtrl::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        for (CellType* type : m_oCellTypes) {
            if (type) {
                type->OnSystemChange();
            }
        }
        for (auto& sheet : m_oSheets) {
            sheet->SetHeadingBackColor(GridSystem::ButtonFaceColor(palette()));
        }
        RedrawAll();
    }
    QWidget::changeEvent(event);
}

// --- Cells and defaults ----------------------------------------------------------------

int GridCtrl::SetCell(int col, int row, const GridCell& cell) {
    GridCell stored(cell);
    OnStoreCell(col, row, stored);
    m_pSheet->DataSourceOf(col)->SetCell(m_pSheet->DataSourceCol(col), row, stored);
    return kOk;
}

int GridCtrl::ReadCell(int col, int row, GridCell& cell) {
    cell.ClearAll();
    if (col >= m_pSheet->GetColumnCount()) {
        return kOutOfRange;
    }
    return m_pSheet->DataSourceOf(col)->GetCell(m_pSheet->DataSourceCol(col), row, cell);
}

int GridCtrl::GetCellText(int col, int row, QString& text) {
    GridCell cell;
    const int answer = ReadCell(col, row, cell);
    text = cell.GetText();
    return answer == kOutOfRange ? kOutOfRange : kOk;
}

QString GridCtrl::GetCellText(int col, int row) {
    QString text;
    GetCellText(col, row, text);
    return text;
}

int GridCtrl::SetCellText(int col, int row, const QString& text) {
    GridCell cell;
    ReadCell(col, row, cell);
    cell.SetText(text);
    return SetCell(col, row, cell);
}

int GridCtrl::SetColumnDefault(int col, const GridCell& cell) {
    GridColumnInfo* info = m_pSheet->GetColumnInfo(col);
    if (!info) {
        return kOutOfRange;
    }
    info->m_oColDefault.CopyFrom(cell);
    return kOk;
}

int GridCtrl::SetGridDefault(const GridCell& cell) {
    m_pSheet->SetGridDefault(cell);
    return kOk;
}

int GridCtrl::GetGridDefault(GridCell& cell) const {
    cell.CopyFrom(m_pSheet->GridDefault());
    return kOk;
}

int GridCtrl::SetDefaultFont(const QFont& font) {
    m_pSheet->SetDefaultFont(font);
    m_pEdit->setFont(font);
    return kOk;
}

int GridCtrl::AddCellType(CellType* type) {
    if (!type) {
        return -1;
    }
    auto free = std::find(m_oCellTypes.begin(), m_oCellTypes.end(), nullptr);
    if (free == m_oCellTypes.end()) {
        m_oCellTypes.push_back(type);
        free = m_oCellTypes.end() - 1;
    } else {
        *free = type;
    }
    const int index = static_cast<int>(free - m_oCellTypes.begin());
    type->Attach(this, index);
    return index;
}

CellType* GridCtrl::GetCellType(int index) const {
    if (index >= 0 && index < static_cast<int>(m_oCellTypes.size()) &&
        m_oCellTypes[static_cast<std::size_t>(index)]) {
        return m_oCellTypes[static_cast<std::size_t>(index)];
    }
    return m_poNormalType.get();
}

int GridCtrl::SetColumnDataSource(int col, GridDataSource* source) {
    GridColumnInfo* info = m_pSheet->GetColumnInfo(col);
    if (!info) {
        return kOutOfRange;
    }
    info->m_pDataSource = source;
    if (source && !source->GetGrid()) {
        source->Attach(this, -1);
    }
    return kOk;
}

// --- Current cell and view ---------------------------------------------------------

int GridCtrl::GotoIndex(Qt::Orientation along, int index) {
    GridSheet& s = *m_pSheet;
    const bool columns = along == Qt::Horizontal;
    if (!columns && index >= s.GetRowCount()) {
        AskPastLastRow(index - s.GetRowCount() + 1);
    }
    const int count = s.Axis(along).Count();
    if (count == 0) {
        return kOutOfRange;
    }
    if (index >= count) {
        if (s.Moving(along) == count - 1) {
            return kOutOfRange;
        }
        index = count - 1;
    }
    index = std::max(index, 0);
    return MoveTo(columns ? index : s.MovingCol(), columns ? s.MovingRow() : index);
}

int GridCtrl::AskPastLastRow(int rowsBeyond) {
    GridSheet& s = *m_pSheet;
    const int count = s.GetRowCount();
    int newCount = count;
    const int answer = s.GetDefaultDataSource()->OnPastLastRow(count, rowsBeyond, newCount);
    if (answer == 0 && newCount > count) {
        SetRowCount(newCount);
    }
    OnPastLastRow(s.GetRowCount(), rowsBeyond, answer);
    return s.GetRowCount() - count;
}

int GridCtrl::MoveTo(int col, int row) {
    GridSheet& s = *m_pSheet;
    if (col < 0 || row < 0 || col >= s.GetColumnCount() || row >= s.GetRowCount()) {
        return kOutOfRange;
    }
    if (s.JoinsCells()) {
        int col2 = col;
        int row2 = row;
        GetJoinRange(col, row, col2, row2);
    }
    if (col == s.MovingCol() && row == s.MovingRow()) {
        // Keyboard and mouse still decide the selection of a cell moved onto again.
        return kOk;
    }
    if (s.DataSourceOf(col)->OnMoveQuery(s.MovingCol(), s.MovingRow(), col, row) != 1 ||
        !OnMoveQuery(s.MovingCol(), s.MovingRow(), col, row)) {
        return kRefused;
    }
    const int left = s.Columns().FirstShowing(col);
    const int top = s.Rows().FirstShowing(row);
    if ((left != s.Columns().First() || top != s.Rows().First()) &&
        !OnScrollQuery(s.Columns().First(), col, s.Rows().First(), row)) {
        return kRefused;
    }
    const QRect oldSelection = s.Selection().BoundingBox();
    const int oldCol = s.CurrentCol();
    const int oldRow = s.CurrentRow();
    s.SetMovingCell(col, row);
    s.Columns().SetFirst(left);
    s.Rows().SetFirst(top);
    UpdateSelectionAfterMove(col, row);
    Notify();
    UpdateAfterMove(oldCol, oldRow, oldSelection);
    return kOk;
}

void GridCtrl::UpdateSelectionAfterMove(int col, int row) {
    GridSheet& s = *m_pSheet;
    if (!s.IsMultiSelect() || IsEditing() || s.MoveCause() == GridSheet::kMoveHeading) {
        s.SetCurrentCell(col, row);
        return;
    }
    GridSelection& selection = s.Selection();
    const bool shift = s.MoveModifiers() & Qt::ShiftModifier;
    const bool ctrl = s.MoveModifiers() & Qt::ControlModifier;
    switch (s.MoveCause()) {
    case GridSheet::kMoveRightButton:
        if (selection.Lookup(col, row) < 0) {
            selection.Clear();
            selection.AddBlock(col, row);
        }
        break;
    case GridSheet::kMoveDrag:
        selection.ExtendCurrent(col, row);
        break;
    default:
        if (shift) {
            if (selection.IsEmpty() && s.HasCurrentCell()) {
                selection.AddBlock(s.CurrentCol(), s.CurrentRow());
            }
            selection.ExtendCurrent(col, row);
        } else if (ctrl) {
            selection.AddBlock(col, row);
        } else {
            selection.Clear();
            selection.AddBlock(col, row);
        }
        break;
    }
    const GridSelection::Block* block = selection.GetCurrentBlock();
    s.SetCurrentCell(block->m_nAnchorCol, block->m_nAnchorRow);
}

void GridCtrl::Notify() {
    GridSheet& s = *m_pSheet;
    GridDataSource* source = s.GetDefaultDataSource();
    const int oldCol = s.HeardCol();
    const int oldRow = s.HeardRow();
    const int col = s.CurrentCol();
    const int row = s.CurrentRow();
    const bool colChanged = col != oldCol;
    const bool rowChanged = row != oldRow;
    if (colChanged) {
        source->OnCurrentColumnChanged(oldCol, col);
        OnCurrentColumnChanged(oldCol, col);
    }
    if (rowChanged) {
        source->OnCurrentRowChanged(oldRow, row);
        OnCurrentRowChanged(oldRow, row);
    }
    s.MarkCurrentHeard();
    if (colChanged || rowChanged) {
        OnCurrentCellChanged(oldCol, col, oldRow, row);
    }
    const bool scrolled =
        s.Columns().First() != s.Columns().PrevFirst() || s.Rows().First() != s.Rows().PrevFirst();
    if (s.Columns().First() != s.Columns().PrevFirst()) {
        OnLeftColumnChanged(s.Columns().PrevFirst(), s.Columns().First());
    }
    if (s.Rows().First() != s.Rows().PrevFirst()) {
        OnTopRowChanged(s.Rows().PrevFirst(), s.Rows().First());
    }
    if (colChanged || rowChanged) {
        if (oldCol >= 0 && oldRow >= 0) {
            GetCell(oldCol, oldRow, m_oCell);
            GetCellType(m_oCell.GetCellType())->OnCellLeft(oldCol, oldRow, m_oCell);
        }
        GetCell(col, row, m_oCell);
        GetCellType(m_oCell.GetCellType())->OnCellEntered(col, row, m_oCell);
        emit currentCellChanged(col, row);
        GridAccessible::CurrentCellChanged(this);
    } else if (scrolled && col >= 0 && row >= 0) {
        GetCell(col, row, m_oCell);
        GetCellType(m_oCell.GetCellType())->OnScrolled(col, row, m_oCell);
    }
}

void GridCtrl::UpdateAfterMove(int oldCol, int oldRow, const QRect& oldSelection) {
    GridSheet& s = *m_pSheet;
    if (m_bUpdateEnabled && m_pArea->isVisible()) {
        const int dx = s.Columns().Shift();
        const int dy = s.Rows().Shift();
        const int w = m_pArea->width();
        const int h = m_pArea->height();
        const int scrollWidth = w - s.Columns().LockedExtent();
        const int scrollHeight = h - s.Rows().LockedExtent();
        if (std::abs(dx) >= scrollWidth || std::abs(dy) >= scrollHeight) {
            m_pArea->update();
            m_pTopHeading->update();
            m_pSideHeading->update();
        } else {
            // Only the uncovered strips are painted afresh; the locked columns and
            // rows stay where they are.
            if (dx != 0) {
                m_pArea->scroll(dx, 0, QRect(s.Columns().LockedExtent(), 0, scrollWidth, h));
                m_pTopHeading->scroll(
                    dx, 0,
                    QRect(s.Columns().LockedExtent(), 0, scrollWidth, m_pTopHeading->height()));
            }
            if (dy != 0) {
                m_pArea->scroll(0, dy, QRect(0, s.Rows().LockedExtent(), w, scrollHeight));
                m_pSideHeading->scroll(
                    0, dy,
                    QRect(0, s.Rows().LockedExtent(), m_pSideHeading->width(), scrollHeight));
            }
            m_pArea->update(CurrentMarkRect(oldCol, oldRow));
            m_pArea->update(CurrentMarkRect(s.CurrentCol(), s.CurrentRow()));
            const QRect newSelection = s.Selection().BoundingBox();
            if (newSelection != oldSelection) {
                RedrawSelection(oldSelection);
                RedrawSelection(newSelection);
            }
        }
    }
    s.Columns().SetPrevFirst(s.Columns().First());
    s.Rows().SetPrevFirst(s.Rows().First());
    UpdateScrollBars();
}

void GridCtrl::UpdateScrollBars() {
    // Whether a bar shows is the layout's to say (it runs again when the highest top
    // row comes to or leaves 0); here the bars only follow the view.
    m_pVScroll->UpdateBar();
    m_pHScroll->UpdateBar();
}

QRect GridCtrl::CurrentMarkRect(int col, int row) {
    if (col < 0 || row < 0) {
        return {};
    }
    if (m_pSheet->IsRowHighlight()) {
        const int y = m_pSheet->Rows().Position(row);
        return y < 0 ? QRect() : QRect(0, y, m_pArea->width(), m_pSheet->Rows().Size(row));
    }
    return GetCellRect(col, row);
}

void GridCtrl::RedrawSelection(const QRect& cells) {
    if (!cells.isNull()) {
        m_pArea->update(AreaRectOfCells(cells));
    }
}

int GridCtrl::MoveCurrent(Qt::Orientation along, int kind) {
    const GridSheet& s = *m_pSheet;
    const int index = s.Moving(along);
    const GridAxis& axis = s.Axis(along);
    switch (kind) {
    case kBackOne:
        return GotoIndex(along, index - 1);
    case kForwardOne:
        return GotoIndex(along, index + 1);
    case kPageBack:
        return GotoIndex(along, index - axis.Page(index, -1));
    case kPageForward:
        return GotoIndex(along, index + axis.Page(index, 1));
    case kFirst:
        return GotoIndex(along, 0);
    case kLast:
        return GotoIndex(along, axis.Count() - 1);
    default:
        return kOutOfRange;
    }
}

int GridCtrl::SetFirst(Qt::Orientation along, int index) {
    GridSheet& s = *m_pSheet;
    GridAxis& axis = s.Axis(along);
    index = axis.ClampFirst(index);
    if (index == axis.First()) {
        return kOk;
    }
    const int left = s.Columns().First();
    const int top = s.Rows().First();
    const bool columns = along == Qt::Horizontal;
    if (!OnScrollQuery(left, top, columns ? index : left, columns ? top : index)) {
        return kRefused;
    }
    const QRect selection = s.Selection().BoundingBox();
    axis.SetFirst(index);
    Notify();
    UpdateAfterMove(s.CurrentCol(), s.CurrentRow(), selection);
    return kOk;
}

int GridCtrl::ClearSelection() {
    GridSheet& s = *m_pSheet;
    RedrawSelection(s.Selection().BoundingBox());
    s.Selection().Clear();
    s.SetMovingCell(s.CurrentCol(), s.CurrentRow());
    GridAccessible::SelectionChanged(this);
    return kOk;
}

int GridCtrl::SelectRange(int startCol, int startRow, int endCol, int endRow) {
    GridSheet& s = *m_pSheet;
    if (s.IsMultiSelect()) {
        s.Selection().AddBlock(startCol, startRow);
        s.Selection().ExtendCurrent(endCol, endRow);
        RedrawSelection(s.Selection().GetCurrentBlock()->Cells());
        GridAccessible::SelectionChanged(this);
    }
    s.SetMovingCell(endCol, endRow);
    return kOk;
}

int GridCtrl::SetMultiSelect(int flag) {
    RedrawSelection(m_pSheet->Selection().BoundingBox());
    m_pSheet->SetMultiSelect(flag != 0);
    return kOk;
}

int GridCtrl::SetRowHighlight(int flag) {
    RedrawSelection(m_pSheet->Selection().BoundingBox());
    m_pSheet->SetRowHighlight(flag != 0);
    RedrawAll();
    return kOk;
}

int GridCtrl::IsSelected(int col, int row) const {
    const GridSheet& s = *m_pSheet;
    if (!s.IsMultiSelect()) {
        return 0;
    }
    return s.Selection().Lookup(col, row) + 1;
}

// --- Editing -----------------------------------------------------------------------

int GridCtrl::StartEdit(int col, int row, int ch) {
    return m_oEditSession.Start(col, row, ch);
}

QWidget* GridCtrl::ComponentFor(int col, int row) const {
    if (row < 0) {
        return m_pTopHeading;
    }
    return col < 0 ? static_cast<QWidget*>(m_pSideHeading) : m_pArea;
}

QRect GridCtrl::CellRectIn(QWidget* component, int col, int row) {
    if (component == m_pTopHeading) {
        return m_pTopHeading->CellRect(col, row);
    }
    if (component == m_pSideHeading) {
        return m_pSideHeading->CellRect(col, row);
    }
    return GetCellRect(col, row);
}

QRect GridCtrl::CellRectAt(QWidget* component, const QPoint& point) {
    int col = -1;
    int row = -1;
    QRect rect;
    if (component == m_pArea) {
        return HitTest(point, col, row, &rect) ? rect : QRect();
    }
    if (auto* heading = qobject_cast<GridHeading*>(component)) {
        return heading->HitTest(point, col, row, &rect) ? rect : QRect();
    }
    return {};
}

QString GridCtrl::CellName(int col, int row) {
    const QString column = col >= 0 ? GetCellText(col, -1).trimmed() : QString();
    const QString line = row >= 0 ? GetCellText(-1, row).trimmed() : QString();
    QStringList parts;
    if (col >= 0) {
        parts << (column.isEmpty() ? QStringLiteral("Column %1").arg(col + 1) : column);
    }
    if (row >= 0) {
        parts << (line.isEmpty() ? QStringLiteral("Row %1").arg(row + 1) : line);
    }
    return parts.join(QStringLiteral(", "));
}

// --- Headings, scroll bars, hints and tabs --------------------------------------------

int GridCtrl::AddSheetTab(const QString& name, int id) {
    return m_pSheetTabs->AddTab(name, id);
}

void GridCtrl::SetTabStripDragging(bool dragging) {
    SetMode(kTabStripDragging, dragging);
}

void GridCtrl::HeadingSelectStart(Qt::Orientation along, int index,
                                  Qt::KeyboardModifiers modifiers) {
    GridSheet& s = *m_pSheet;
    if (!s.IsMultiSelect() || s.GetColumnCount() == 0 || s.GetRowCount() == 0 || index < 0) {
        return;
    }
    const bool columns = along == Qt::Horizontal;
    const int lastCol = s.GetColumnCount() - 1;
    const int lastRow = s.GetRowCount() - 1;
    GridSelection& selection = s.Selection();
    const QRect old = selection.BoundingBox();
    if (modifiers & Qt::ShiftModifier) {
        // From the current block's anchor column (row) to this one.
        const GridSelection::Block* block = selection.GetCurrentBlock();
        if (columns) {
            selection.AddBlock(block ? block->m_nAnchorCol : std::max(s.CurrentCol(), 0), 0);
            selection.ExtendCurrent(index, lastRow);
        } else {
            selection.AddBlock(0, block ? block->m_nAnchorRow : std::max(s.CurrentRow(), 0));
            selection.ExtendCurrent(lastCol, index);
        }
    } else {
        const int col = columns ? index : 0;
        const int row = columns ? 0 : index;
        s.SetMoveCause(GridSheet::kMoveHeading, modifiers);
        if (MoveTo(col, row) != kOk) {
            return;
        }
        if (s.CurrentCol() != col || s.CurrentRow() != row) {
            // The moving end stood there already, but the current cell did not.
            const int oldCol = s.CurrentCol();
            const int oldRow = s.CurrentRow();
            s.SetCurrentCell(col, row);
            Notify();
            UpdateAfterMove(oldCol, oldRow, old);
        }
        if (!(modifiers & Qt::ControlModifier)) {
            selection.Clear();
        }
        selection.AddBlock(col, row);
        selection.ExtendCurrent(columns ? col : lastCol, columns ? lastRow : row);
    }
    RedrawSelection(old);
    RedrawSelection(selection.BoundingBox());
    GridAccessible::SelectionChanged(this);
}

void GridCtrl::HeadingSelectExtend(Qt::Orientation along, int index) {
    GridSheet& s = *m_pSheet;
    if (!s.IsMultiSelect() || s.Selection().IsEmpty() || index < 0) {
        return;
    }
    const QRect old = s.Selection().BoundingBox();
    if (along == Qt::Horizontal) {
        s.Selection().ExtendCurrent(index, s.GetRowCount() - 1);
    } else {
        s.Selection().ExtendCurrent(s.GetColumnCount() - 1, index);
    }
    RedrawSelection(old);
    RedrawSelection(s.Selection().BoundingBox());
    GridAccessible::SelectionChanged(this);
}

void GridCtrl::HeadingSelectEnd(Qt::Orientation along, int index) {
    GridSheet& s = *m_pSheet;
    if (!s.IsMultiSelect() || s.Selection().IsEmpty() || index < 0) {
        return;
    }
    if (along == Qt::Horizontal) {
        s.SetMovingCell(index, s.GetRowCount() - 1);
    } else {
        s.SetMovingCell(s.GetColumnCount() - 1, index);
    }
}

// --- Drawing and misc --------------------------------------------------------------

int GridCtrl::EnableUpdate(int flag) {
    m_bUpdateEnabled = flag != 0;
    // The components that show cells; enabling them again repaints them, as
    // RedrawAll does. The scroll bars repaint themselves when their range or
    // position changes, so that turning painting back on need not repaint them and
    // the frame around them too.
    for (QWidget* component : std::initializer_list<QWidget*>{
             m_pArea, m_pTopHeading, m_pSideHeading, m_pCorner, m_pSheetTabs}) {
        component->setUpdatesEnabled(m_bUpdateEnabled);
    }
    if (m_bUpdateEnabled) {
        m_pSheet->Columns().SetPrevFirst(m_pSheet->Columns().First());
        m_pSheet->Rows().SetPrevFirst(m_pSheet->Rows().First());
    }
    return kOk;
}

int GridCtrl::RedrawAll() {
    if (m_bUpdateEnabled) {
        // The grid's own background shows only where no component lies, and Qt
        // paints what a change of the layout uncovers; repainting the grid itself
        // would paint every component twice over. The scroll bars repaint
        // themselves whenever their range or position changes.
        for (QWidget* component : std::initializer_list<QWidget*>{
                 m_pArea, m_pTopHeading, m_pSideHeading, m_pCorner, m_pSheetTabs}) {
            component->update();
        }
    }
    return kOk;
}

int GridCtrl::RedrawCell(int col, int row) {
    if (col < 0) {
        m_pSideHeading->update();
    } else if (row < 0) {
        m_pTopHeading->update();
    } else {
        m_pArea->update(m_pSheet->IsRowHighlight() && row == m_pSheet->CurrentRow()
                            ? CurrentMarkRect(col, row)
                            : GetCellRect(col, row));
    }
    return kOk;
}

int GridCtrl::RedrawRange(int startCol, int startRow, int endCol, int endRow) {
    RedrawSelection(QRect(QPoint(std::min(startCol, endCol), std::min(startRow, endRow)),
                          QPoint(std::max(startCol, endCol), std::max(startRow, endRow))));
    return kOk;
}

int GridCtrl::SetToolTipsEnabled(int flag) {
    m_pSheet->SetToolTipsEnabled(flag != 0);
    // A tip follows the pointer from cell to cell, so the area hears every move.
    m_pArea->setMouseTracking(m_pSheet->IsToolTipsEnabled());
    if (!m_pSheet->IsToolTipsEnabled()) {
        QToolTip::hideText();
    }
    return kOk;
}

void GridCtrl::Wheel(QWheelEvent* event, Qt::Orientation orientation) {
    event->accept();
    // The editor and a dropped list stay where they are, over their cell, so the
    // view stays too.
    if (IsEditing() || m_pDropList->IsOpen()) {
        return;
    }
    const QPoint delta = event->angleDelta();
    const bool columns = orientation == Qt::Horizontal ||
                         (event->modifiers() & Qt::ShiftModifier) ||
                         (delta.x() != 0 && delta.y() == 0);
    int& remainder = columns ? m_nWheelCols : m_nWheelRows;
    remainder += columns && delta.x() != 0 ? delta.x() : delta.y();
    const int steps = remainder / QWheelEvent::DefaultDeltasPerStep;
    remainder -= steps * QWheelEvent::DefaultDeltasPerStep;
    if (steps == 0) {
        return;
    }
    GridSheet& s = *m_pSheet;
    s.SetMoveCause(GridSheet::kMoveScrollBar);
    if (columns) {
        SetLeftColumn(s.Columns().First() - steps);
    } else {
        SetTopRow(s.Rows().First() - steps * QApplication::wheelScrollLines());
    }
}

int GridCtrl::SetBallistics(double factor, int delay) {
    if (factor < 0 || delay < 0) {
        return kOutOfRange;
    }
    m_pSheet->SetBallistics(factor, delay);
    return kOk;
}

int GridCtrl::CopyToClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    return kOk;
}

int GridCtrl::PasteFromClipboard(QString& text) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) {
        return kOutOfRange;
    }
    text = data->text();
    return kOk;
}

int GridCtrl::SortBy(int col, int flags) {
    const GridSheet& s = *m_pSheet;
    if (col < 0 || col >= s.GetColumnCount()) {
        return kOutOfRange;
    }
    // The open editor belongs to a cell whose row would move away from it.
    if (IsEditing()) {
        return kRefused;
    }
    if (s.DataSourceOf(col)->SortByColumn(s.DataSourceCol(col), flags) != 0) {
        return kRefused;
    }
    RedrawAll();
    return kOk;
}

// --- Find and replace ------------------------------------------------------------------

int GridCtrl::OpenFindDialog(bool replace) {
    const bool opening = !m_oFind.Dialog();
    m_oFind.Open(replace);
    if (opening) {
        // The current cell shows its marker while the window is open.
        m_pArea->update(CurrentMarkRect(m_pSheet->CurrentCol(), m_pSheet->CurrentRow()));
    }
    return kOk;
}

int GridCtrl::SetFindAcross(int flag) {
    m_oFind.SetAcross(flag != 0);
    return kOk;
}

void GridCtrl::ShowMessage(const QString& text, const QString& caption) {
    QWidget* over = m_oFind.Dialog() ? static_cast<QWidget*>(m_oFind.Dialog()) : this;
    QMessageBox::information(over, caption, text, QMessageBox::Ok);
}

// --- Geometry ------------------------------------------------------------------------

QRect GridCtrl::GetCellRect(int col, int row) {
    GridSheet& s = *m_pSheet;
    const int x = s.Columns().Position(col);
    const int y = s.Rows().Position(row);
    if (x < 0 || y < 0) {
        return {};
    }
    QRect rect(x, y, s.Columns().Size(col), s.Rows().Size(row));
    if (s.JoinsCells()) {
        int col1 = col;
        int row1 = row;
        int col2 = col;
        int row2 = row;
        if (GetJoinRange(col1, row1, col2, row2) == 0) {
            rect = QRect(x - s.Columns().Sum(col1, col), y - s.Rows().Sum(row1, row),
                         s.Columns().Sum(col1, col2 + 1), s.Rows().Sum(row1, row2 + 1));
        }
    }
    return rect;
}

QRect GridCtrl::AreaRectOfCells(const QRect& cells) const {
    // The shown part of a block of cells, as one rectangle of the cell area.
    const GridSheet& s = *m_pSheet;
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    if (!s.Columns().ShownExtent(cells.left(), cells.right(), left, right) ||
        !s.Rows().ShownExtent(cells.top(), cells.bottom(), top, bottom)) {
        return {};
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

bool GridCtrl::HitTest(const QPoint& point, int& col, int& row, QRect* rect) {
    const GridSheet& s = *m_pSheet;
    if (point.x() < 0 || point.y() < 0 || point.x() >= s.AreaRect().width() ||
        point.y() >= s.AreaRect().height()) {
        return false;
    }
    col = s.Columns().IndexAt(point.x());
    row = s.Rows().IndexAt(point.y());
    if (col < 0 || row < 0) {
        return false;
    }
    if (s.JoinsCells()) {
        int col2 = col;
        int row2 = row;
        GetJoinRange(col, row, col2, row2);
    }
    if (rect) {
        *rect = GetCellRect(col, row);
    }
    return true;
}

GridCellOption GridCtrl::CellOption(const QRect& rect, int selected, bool current) const {
    GridCellOption option;
    option.rect = rect;
    option.palette = palette();
    option.font = GetDefaultFont();
    option.selected = selected;
    option.current = current;
    option.hasFocus = m_pArea->hasFocus();
    option.modifiers = m_pSheet->MoveModifiers();
    return option;
}

void GridCtrl::OpenPopup(int col, int row, int section, const QPoint& globalPos) {
    m_nPopupCol = col;
    m_nPopupRow = row;
    m_nPopupSection = section;
    if (!m_pPopupMenu->isEmpty()) {
        m_pPopupMenu->popup(globalPos);
    }
}

// --- The grid's face towards cells and data sources ------------------------------------

int GridCtrl::GetJoinRange(int& col, int& row, int& col2, int& row2) {
    GridCell cell;
    GetCell(col, row, cell);
    bool origin = false;
    int joinCol = -1;
    int joinRow = -1;
    if (!cell.GetJoinInfo(origin, joinCol, joinRow)) {
        return 1;
    }
    // The first cell of a block names its last cell; every other cell names the
    // first.
    if (origin) {
        col2 = joinCol;
        row2 = joinRow;
        return col2 >= col && row2 >= row ? 0 : 1;
    }
    GridCell first;
    GetCell(joinCol, joinRow, first);
    bool firstOrigin = false;
    int lastCol = -1;
    int lastRow = -1;
    if (!first.GetJoinInfo(firstOrigin, lastCol, lastRow) || !firstOrigin || lastCol < col ||
        lastRow < row || joinCol > col || joinRow > row) {
        return 1;
    }
    col = joinCol;
    row = joinRow;
    col2 = lastCol;
    row2 = lastRow;
    return 0;
}

void GridCtrl::CloseDropList() {
    m_pDropList->Close();
}

// --- Notification hooks: the defaults ------------------------------------------------

void GridCtrl::OnFocusGained(int) {}
void GridCtrl::OnGridCreated() {}
void GridCtrl::OnSheetCreated(int) {}
int GridCtrl::OnMoveQuery(int, int, int, int) {
    return 1;
}
int GridCtrl::OnScrollQuery(int, int, int, int) {
    return 1;
}
void GridCtrl::OnPastLastRow(int, int, int) {}
int GridCtrl::OnColumnResizeQuery(int, int&) {
    return 1;
}
void GridCtrl::OnColumnResizing(int, int&) {}
void GridCtrl::OnColumnResized(int, int&) {}
int GridCtrl::OnRowResizeQuery(int, int&) {
    return 1;
}
void GridCtrl::OnRowResizing(int, int&) {}
void GridCtrl::OnRowResized(int, int&) {}
int GridCtrl::OnTopHeadingResizeQuery() {
    return 1;
}
int GridCtrl::OnSideHeadingResizeQuery() {
    return 1;
}
void GridCtrl::OnTopHeadingResizing(int&) {}
void GridCtrl::OnSideHeadingResizing(int&) {}
void GridCtrl::OnTopHeadingResized(int&) {}
void GridCtrl::OnSideHeadingResized(int&) {}
void GridCtrl::OnCurrentColumnChanged(int, int) {}
void GridCtrl::OnCurrentRowChanged(int, int) {}
void GridCtrl::OnCurrentCellChanged(int, int, int, int) {}
void GridCtrl::OnLeftColumnChanged(int, int) {}
void GridCtrl::OnTopRowChanged(int, int) {}
void GridCtrl::OnCellLeftClick(int, int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnCellRightClick(int, int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnCellDoubleClick(int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnCellMouseMove(int, int, const QPoint&, Qt::MouseButtons, int) {}
void GridCtrl::OnTopHeadingLeftClick(int, int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnTopHeadingRightClick(int, int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnTopHeadingDoubleClick(int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnSideHeadingLeftClick(int, int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnSideHeadingRightClick(int, int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnSideHeadingDoubleClick(int, int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnCornerLeftClick(int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnCornerRightClick(int, const QRect&, const QPoint&, int) {}
void GridCtrl::OnCornerDoubleClick(const QRect&, const QPoint&, int) {}
void GridCtrl::OnGridKeyDown(int&, int) {}
void GridCtrl::OnGridKeyUp(int&, int) {}
void GridCtrl::OnGridChar(int&, int) {}
void GridCtrl::OnFetchCell(int, int, GridCell&) {}
void GridCtrl::OnStoreCell(int, int, GridCell&) {}
int GridCtrl::OnCellTypeEvent(int, int, int, int, std::intptr_t) {
    return 1;
}
int GridCtrl::OnBeginEdit(int, int, QWidget*&) {
    return 1;
}
int GridCtrl::OnEditKey(int, int, QWidget*, int&) {
    return 1;
}
int GridCtrl::OnEndEdit(int, int, QWidget*, const QString&, bool) {
    return 1;
}
int GridCtrl::OnEditMoveQuery(int, int, int&, int&) {
    return 1;
}
void GridCtrl::OnPopupCommand(int, int, int, int) {}
int GridCtrl::OnPopupQuery(int, int, int) {
    return 1;
}
int GridCtrl::OnHelpQuery(int, int, int) {
    return 0;
}
int GridCtrl::OnCellHint(int col, int row, int, QString& text) {
    text = QString::asprintf("Col:%d Row:%ld", col, static_cast<long>(row));
    return 1;
}
int GridCtrl::OnRowScrollHint(int, QString&) {
    return 1;
}
int GridCtrl::OnColumnScrollHint(int, QString&) {
    return 1;
}

int GridCtrl::OnSortCompare(const GridCell* a, const GridCell* b, int flags) {
    if (flags & 2) {
        std::swap(a, b);
    }
    if (!a) {
        return b ? -1 : 0;
    }
    if (!b) {
        return 1;
    }
    if (a->GetTextLength() == 0) {
        return b->GetTextLength() > 0 ? -1 : 0;
    }
    // A cell without text comes before every cell with text, also among numbers,
    // where its value would read as 0: otherwise the order of the two would depend
    // on which of them is asked about first.
    if (b->GetTextLength() == 0) {
        return 1;
    }
    // Numbers (2), and the two other numeric types an owner may give its cells.
    const int type = a->GetDataType();
    if (type == GridCell::kDataNumber || type == 3 || type == 5) {
        // "nan" is no number a user means: it counts as 0, like any other word.
        auto number = [](const GridCell* cell) {
            const double value = cell->GetNumber();
            return std::isnan(value) ? 0.0 : value;
        };
        const double x = number(a);
        const double y = number(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int result = QString::compare(a->GetText(), b->GetText(), Qt::CaseSensitive);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

void GridCtrl::OnPaintSetup(QPainter&, QPaintDevice*, int) {}
void GridCtrl::OnLayoutComponents(QRect&, QRect&, QRect&, QRect&, QRect&, QRect&, QRect&) {}
void GridCtrl::OnSheetTabSelected(int) {}

QColor GridCtrl::OnDefaultBackColor(int section) {
    return section == kSectionArea ? GridSystem::WindowColor(palette())
                                   : GridSystem::ButtonFaceColor(palette());
}

void GridCtrl::OnDrawFocus(QPainter& painter, const QRect& rect) {
    const GridSheet& s = *m_pSheet;
    if (s.HasCurrentCell()) {
        GetCell(s.CurrentCol(), s.CurrentRow(), m_oCell);
        GridCellOption option = CellOption(rect, 0, true);
        if (GetCellType(m_oCell.GetCellType())->OnDrawFocusRect(painter, option)) {
            return;
        }
    }
    // A dotted rectangle, one pixel inside the right and bottom edges.
    painter.save();
    QPen pen(GridSystem::WindowTextColor(palette()), 0, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(rect.x(), rect.y(), rect.width() - 2, rect.height() - 2));
    painter.restore();
}

void GridCtrl::OnFocusLost(int) {}
int GridCtrl::OnColumnMoveStart(int) {
    return 1;
}
int GridCtrl::OnColumnMoveQuery(int, int) {
    return 1;
}
