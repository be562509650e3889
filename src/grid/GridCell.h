#pragma once

#include <cstdint>
#include <memory>

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPixmap>
#include <QString>

class GridCellFormat;
class QPalette;

// The value and attributes of one grid cell. Every property is optional: a bit in
// the property-set word says whether it carries a value, and a property whose bit is
// clear reads as its default. Defaults are built by merging records, so a cell can
// start from its column default and take the stored cell's properties on top.
//
// Colours, pen, font and bitmap are held by value (Qt shares their data, so copies
// are cheap). The format and the style are named by pointer, for their identity;
// whoever sets them keeps them alive as long as the cell (or a copy) is drawn.
class GridCell {
public:
    // Property-set bits.
    static constexpr std::uint32_t kTextSet = 0x1;
    static constexpr std::uint32_t kMaskSet = 0x2;
    static constexpr std::uint32_t kLabelSet = 0x4;
    static constexpr std::uint32_t kDataTypeSet = 0x8;
    static constexpr std::uint32_t kParamSet = 0x10;
    static constexpr std::uint32_t kCellTypeSet = 0x20;
    static constexpr std::uint32_t kCellTypeExSet = 0x40;
    static constexpr std::uint32_t kTextColorSet = 0x80;
    static constexpr std::uint32_t kBackColorSet = 0x100;
    static constexpr std::uint32_t kHTextColorSet = 0x200;
    static constexpr std::uint32_t kHBackColorSet = 0x400;
    static constexpr std::uint32_t kBorderSet = 0x800;
    static constexpr std::uint32_t kBorderPenSet = 0x1000;
    static constexpr std::uint32_t kFontSet = 0x2000;
    static constexpr std::uint32_t kBitmapSet = 0x4000;
    static constexpr std::uint32_t kAlignmentSet = 0x8000;
    static constexpr std::uint32_t kExtraDataSet = 0x10000;
    static constexpr std::uint32_t kJoinSet = 0x20000;
    static constexpr std::uint32_t kFormatSet = 0x200000;
    static constexpr std::uint32_t kStyleSet = 0x800000;
    static constexpr std::uint32_t kReadOnlySet = 0x1000000;
    static constexpr std::uint32_t kNumberDecimalsSet = 0x2000000;

    // Data types.
    static constexpr int kDataText = 1;
    static constexpr int kDataNumber = 2;

    // Alignment bits; 0 means left and top.
    static constexpr unsigned kAlignLeft = 0x1;
    static constexpr unsigned kAlignRight = 0x2;
    static constexpr unsigned kAlignCenter = 0x4;
    static constexpr unsigned kAlignBottom = 0x10;
    static constexpr unsigned kAlignVCenter = 0x20;

    // Border bits, drawn inside the cell: 1-, 2- and 3-pixel lines on the left, top,
    // right and bottom side, and the sunken and raised frames.
    static constexpr unsigned kBorderThinLeft = 0x1;
    static constexpr unsigned kBorderThinTop = 0x2;
    static constexpr unsigned kBorderThinRight = 0x4;
    static constexpr unsigned kBorderThinBottom = 0x8;
    static constexpr unsigned kBorderMediumLeft = 0x10;
    static constexpr unsigned kBorderMediumTop = 0x20;
    static constexpr unsigned kBorderMediumRight = 0x40;
    static constexpr unsigned kBorderMediumBottom = 0x80;
    static constexpr unsigned kBorderThickLeft = 0x100;
    static constexpr unsigned kBorderThickTop = 0x200;
    static constexpr unsigned kBorderThickRight = 0x400;
    static constexpr unsigned kBorderThickBottom = 0x800;
    static constexpr unsigned kBorderSunken = 0x1000;
    static constexpr unsigned kBorderRaised = 0x2000;

    // Allocates an extra-data block; nullptr when there is no memory. Replaceable so
    // that the out-of-memory path can be exercised; blocks are freed with delete[].
    using ExtraDataAllocator = unsigned char* (*)(std::size_t size);

    GridCell();
    GridCell(const GridCell& other);
    GridCell(GridCell&& other) noexcept;
    GridCell& operator=(const GridCell& other);
    GridCell& operator=(GridCell&& other) noexcept;
    ~GridCell();

    // Back to the state of a new record; the extra block is freed.
    void ClearAll();

    // The target's property-set word becomes the source's and every property the
    // source has set is copied.
    void CopyTo(GridCell& other) const { other.CopyFrom(*this); }
    void CopyFrom(const GridCell& other);
    // The target's word becomes the union of both and every property the source has
    // set is copied; properties set only in the target keep their values.
    void MergeInto(GridCell& other) const { other.MergeFrom(*this); }
    void MergeFrom(const GridCell& other);

    // Lays the style cell's set properties over this cell, then lets the format adjust
    // it. The grid calls this last when it builds a cell for display.
    void ApplyStyleAndFormat();

    std::uint32_t GetPropertyFlags() const { return m_nPropSetFlags; }
    void SetPropertyFlags(std::uint32_t flags) { m_nPropSetFlags = flags; }
    // True when any of the bits in `mask` is set.
    bool IsPropertySet(std::uint32_t mask) const { return (m_nPropSetFlags & mask) != 0; }

    // Text; also makes the data type text.
    void SetText(const QString& text);
    // Null when not set.
    QString GetText() const;
    int GetTextLength() const;
    // Writes the number as text ("%lf", or with the decimal places when they are set)
    // and makes the data type a number.
    void SetNumber(double value);
    // The text read as a decimal number (its leading number); 0 without one.
    double GetNumber() const;
    // False for an absent or empty text; true when the text begins with T or t or its
    // leading integer is not zero.
    bool GetBool() const;

    void SetMask(const QString& mask);
    // Check box caption; drop-list items, each ended by a line feed.
    void SetLabel(const QString& label);
    QString GetLabel() const;
    void SetDataType(int type);
    int GetDataType() const;
    void SetReadOnly(bool readOnly);
    bool GetReadOnly() const;
    // A number of the owner's own; the grid only carries it.
    void SetParam(int param);
    int GetParam() const;
    void SetNumberDecimals(int decimals);
    // -1 when not set.
    int GetNumberDecimals() const;
    void SetCellType(int index);
    int GetCellType() const;
    // Style bits that the cell type interprets.
    void SetCellTypeEx(int style);
    int GetCellTypeEx() const;

    // Colours not set read as the palette's window-text, window, highlight-text and
    // highlight colours.
    void SetTextColor(const QColor& color);
    QColor GetTextColor(const QPalette& palette) const;
    void SetBackColor(const QColor& color);
    QColor GetBackColor(const QPalette& palette) const;
    void SetHTextColor(const QColor& color);
    QColor GetHTextColor(const QPalette& palette) const;
    void SetHBackColor(const QColor& color);
    QColor GetHBackColor(const QPalette& palette) const;

    void SetBorder(unsigned style);
    unsigned GetBorder() const;
    // Pen of the drawn border lines; the sheet's grid-line pen when not set.
    void SetBorderPen(const QPen& pen);
    QPen GetBorderPen(const QPen& sheetPen) const;
    // The grid's default font when not set.
    void SetFont(const QFont& font);
    QFont GetFont(const QFont& defaultFont) const;
    // A null pixmap when not set.
    void SetBitmap(const QPixmap& bitmap);
    QPixmap GetBitmap() const;
    void SetAlignment(unsigned alignment);
    unsigned GetAlignment() const;

    // Replaces the extra block with a copy of `size` bytes at `data`; false (and no
    // block) when it cannot be allocated.
    bool SetExtraData(const void* data, qsizetype size);
    // A new zeroed block of `size` bytes; nullptr (and no block) on failure.
    unsigned char* AllocExtraData(qsizetype size);
    const unsigned char* GetExtraData() const;
    unsigned char* GetExtraData();
    qsizetype GetExtraDataSize() const;

    // Membership of a block of joined cells; the grid derives the block from these.
    void SetJoinInfo(bool origin, int col, int row);
    // False (origin false, -1, -1) when the cell is not joined.
    bool GetJoinInfo(bool& origin, int& col, int& row) const;

    void SetFormat(GridCellFormat* format);
    GridCellFormat* GetFormat() const;
    void SetCellStyle(const GridCell* style);
    const GridCell* GetCellStyle() const;

    static ExtraDataAllocator SetExtraDataAllocator(ExtraDataAllocator allocator);

private:
    void CopyProperties(const GridCell& other, std::uint32_t mask);
    void FreeExtraData();
    bool CopyExtraData(const GridCell& other);

    GridCellFormat* m_pFormat = nullptr;
    const GridCell* m_pCellStyle = nullptr;
    std::uint32_t m_nPropSetFlags = 0;
    QString m_strText;
    QString m_strMask;
    QString m_strLabel;
    int m_nDataType = kDataText;
    bool m_bReadOnly = false;
    int m_nParam = -1;
    std::int16_t m_nNumberDecimals = 0;
    int m_nCellType = -1;
    int m_nCellTypeEx = -1;
    QColor m_oTextColor;
    QColor m_oBackColor;
    QColor m_oHTextColor;
    QColor m_oHBackColor;
    std::uint16_t m_nBorderStyle = 0;
    QPen m_oBorderPen;
    QFont m_oFont;
    QPixmap m_oBitmap;
    std::uint16_t m_nAlignment = 0;
    std::unique_ptr<unsigned char[]> m_hExtraData;
    qsizetype m_nExtraDataSize = -1;
    std::int16_t m_nJoinOrigin = 0;
    int m_nJoinCol = -1;
    int m_nJoinRow = -1;
};
