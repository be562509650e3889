#include "grid/GridDataSource.h"

namespace {
constexpr int kNotSupported = -1;
constexpr int kAllow = 1;
} // namespace

int GridDataSource::Open(const QString&, const QString&) {
    return kNotSupported;
}
int GridDataSource::SetPassword(const QString&, const QString&) {
    return kNotSupported;
}
int GridDataSource::Close() {
    return kNotSupported;
}
int GridDataSource::Save() {
    return kNotSupported;
}
int GridDataSource::SaveAs(const QString&) {
    return kNotSupported;
}
int GridDataSource::GetRowCount(int&) {
    return kNotSupported;
}
int GridDataSource::GetColumnCount(int&) {
    return kNotSupported;
}
int GridDataSource::GetColumnName(int, QString&) {
    return kNotSupported;
}
int GridDataSource::SetColumnName(int, const QString&) {
    return kNotSupported;
}
int GridDataSource::GetColumnType(int, int&) {
    return kNotSupported;
}
int GridDataSource::GetColumnFromName(const QString&, int&) {
    return kNotSupported;
}

int GridDataSource::AppendRow() {
    return kNotSupported;
}
int GridDataSource::InsertRow(int) {
    return kNotSupported;
}
int GridDataSource::AppendColumn() {
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

int GridDataSource::FindFirst(const QString&, int&, int&, int) {
    return kNotSupported;
}
int GridDataSource::FindNext(const QString&, int&, int&, int) {
    return kNotSupported;
}
int GridDataSource::SortByColumns(const int*, int, int) {
    return kNotSupported;
}
int GridDataSource::SortByColumn(int, int) {
    return kNotSupported;
}

int GridDataSource::SetOption(int, long, long) {
    return kNotSupported;
}
int GridDataSource::GetOption(int, long&, long&) {
    return kNotSupported;
}
int GridDataSource::Requery() {
    return kNotSupported;
}

int GridDataSource::OnPastLastRow(int, int, int&) {
    return kNotSupported;
}
void GridDataSource::OnCurrentRowChanged(int, int) {}
void GridDataSource::OnCurrentColumnChanged(int, int) {}
int GridDataSource::OnMoveQuery(int, int, int, int) {
    return kAllow;
}
int GridDataSource::OnViewMoveQuery(int, int, int, int) {
    return kNotSupported;
}
int GridDataSource::OnLeftColumnChanged(int, int) {
    return kNotSupported;
}
int GridDataSource::OnTopRowChanged(int, int) {
    return kNotSupported;
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
