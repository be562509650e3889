#include "grid/GridCell.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <new>

#include "grid/GridCellFormat.h"
#include "grid/GridSystem.h"

namespace {

unsigned char* AllocateBlock(std::size_t size) {
    return new (std::nothrow) unsigned char[size];
}

GridCell::ExtraDataAllocator g_pfnAllocExtra = &AllocateBlock;

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text as ASCII bytes past its leading blanks; the number readers need only the
// digits, signs, points and exponents, which Latin-1 keeps as they are.
QByteArray LeadingBytes(const QString& text) {
    QByteArray bytes = text.toLatin1();
    qsizetype start = 0;
    while (start < bytes.size() && IsBlank(bytes[start])) {
        ++start;
    }
    return bytes.mid(start);
}

} // namespace

GridCell::GridCell() = default;

GridCell::GridCell(const GridCell& other) {
    CopyFrom(other);
}

GridCell::GridCell(GridCell&& other) noexcept {
    *this = std::move(other);
}

GridCell& GridCell::operator=(const GridCell& other) {
    if (this != &other) {
        CopyFrom(other);
    }
    return *this;
}

GridCell& GridCell::operator=(GridCell&& other) noexcept {
    if (this == &other) {
        return *this;
    }
    m_pFormat = other.m_pFormat;
    m_pCellStyle = other.m_pCellStyle;
    m_nPropSetFlags = other.m_nPropSetFlags;
    m_strText = std::move(other.m_strText);
    m_strMask = std::move(other.m_strMask);
    m_strLabel = std::move(other.m_strLabel);
    m_nDataType = other.m_nDataType;
    m_bReadOnly = other.m_bReadOnly;
    m_nParam = other.m_nParam;
    m_nNumberDecimals = other.m_nNumberDecimals;
    m_nCellType = other.m_nCellType;
    m_nCellTypeEx = other.m_nCellTypeEx;
    m_oTextColor = other.m_oTextColor;
    m_oBackColor = other.m_oBackColor;
    m_oHTextColor = other.m_oHTextColor;
    m_oHBackColor = other.m_oHBackColor;
    m_nBorderStyle = other.m_nBorderStyle;
    m_oBorderPen = std::move(other.m_oBorderPen);
    m_oFont = std::move(other.m_oFont);
    m_oBitmap = std::move(other.m_oBitmap);
    m_nAlignment = other.m_nAlignment;
    m_hExtraData = std::move(other.m_hExtraData);
    m_nExtraDataSize = other.m_nExtraDataSize;
    m_nJoinOrigin = other.m_nJoinOrigin;
    m_nJoinCol = other.m_nJoinCol;
    m_nJoinRow = other.m_nJoinRow;
    other.ClearAll();
    return *this;
}

GridCell::~GridCell() = default;

void GridCell::ClearAll() {
    m_pFormat = nullptr;
    m_pCellStyle = nullptr;
    m_strText.clear();
    m_strMask.clear();
    m_strLabel.clear();
    m_nDataType = kDataText;
    m_bReadOnly = false;
    m_nParam = -1;
    m_nNumberDecimals = 0;
    m_nCellType = -1;
    m_nCellTypeEx = -1;
    m_oTextColor = QColor();
    m_oBackColor = QColor();
    m_oHTextColor = QColor();
    m_oHBackColor = QColor();
    m_nBorderStyle = 0;
    // Resetting a Qt value costs a construction; values whose bit is clear are
    // never read, so only those that were set are reset.
    if (m_nPropSetFlags & kBorderPenSet) {
        m_oBorderPen = QPen();
    }
    if (m_nPropSetFlags & kFontSet) {
        m_oFont = QFont();
    }
    if (m_nPropSetFlags & kBitmapSet) {
        m_oBitmap = QPixmap();
    }
    m_nAlignment = 0;
    FreeExtraData();
    m_nJoinOrigin = 0;
    m_nJoinCol = -1;
    m_nJoinRow = -1;
    m_nPropSetFlags = 0;
}

void GridCell::CopyFrom(const GridCell& other) {
    if (this == &other) {
        return;
    }
    m_nPropSetFlags = other.m_nPropSetFlags;
    // A block the source does not carry would only be dead weight here.
    if (!other.IsPropertySet(kExtraDataSet)) {
        FreeExtraData();
    }
    CopyProperties(other, other.m_nPropSetFlags);
}

void GridCell::MergeFrom(const GridCell& other) {
    if (this == &other) {
        return;
    }
    m_nPropSetFlags |= other.m_nPropSetFlags;
    CopyProperties(other, other.m_nPropSetFlags);
}

void GridCell::CopyProperties(const GridCell& other, std::uint32_t mask) {
    if (mask & kFormatSet) {
        m_pFormat = other.m_pFormat;
    }
    if (mask & kStyleSet) {
        m_pCellStyle = other.m_pCellStyle;
    }
    if (mask & kTextSet) {
        m_strText = other.m_strText;
    }
    if (mask & kMaskSet) {
        m_strMask = other.m_strMask;
    }
    if (mask & kLabelSet) {
        m_strLabel = other.m_strLabel;
    }
    if (mask & kDataTypeSet) {
        m_nDataType = other.m_nDataType;
    }
    if (mask & kReadOnlySet) {
        m_bReadOnly = other.m_bReadOnly;
    }
    if (mask & kParamSet) {
        m_nParam = other.m_nParam;
    }
    if (mask & kNumberDecimalsSet) {
        m_nNumberDecimals = other.m_nNumberDecimals;
    }
    if (mask & kCellTypeSet) {
        m_nCellType = other.m_nCellType;
    }
    if (mask & kCellTypeExSet) {
        m_nCellTypeEx = other.m_nCellTypeEx;
    }
    if (mask & kTextColorSet) {
        m_oTextColor = other.m_oTextColor;
    }
    if (mask & kBackColorSet) {
        m_oBackColor = other.m_oBackColor;
    }
    if (mask & kHTextColorSet) {
        m_oHTextColor = other.m_oHTextColor;
    }
    if (mask & kHBackColorSet) {
        m_oHBackColor = other.m_oHBackColor;
    }
    if (mask & kBorderSet) {
        m_nBorderStyle = other.m_nBorderStyle;
    }
    if (mask & kBorderPenSet) {
        m_oBorderPen = other.m_oBorderPen;
    }
    if (mask & kFontSet) {
        m_oFont = other.m_oFont;
    }
    if (mask & kBitmapSet) {
        m_oBitmap = other.m_oBitmap;
    }
    if (mask & kAlignmentSet) {
        m_nAlignment = other.m_nAlignment;
    }
    if (mask & kExtraDataSet) {
        CopyExtraData(other);
    }
    if (mask & kJoinSet) {
        m_nJoinOrigin = other.m_nJoinOrigin;
        m_nJoinCol = other.m_nJoinCol;
        m_nJoinRow = other.m_nJoinRow;
    }
}

void GridCell::ApplyStyleAndFormat() {
    const GridCell* style = GetCellStyle();
    if (style && style != this) {
        // The style's own style and format are not followed: one level is all a
        // style means, and it cannot loop.
        const std::uint32_t mask = style->m_nPropSetFlags & ~(kStyleSet | kFormatSet);
        m_nPropSetFlags |= mask;
        CopyProperties(*style, mask);
    }
    if (GridCellFormat* format = GetFormat()) {
        format->ApplyDisplayFormat(*this);
    }
}

void GridCell::SetText(const QString& text) {
    m_strText = text;
    m_nPropSetFlags |= kTextSet;
    SetDataType(kDataText);
}

QString GridCell::GetText() const {
    return IsPropertySet(kTextSet) ? m_strText : QString();
}

int GridCell::GetTextLength() const {
    return IsPropertySet(kTextSet) ? static_cast<int>(m_strText.size()) : 0;
}

void GridCell::SetNumber(double value) {
    const int decimals = GetNumberDecimals();
    // A negative count has no meaning as a precision; such a cell keeps the plain
    // six decimals.
    m_strText = decimals >= 0 ? QString::asprintf("%1.*f", decimals, value)
                              : QString::asprintf("%f", value);
    m_nPropSetFlags |= kTextSet;
    SetDataType(kDataNumber);
}

namespace {

// The leading number of some bytes, read like the C library would in the "C"
// locale, whatever the user's locale; 0 when there is none. `whole` is false when
// the bytes are only the start of a longer text.
double ReadNumber(const char* first, const char* last, bool whole, bool& needMore) {
    if (first != last && *first == '+') {
        ++first;
    }
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    needMore = !whole && result.ptr == last;
    return result.ec == std::errc() ? value : 0.0;
}

} // namespace

double GridCell::GetNumber() const {
    if (GetTextLength() == 0) {
        return 0.0;
    }
    // Sorting reads numbers at every comparison: a short text is read through a
    // buffer on the stack, without allocating.
    constexpr qsizetype kShort = 64;
    qsizetype start = 0;
    while (start < m_strText.size() && m_strText[start].unicode() < 0x80 &&
           IsBlank(static_cast<char>(m_strText[start].unicode()))) {
        ++start;
    }
    const qsizetype length = std::min(m_strText.size() - start, kShort);
    char buffer[kShort];
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = m_strText[start + i].unicode();
        buffer[i] = c < 0x100 ? static_cast<char>(c) : '?';
    }
    bool needMore = false;
    const double value =
        ReadNumber(buffer, buffer + length, start + length == m_strText.size(), needMore);
    if (!needMore) {
        return value;
    }
    const QByteArray bytes = LeadingBytes(m_strText);
    return ReadNumber(bytes.constData(), bytes.constData() + bytes.size(), true, needMore);
}

bool GridCell::GetBool() const {
    if (GetTextLength() == 0) {
        return false;
    }
    if (m_strText[0] == u'T' || m_strText[0] == u't') {
        return true;
    }
    const QByteArray bytes = LeadingBytes(m_strText);
    qsizetype i = 0;
    if (i < bytes.size() && (bytes[i] == '+' || bytes[i] == '-')) {
        ++i;
    }
    for (; i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9'; ++i) {
        if (bytes[i] != '0') {
            return true;
        }
    }
    return false;
}

void GridCell::SetMask(const QString& mask) {
    m_strMask = mask;
    m_nPropSetFlags |= kMaskSet;
}

void GridCell::SetLabel(const QString& label) {
    m_strLabel = label;
    m_nPropSetFlags |= kLabelSet;
}

QString GridCell::GetLabel() const {
    return IsPropertySet(kLabelSet) ? m_strLabel : QString();
}

void GridCell::SetDataType(int type) {
    m_nDataType = type;
    m_nPropSetFlags |= kDataTypeSet;
}

int GridCell::GetDataType() const {
    return IsPropertySet(kDataTypeSet) ? m_nDataType : kDataText;
}

void GridCell::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    m_nPropSetFlags |= kReadOnlySet;
}

bool GridCell::GetReadOnly() const {
    return IsPropertySet(kReadOnlySet) && m_bReadOnly;
}

void GridCell::SetParam(int param) {
    m_nParam = param;
    m_nPropSetFlags |= kParamSet;
}

int GridCell::GetParam() const {
    return IsPropertySet(kParamSet) ? m_nParam : -1;
}

void GridCell::SetNumberDecimals(int decimals) {
    m_nNumberDecimals = static_cast<std::int16_t>(decimals);
    m_nPropSetFlags |= kNumberDecimalsSet;
}

int GridCell::GetNumberDecimals() const {
    return IsPropertySet(kNumberDecimalsSet) ? m_nNumberDecimals : -1;
}

void GridCell::SetCellType(int index) {
    m_nCellType = index;
    m_nPropSetFlags |= kCellTypeSet;
}

int GridCell::GetCellType() const {
    return IsPropertySet(kCellTypeSet) ? m_nCellType : 0;
}

void GridCell::SetCellTypeEx(int style) {
    m_nCellTypeEx = style;
    m_nPropSetFlags |= kCellTypeExSet;
}

int GridCell::GetCellTypeEx() const {
    return IsPropertySet(kCellTypeExSet) ? m_nCellTypeEx : 0;
}

void GridCell::SetTextColor(const QColor& color) {
    m_oTextColor = color;
    m_nPropSetFlags |= kTextColorSet;
}

QColor GridCell::GetTextColor(const QPalette& palette) const {
    return IsPropertySet(kTextColorSet) ? m_oTextColor : GridSystem::WindowTextColor(palette);
}

void GridCell::SetBackColor(const QColor& color) {
    m_oBackColor = color;
    m_nPropSetFlags |= kBackColorSet;
}

QColor GridCell::GetBackColor(const QPalette& palette) const {
    return IsPropertySet(kBackColorSet) ? m_oBackColor : GridSystem::WindowColor(palette);
}

void GridCell::SetHTextColor(const QColor& color) {
    m_oHTextColor = color;
    m_nPropSetFlags |= kHTextColorSet;
}

QColor GridCell::GetHTextColor(const QPalette& palette) const {
    return IsPropertySet(kHTextColorSet) ? m_oHTextColor : GridSystem::HighlightTextColor(palette);
}

void GridCell::SetHBackColor(const QColor& color) {
    m_oHBackColor = color;
    m_nPropSetFlags |= kHBackColorSet;
}

QColor GridCell::GetHBackColor(const QPalette& palette) const {
    return IsPropertySet(kHBackColorSet) ? m_oHBackColor : GridSystem::HighlightColor(palette);
}

void GridCell::SetBorder(unsigned style) {
    m_nBorderStyle = static_cast<std::uint16_t>(style);
    m_nPropSetFlags |= kBorderSet;
}

unsigned GridCell::GetBorder() const {
    return IsPropertySet(kBorderSet) ? m_nBorderStyle : 0U;
}

void GridCell::SetBorderPen(const QPen& pen) {
    m_oBorderPen = pen;
    m_nPropSetFlags |= kBorderPenSet;
}

QPen GridCell::GetBorderPen(const QPen& sheetPen) const {
    return IsPropertySet(kBorderPenSet) ? m_oBorderPen : sheetPen;
}

void GridCell::SetFont(const QFont& font) {
    m_oFont = font;
    m_nPropSetFlags |= kFontSet;
}

QFont GridCell::GetFont(const QFont& defaultFont) const {
    return IsPropertySet(kFontSet) ? m_oFont : defaultFont;
}

void GridCell::SetBitmap(const QPixmap& bitmap) {
    m_oBitmap = bitmap;
    m_nPropSetFlags |= kBitmapSet;
}

QPixmap GridCell::GetBitmap() const {
    return IsPropertySet(kBitmapSet) ? m_oBitmap : QPixmap();
}

void GridCell::SetAlignment(unsigned alignment) {
    m_nAlignment = static_cast<std::uint16_t>(alignment);
    m_nPropSetFlags |= kAlignmentSet;
}

unsigned GridCell::GetAlignment() const {
    return IsPropertySet(kAlignmentSet) ? m_nAlignment : 0U;
}

bool GridCell::SetExtraData(const void* data, qsizetype size) {
    unsigned char* block = AllocExtraData(size);
    if (!block) {
        return false;
    }
    if (size > 0) {
        std::memcpy(block, data, static_cast<std::size_t>(size));
    }
    return true;
}

unsigned char* GridCell::AllocExtraData(qsizetype size) {
    FreeExtraData();
    m_nPropSetFlags |= kExtraDataSet;
    if (size < 0) {
        return nullptr;
    }
    // One byte at least, so that an empty block is still a block.
    m_hExtraData.reset(g_pfnAllocExtra(size > 0 ? static_cast<std::size_t>(size) : 1));
    if (!m_hExtraData) {
        return nullptr;
    }
    std::memset(m_hExtraData.get(), 0, size > 0 ? static_cast<std::size_t>(size) : 1);
    m_nExtraDataSize = size;
    return m_hExtraData.get();
}

const unsigned char* GridCell::GetExtraData() const {
    return IsPropertySet(kExtraDataSet) ? m_hExtraData.get() : nullptr;
}

unsigned char* GridCell::GetExtraData() {
    return IsPropertySet(kExtraDataSet) ? m_hExtraData.get() : nullptr;
}

qsizetype GridCell::GetExtraDataSize() const {
    return IsPropertySet(kExtraDataSet) && m_hExtraData ? m_nExtraDataSize : 0;
}

void GridCell::FreeExtraData() {
    m_hExtraData.reset();
    m_nExtraDataSize = -1;
}

bool GridCell::CopyExtraData(const GridCell& other) {
    FreeExtraData();
    if (!other.m_hExtraData) {
        m_nExtraDataSize = 0;
        return true;
    }
    const auto size = static_cast<std::size_t>(other.m_nExtraDataSize);
    m_hExtraData.reset(g_pfnAllocExtra(size > 0 ? size : 1));
    if (!m_hExtraData) {
        // The block is lost, never shared: the target simply has none.
        m_nExtraDataSize = 0;
        return false;
    }
    if (size > 0) {
        std::memcpy(m_hExtraData.get(), other.m_hExtraData.get(), size);
    }
    m_nExtraDataSize = other.m_nExtraDataSize;
    return true;
}

void GridCell::SetJoinInfo(bool origin, int col, int row) {
    m_nJoinOrigin = origin ? 1 : 0;
    m_nJoinCol = col;
    m_nJoinRow = row;
    m_nPropSetFlags |= kJoinSet;
}

bool GridCell::GetJoinInfo(bool& origin, int& col, int& row) const {
    if (!IsPropertySet(kJoinSet)) {
        origin = false;
        col = -1;
        row = -1;
        return false;
    }
    origin = m_nJoinOrigin != 0;
    col = m_nJoinCol;
    row = m_nJoinRow;
    return true;
}

void GridCell::SetFormat(GridCellFormat* format) {
    m_pFormat = format;
    m_nPropSetFlags |= kFormatSet;
}

GridCellFormat* GridCell::GetFormat() const {
    return IsPropertySet(kFormatSet) ? m_pFormat : nullptr;
}

void GridCell::SetCellStyle(const GridCell* style) {
    m_pCellStyle = style;
    m_nPropSetFlags |= kStyleSet;
}

const GridCell* GridCell::GetCellStyle() const {
    return IsPropertySet(kStyleSet) ? m_pCellStyle : nullptr;
}

GridCell::ExtraDataAllocator GridCell::SetExtraDataAllocator(ExtraDataAllocator allocator) {
    ExtraDataAllocator previous = g_pfnAllocExtra;
    g_pfnAllocExtra = allocator ? allocator : &AllocateBlock;
    return previous;
}
