#include "engine/table_definition.h"

#include <gtest/gtest.h>

#include <string>

namespace tandel {
namespace {

// The listed bytes of a character-set text, in byte order.
std::string listed(std::string_view text) {
    std::array<unsigned char, 256> table{};
    parseDefinitionText(table, text, kDefinitionCharset);
    std::string bytes;
    for (int c = 0; c < 256; ++c) {
        if (table[static_cast<std::size_t>(c)] != 0) {
            bytes += static_cast<char>(c);
        }
    }
    return bytes;
}

TEST(TableDefinition, Ranges) {
    EXPECT_EQ(listed("0-9.\\-"), "-.0123456789");
    EXPECT_EQ(listed("a-c-e"), "abcde"); // the range start stays the last byte
    EXPECT_EQ(listed("z-a"), "z");
    EXPECT_EQ(listed("a -c"), "-ac"); // a blank clears the last byte
    EXPECT_EQ(listed("x-"), "-x");
    EXPECT_EQ(listed("\xfe-\xff"), "\xfe\xff");
}

TEST(TableDefinition, Escapes) {
    EXPECT_EQ(listed("\\n\\r\\t\\v\\s\\\\"), std::string("\t\n\v\r \\"));
    EXPECT_EQ(listed("\\w-a"), std::string("\t\n\v\f\r -a")); // \w clears the last byte
    EXPECT_EQ(listed("\\x61-c\\Xff"), "abc\xff");
    EXPECT_EQ(listed("\\q\\"), "\\q");
    // Characters that are not hexadecimal are read as ordinary text.
    EXPECT_EQ(listed("\\xg1"), "1g");
    EXPECT_EQ(listed("a\\xzz-b"), "az");
    EXPECT_EQ(listed("\\x4"), "4");
}

TEST(TableDefinition, SeparatorModeClearsListedBytes) {
    std::array<unsigned char, 256> table{};
    parseDefinitionText(table, "\\t;", kDefinitionSeparators);
    for (int c = 0; c < 256; ++c) {
        EXPECT_EQ(table[static_cast<std::size_t>(c)], (c == '\t' || c == ';') ? 0 : 1) << c;
    }
}

} // namespace
} // namespace tandel
