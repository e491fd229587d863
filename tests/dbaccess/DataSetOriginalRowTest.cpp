// Reading a row as cached while it is edited, and loading server-assigned
// values into a posted row: what writing rows back relies on.
#include <gtest/gtest.h>

#include "dbaccess/IfxExceptions.h"
#include "tests/dbaccess/DataSetTestRows.h"

using namespace varnok;
using varnok::testing::NumberedRows;

namespace {

TEST(DataSetOriginalRow, EditReadsNewValuesOriginalRowReadsOld) {
    auto ds = NumberedRows(3);
    ds.Open();
    ds.Next();
    ds.Edit();
    ds.FieldByName("label").SetAsString("changed");
    std::string old;
    ds.ReadOriginalRow([&] { old = ds.FieldByName("label").AsString(); });
    EXPECT_EQ(old, "row 2");
    EXPECT_EQ(ds.FieldByName("label").AsString(), "changed");
    ds.Post();
    ds.ReadOriginalRow([&] { old = ds.FieldByName("label").AsString(); });
    EXPECT_EQ(old, "changed");  // posted: the cached row is the new one
}

TEST(DataSetOriginalRow, LoadRowWritesReadOnlyFieldsWithoutModifying) {
    auto ds = NumberedRows(2);
    ds.Open();
    ds.FieldByName("n").SetReadOnly(true);
    ds.Insert();
    EXPECT_THROW(ds.FieldByName("n").SetAsInteger(7), EDatabaseError);
    ds.FieldByName("label").SetAsString("new");
    ds.LoadRow(ds.GetBookmark(), [&] { ds.FieldByName("n").SetAsInteger(7); });
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 7);
    ds.Post();
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 7);

    // Editing: the value lands in the edit and survives the post.
    ds.Edit();
    EXPECT_FALSE(ds.Modified());
    ds.LoadRow(ds.GetBookmark(), [&] { ds.FieldByName("n").SetAsInteger(8); });
    EXPECT_FALSE(ds.Modified());
    ds.FieldByName("label").SetAsString("edited");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 8);

    // Another cached row, in browse state.
    ds.Last();
    const TBookmark last = ds.GetBookmark();
    ds.First();
    ds.LoadRow(last, [&] { ds.FieldByName("label").SetAsString("loaded"); });
    EXPECT_EQ(ds.FieldByName("label").AsString(), "edited");
    ds.Last();
    EXPECT_EQ(ds.FieldByName("label").AsString(), "loaded");
    EXPECT_THROW(ds.LoadRow(&ds, [] {}), EDatabaseError);
}

}  // namespace
