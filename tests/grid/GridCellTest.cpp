#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <QFont>
#include <QPen>
#include <QPixmap>

#include "grid/GridCell.h"
#include "grid/GridCellFormat.h"
#include <QPalette>

namespace {

// Fails every extra-data allocation while it lives.
class FailingAllocations {
public:
    FailingAllocations()
        : m_pfnPrevious(GridCell::SetExtraDataAllocator(
              [](std::size_t) { return static_cast<unsigned char*>(nullptr); })) {}
    ~FailingAllocations() { GridCell::SetExtraDataAllocator(m_pfnPrevious); }

private:
    GridCell::ExtraDataAllocator m_pfnPrevious;
};

} // namespace

TEST(GridCell, NewCellSetsNothingAndReadsTheDefaults) {
    const GridCell cell;
    EXPECT_EQ(cell.GetPropertyFlags(), 0U);
    EXPECT_TRUE(cell.GetText().isNull());
    EXPECT_EQ(cell.GetTextLength(), 0);
    EXPECT_TRUE(cell.GetLabel().isNull());
    EXPECT_EQ(cell.GetDataType(), GridCell::kDataText);
    EXPECT_FALSE(cell.GetReadOnly());
    EXPECT_EQ(cell.GetParam(), -1);
    EXPECT_EQ(cell.GetNumberDecimals(), -1);
    EXPECT_EQ(cell.GetCellType(), 0);
    EXPECT_EQ(cell.GetCellTypeEx(), 0);
    // Unset colours, pen and font read as what the grid hands in.
    QPalette palette;
    palette.setColor(QPalette::Text, Qt::darkRed);
    palette.setColor(QPalette::Base, Qt::darkGreen);
    palette.setColor(QPalette::HighlightedText, Qt::darkBlue);
    palette.setColor(QPalette::Highlight, Qt::darkCyan);
    EXPECT_EQ(cell.GetTextColor(palette), QColor(Qt::darkRed));
    EXPECT_EQ(cell.GetBackColor(palette), QColor(Qt::darkGreen));
    EXPECT_EQ(cell.GetHTextColor(palette), QColor(Qt::darkBlue));
    EXPECT_EQ(cell.GetHBackColor(palette), QColor(Qt::darkCyan));
    EXPECT_EQ(cell.GetBorder(), 0U);
    const QPen sheetPen(Qt::magenta);
    EXPECT_EQ(cell.GetBorderPen(sheetPen), sheetPen);
    const QFont defaultFont("Courier New");
    EXPECT_EQ(cell.GetFont(defaultFont), defaultFont);
    EXPECT_TRUE(cell.GetBitmap().isNull());
    EXPECT_EQ(cell.GetAlignment(), 0U);
    EXPECT_EQ(cell.GetExtraData(), nullptr);
    EXPECT_EQ(cell.GetExtraDataSize(), 0);
    bool origin = true;
    int col = 0;
    int row = 0;
    EXPECT_FALSE(cell.GetJoinInfo(origin, col, row));
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
    EXPECT_EQ(cell.GetNumber(), 0.0);
    EXPECT_FALSE(cell.GetBool());
}

TEST(GridCell, EachSetterSetsItsOwnBit) {
    const QPen pen(Qt::red);
    const QFont font("Arial");
    const QPixmap bitmap(4, 4);
    GridCell style;
    struct Case {
        std::uint32_t bits;
        std::function<void(GridCell&)> set;
    };
    const Case cases[] = {
        {GridCell::kTextSet | GridCell::kDataTypeSet, [](GridCell& c) { c.SetText("a"); }},
        {GridCell::kMaskSet, [](GridCell& c) { c.SetMask("##"); }},
        {GridCell::kLabelSet, [](GridCell& c) { c.SetLabel("x\n"); }},
        {GridCell::kDataTypeSet, [](GridCell& c) { c.SetDataType(2); }},
        {GridCell::kReadOnlySet, [](GridCell& c) { c.SetReadOnly(false); }},
        {GridCell::kParamSet, [](GridCell& c) { c.SetParam(7); }},
        {GridCell::kNumberDecimalsSet, [](GridCell& c) { c.SetNumberDecimals(2); }},
        {GridCell::kCellTypeSet, [](GridCell& c) { c.SetCellType(2); }},
        {GridCell::kCellTypeExSet, [](GridCell& c) { c.SetCellTypeEx(8); }},
        {GridCell::kTextColorSet, [](GridCell& c) { c.SetTextColor(Qt::red); }},
        {GridCell::kBackColorSet, [](GridCell& c) { c.SetBackColor(Qt::red); }},
        {GridCell::kHTextColorSet, [](GridCell& c) { c.SetHTextColor(Qt::red); }},
        {GridCell::kHBackColorSet, [](GridCell& c) { c.SetHBackColor(Qt::red); }},
        {GridCell::kBorderSet, [](GridCell& c) { c.SetBorder(0x2000); }},
        {GridCell::kBorderPenSet, [&](GridCell& c) { c.SetBorderPen(pen); }},
        {GridCell::kFontSet, [&](GridCell& c) { c.SetFont(font); }},
        {GridCell::kBitmapSet, [&](GridCell& c) { c.SetBitmap(bitmap); }},
        {GridCell::kAlignmentSet, [](GridCell& c) { c.SetAlignment(36); }},
        {GridCell::kExtraDataSet, [](GridCell& c) { c.SetExtraData("ab", 2); }},
        {GridCell::kJoinSet, [](GridCell& c) { c.SetJoinInfo(true, 1, 2); }},
        {GridCell::kFormatSet, [](GridCell& c) { c.SetFormat(nullptr); }},
        {GridCell::kStyleSet, [&](GridCell& c) { c.SetCellStyle(&style); }},
        {GridCell::kTextSet | GridCell::kDataTypeSet, [](GridCell& c) { c.SetNumber(1.0); }},
    };
    for (const Case& c : cases) {
        GridCell cell;
        c.set(cell);
        EXPECT_EQ(cell.GetPropertyFlags(), c.bits) << std::hex << c.bits;
        EXPECT_TRUE(cell.IsPropertySet(c.bits | 0x80000000U));
    }
}

TEST(GridCell, TextAndNumberSetTheDataType) {
    GridCell cell;
    cell.SetNumber(2.5);
    EXPECT_EQ(cell.GetText(), "2.500000");
    EXPECT_EQ(cell.GetDataType(), GridCell::kDataNumber);
    cell.SetText("2.5");
    EXPECT_EQ(cell.GetDataType(), GridCell::kDataText);

    cell.SetNumberDecimals(2);
    cell.SetNumber(2.5);
    EXPECT_EQ(cell.GetText(), "2.50");
    cell.SetNumberDecimals(0);
    cell.SetNumber(-7.75);
    EXPECT_EQ(cell.GetText(), "-8");
    // A negative count is no precision: the plain six decimals.
    cell.SetNumberDecimals(-3);
    cell.SetNumber(1.0);
    EXPECT_EQ(cell.GetText(), "1.000000");
}

TEST(GridCell, NumberIsTheLeadingNumberOfTheText) {
    const struct {
        const char* text;
        double number;
    } cases[] = {{"2.5", 2.5}, {"  -3e2xyz", -300.0}, {"+4", 4.0}, {".5", 0.5}, {"abc", 0.0},
                 {"", 0.0},    {"12,5", 12.0}};
    for (const auto& c : cases) {
        GridCell cell;
        cell.SetText(c.text);
        EXPECT_DOUBLE_EQ(cell.GetNumber(), c.number) << c.text;
    }
    // Long texts are read whole: digits past the 64th still count, and a number
    // that starts a long text is read as it stands.
    GridCell cell;
    cell.SetText("  " + QString(70, '0') + "12.5");
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 12.5);
    cell.SetText("1" + QString(99, '0'));
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 1e99);
    cell.SetText("7.25 " + QString(100, 'x'));
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 7.25);
    cell.SetText(QString::fromUtf8("3\u20ac"));
    EXPECT_DOUBLE_EQ(cell.GetNumber(), 3.0);
}

TEST(GridCell, BoolIsTrueForTAndForANonZeroLeadingInteger) {
    for (const char* text : {"True", "t", "5", " 7", "-2", "Tomorrow", "1.000000"}) {
        GridCell cell;
        cell.SetText(text);
        EXPECT_TRUE(cell.GetBool()) << text;
    }
    for (const char* text : {"", "0", "no", "00", "-0", "0.9", "false", " T"}) {
        GridCell cell;
        cell.SetText(text);
        EXPECT_FALSE(cell.GetBool()) << text;
    }
}

TEST(GridCell, CopyTakesTheSourcesWordAndProperties) {
    GridCell target;
    target.SetBackColor(Qt::blue);
    target.SetBorder(0x2000);
    target.SetExtraData("old", 3);

    GridCell source;
    source.SetText("value");
    source.SetAlignment(GridCell::kAlignRight);
    source.CopyTo(target);

    EXPECT_EQ(target.GetPropertyFlags(), source.GetPropertyFlags());
    EXPECT_EQ(target.GetText(), "value");
    EXPECT_EQ(target.GetAlignment(), GridCell::kAlignRight);
    // What only the target had is gone, and reads as the defaults.
    const QPalette palette;
    EXPECT_EQ(target.GetBackColor(palette), palette.color(QPalette::Base));
    EXPECT_EQ(target.GetBorder(), 0U);
    EXPECT_EQ(target.GetExtraData(), nullptr);

    // Copying back the other way leaves no trace of the first copy either.
    GridCell again;
    again.CopyFrom(target);
    EXPECT_EQ(again.GetPropertyFlags(), source.GetPropertyFlags());
    EXPECT_EQ(again.GetText(), "value");
}

TEST(GridCell, MergeOntoADefaultKeepsTheDefaultsOtherProperties) {
    GridCell gridDefault;
    gridDefault.SetBackColor(QColor(255, 255, 200));
    gridDefault.SetBorder(GridCell::kBorderRaised);
    gridDefault.SetReadOnly(true);
    gridDefault.SetText("default");

    GridCell stored;
    stored.SetBackColor(Qt::green);

    GridCell cell(gridDefault);
    stored.MergeInto(cell);
    EXPECT_EQ(cell.GetPropertyFlags(), gridDefault.GetPropertyFlags() | stored.GetPropertyFlags());
    EXPECT_EQ(cell.GetBackColor(QPalette()), QColor(Qt::green));
    EXPECT_EQ(cell.GetBorder(), GridCell::kBorderRaised);
    EXPECT_TRUE(cell.GetReadOnly());
    EXPECT_EQ(cell.GetText(), "default");
}

TEST(GridCell, ExtraDataIsCopiedByteForByteIntoItsOwnBlock) {
    const unsigned char bytes[] = {0, 1, 2, 255, 0, 7};
    GridCell source;
    ASSERT_TRUE(source.SetExtraData(bytes, sizeof bytes));

    GridCell copy(source);
    ASSERT_NE(copy.GetExtraData(), nullptr);
    EXPECT_NE(copy.GetExtraData(), source.GetExtraData());
    EXPECT_EQ(copy.GetExtraDataSize(), static_cast<qsizetype>(sizeof bytes));
    EXPECT_EQ(std::memcmp(copy.GetExtraData(), bytes, sizeof bytes), 0);

    GridCell merged;
    merged.SetText("x");
    merged.MergeFrom(source);
    EXPECT_EQ(std::memcmp(merged.GetExtraData(), bytes, sizeof bytes), 0);
    EXPECT_EQ(merged.GetText(), "x");

    // Changing the copy leaves the source alone.
    copy.GetExtraData()[0] = 99;
    EXPECT_EQ(source.GetExtraData()[0], 0);
}

TEST(GridCell, AFailedBlockCopyLeavesTheTargetWithoutABlock) {
    GridCell source;
    source.SetText("kept");
    ASSERT_TRUE(source.SetExtraData("block", 5));
    GridCell target;
    target.SetExtraData("old", 3);
    {
        FailingAllocations failing;
        target.CopyFrom(source);
        EXPECT_FALSE(target.SetExtraData("new", 3));
    }
    EXPECT_EQ(target.GetExtraData(), nullptr);
    EXPECT_EQ(target.GetExtraDataSize(), 0);
    EXPECT_EQ(target.GetText(), "kept");
    EXPECT_EQ(source.GetExtraDataSize(), 5);
}

TEST(GridCell, ClearAllReturnsToANewRecord) {
    GridCell cell;
    cell.SetText("x");
    cell.SetCellType(2);
    cell.SetExtraData("abc", 3);
    cell.SetJoinInfo(true, 2, 3);
    cell.ClearAll();
    EXPECT_EQ(cell.GetPropertyFlags(), 0U);
    EXPECT_EQ(cell.GetExtraData(), nullptr);
    // Setting a bit by hand afterwards shows the construction values, not old ones.
    cell.SetPropertyFlags(GridCell::kCellTypeSet | GridCell::kJoinSet | GridCell::kTextSet);
    EXPECT_EQ(cell.GetCellType(), -1);
    EXPECT_EQ(cell.GetText(), "");
    bool origin = true;
    int col = 0;
    int row = 0;
    EXPECT_TRUE(cell.GetJoinInfo(origin, col, row));
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
}

TEST(GridCell, MovingHandsOverTheBlockAndEmptiesTheSource) {
    GridCell source;
    source.SetText("moved");
    source.SetExtraData("abc", 3);
    const unsigned char* block = source.GetExtraData();
    GridCell target(std::move(source));
    EXPECT_EQ(target.GetText(), "moved");
    EXPECT_EQ(target.GetExtraData(), block);
    EXPECT_EQ(source.GetPropertyFlags(), 0U); // NOLINT(bugprone-use-after-move)
}

namespace {
class UpperCaseFormat : public GridCellFormat {
public:
    void ApplyDisplayFormat(GridCell& cell) override {
        ++m_nCalls;
        cell.SetText(cell.GetText().toUpper());
    }
    int m_nCalls = 0;
};
} // namespace

TEST(GridCell, StyleIsLaidOverTheCellAndTheFormatAppliedLast) {
    GridCell nested;
    nested.SetTextColor(Qt::red);
    GridCell style;
    style.SetBackColor(Qt::yellow);
    style.SetAlignment(GridCell::kAlignCenter);
    style.SetCellStyle(&nested);
    UpperCaseFormat format;

    GridCell cell;
    cell.SetText("value");
    cell.SetBackColor(Qt::blue);
    cell.SetCellStyle(&style);
    cell.SetFormat(&format);
    cell.ApplyStyleAndFormat();

    EXPECT_EQ(cell.GetBackColor(QPalette()), QColor(Qt::yellow));
    EXPECT_EQ(cell.GetAlignment(), GridCell::kAlignCenter);
    EXPECT_EQ(cell.GetText(), "VALUE");
    EXPECT_EQ(format.m_nCalls, 1);
    // One level only: the style's own style is not followed.
    EXPECT_FALSE(cell.IsPropertySet(GridCell::kTextColorSet));
    EXPECT_EQ(cell.GetCellStyle(), &style);

    // Without the bits, the pointers are not used.
    GridCell plain;
    plain.SetText("value");
    plain.ApplyStyleAndFormat();
    EXPECT_EQ(plain.GetText(), "value");
}

TEST(GridCell, FontPenAndBitmapAreHeldByValue) {
    GridCell cell;
    {
        QFont font("Courier New");
        font.setPixelSize(13);
        QPen pen(Qt::blue, 3);
        QPixmap bitmap(5, 6);
        cell.SetFont(font);
        cell.SetBorderPen(pen);
        cell.SetBitmap(bitmap);
        // Changing or dropping the caller's values leaves the cell's alone.
        font.setPixelSize(40);
        pen.setColor(Qt::red);
    }
    const GridCell copy(cell);
    EXPECT_EQ(copy.GetFont(QFont()).pixelSize(), 13);
    EXPECT_EQ(copy.GetBorderPen(QPen()).color(), QColor(Qt::blue));
    EXPECT_EQ(copy.GetBorderPen(QPen()).width(), 3);
    EXPECT_EQ(copy.GetBitmap().size(), QSize(5, 6));
    GridCell cleared(copy);
    cleared.ClearAll();
    EXPECT_TRUE(cleared.GetBitmap().isNull());
    const QFont fallback("Arial");
    EXPECT_EQ(cleared.GetFont(fallback), fallback);
}
