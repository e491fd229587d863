#include "editor/SchemaDrag.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <memory>

using namespace varnok;

namespace {

struct DropCase {
    std::vector<std::string> names;
    std::string text;
};

class SchemaDropTextTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(SchemaDropTextTest, BlankThenNamesJoinedByComma) {
    EXPECT_EQ(SchemaDropText(GetParam().names), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SchemaDropTextTest,
    ::testing::Values(DropCase{{}, ""}, DropCase{{"a"}, " a"}, DropCase{{"a", "b"}, " a, b"},
                      DropCase{{"customer", "orders", "items"}, " customer, orders, items"},
                      DropCase{{"", "x"}, " , x"}));

TEST(SchemaNames, PayloadRoundTripKeepsEveryCharacter) {
    const QStringList names = {
        "a", "b, c", "\"quoted\"", "new\nline", QString::fromUtf8("\xD0\xB6\xD1\x83\xD0\xBA"), ""};
    const auto back = DecodeSchemaNames(EncodeSchemaNames(names));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, names);
}

TEST(SchemaNames, PayloadThatIsNotAListOfNamesIsRefused) {
    for (const char* payload : {"", "a, b", "{\"a\":1}", "[\"a\", 1]", "[\"a\""})
        EXPECT_FALSE(DecodeSchemaNames(QByteArray(payload)).has_value()) << payload;
}

TEST(SchemaNames, OnlyDragDataOfTheSchemaListsCarriesNames) {
    std::unique_ptr<QMimeData> schema(MakeSchemaNamesMimeData({"a", "b"}));
    ASSERT_TRUE(SchemaNamesOf(schema.get()).has_value());
    EXPECT_EQ(*SchemaNamesOf(schema.get()), (QStringList{"a", "b"}));

    QMimeData text;
    text.setText("a, b");
    EXPECT_FALSE(SchemaNamesOf(&text).has_value());
    EXPECT_FALSE(SchemaNamesOf(nullptr).has_value());
}

} // namespace
