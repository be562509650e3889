#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/FieldTable.h"

namespace {

template <class Order> std::set<int> Distinct(const Order& order) {
    std::set<int> ids;
    for (auto id : order) {
        ids.insert(static_cast<int>(id));
    }
    return ids;
}

} // namespace

// Each order names every field it should once: a field left out of an order would
// silently not be read, written or shown.
TEST(FieldTable, EveryOrderTakesEachOfItsFieldsOnce) {
    std::set<int> deviceKeys;
    for (std::size_t i = 0; i < kDeviceFields.size(); ++i) {
        if (!kDeviceFields[i].fileKey.empty()) {
            deviceKeys.insert(static_cast<int>(i));
        }
    }
    EXPECT_EQ(deviceKeys.size(), 17u) << "every device field but the file name has a key";
    EXPECT_EQ(Distinct(kDeviceReadOrder), deviceKeys);
    EXPECT_EQ(Distinct(kDeviceWriteOrder), deviceKeys);
    EXPECT_EQ(Distinct(kDeviceShowOrder).size(), kDeviceFields.size());
    EXPECT_EQ(kDeviceWriteOrder.back(), DeviceFieldId::Address);
    EXPECT_EQ(Field(DeviceFieldId::FileName).write, FieldWrite::Never);

    std::set<int> commandKeys;
    for (std::size_t i = 0; i < kCommandFields.size(); ++i) {
        if (kCommandFields[i].kind != CommandFieldKind::SectionName) {
            commandKeys.insert(static_cast<int>(i));
        }
    }
    EXPECT_EQ(Distinct(kCommandReadOrder), commandKeys);
    EXPECT_EQ(Distinct(kCommandWriteOrder).size(), kCommandFields.size());
    EXPECT_EQ(Distinct(kCommandShowOrder).size(), kCommandFields.size());
    EXPECT_EQ(kCommandWriteOrder.front(), CommandFieldId::Name);
    EXPECT_EQ(kCommandWriteOrder.back(), CommandFieldId::Message);
}

TEST(FieldTable, NamesAreSpelledConsistently) {
    for (const DeviceField& field : kDeviceFields) {
        // The listing's labels line the values up in one column.
        std::size_t width = &field == &Field(DeviceFieldId::Description) ? 16 : 15;
        EXPECT_EQ(field.listingLabel.size(), width) << field.jsonName;
        EXPECT_EQ(field.member != nullptr, true);
        if (!field.isPath) {
            EXPECT_EQ(field.fileKey, field.jsonName);
        }
    }
    for (const CommandField& field : kCommandFields) {
        EXPECT_EQ(field.member != nullptr, field.kind == CommandFieldKind::SectionName ||
                                               field.kind == CommandFieldKind::Text)
            << field.jsonName;
        // The writer writes command keys in lower case, the reader's spelling aside.
        std::string lower(field.fileKey);
        for (char& c : lower) {
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        }
        EXPECT_EQ(field.writtenKey, lower) << field.jsonName;
        if (field.kind == CommandFieldKind::Text) {
            EXPECT_EQ(field.listingLabel.size(), 15u) << field.jsonName;
            EXPECT_EQ(field.fileKey, field.jsonName);
        }
    }
    EXPECT_EQ(Field(CommandFieldId::Name).listingLabel, "[" + std::string(21, ' '));
    // A numbered label is a format that makes 15 characters for numbers up to 99.
    char label[32];
    std::snprintf(label, sizeof label, Field(CommandFieldId::Params).listingLabel.data(), 3);
    EXPECT_STREQ(label, "  Param03:     ");
    std::snprintf(label, sizeof label, Field(CommandFieldId::Bytes).listingLabel.data(), 20);
    EXPECT_STREQ(label, "  Byte20:      ");
}
