#include "grid/GridDataSource.h"

#include "grid/GridFind.h"

namespace {
constexpr int kNotSupported = -1;
constexpr int kAllow = 1;
} // namespace

int GridDataSource::InsertRow(int) {
    return kNotSupported;
}
int GridDataSource::InsertColumn(int) {
    return kNotSupported;
}
int GridDataSource::DeleteRow(int) {
    return kNotSupported;
}
int GridDataSource::DeleteColumn(int) {
    return kNotSupported;
}
int GridDataSource::DeleteCell(int, int) {
    return kNotSupported;
}
int GridDataSource::DeleteAll() {
    return kNotSupported;
}

int GridDataSource::GetCell(int, int, GridCell&) {
    return kNotSupported;
}
int GridDataSource::SetCell(int, int, const GridCell&) {
    return kNotSupported;
}

int GridDataSource::FindFirst(const QString& text, int& col, int& row, int flags) {
    if (flags & GridFind::kAlongRows) {
        col = -1;
        row = 0;
    } else {
        row = -1;
    }
    return FindNext(text, col, row, flags);
}
int GridDataSource::FindNext(const QString&, int&, int&, int) {
    return kNotSupported;
}

int GridDataSource::SortByColumns(const int*, int, int) {
    return kNotSupported;
}
int GridDataSource::SortByColumn(int col, int flags) {
    return SortByColumns(&col, 1, flags);
}

int GridDataSource::OnPastLastRow(int, int, int&) {
    return kNotSupported;
}
void GridDataSource::OnCurrentRowChanged(int, int) {}
void GridDataSource::OnCurrentColumnChanged(int, int) {}
int GridDataSource::OnMoveQuery(int, int, int, int) {
    return kAllow;
}

int GridDataSource::OnEditStart(int, int, QWidget*&) {
    return kAllow;
}
int GridDataSource::OnEditKey(int, int, QWidget*, int&) {
    return kAllow;
}
int GridDataSource::OnEditFinish(int, int, QWidget*, const QString&, bool) {
    return kAllow;
}
int GridDataSource::OnEditContinue(int, int, int&, int&) {
    return kAllow;
}

int GridDataSource::GetPrevNonEmptyCell(int&, int) {
    return kNotSupported;
}
