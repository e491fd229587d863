// Exception texts: the component-name prefix of the layer's own errors, the
// line and column of macro errors, and the type-checked message formatter.
#include <gtest/gtest.h>

#include <stdexcept>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxComponent.h"
#include "dbaccess/IfxExceptions.h"

using namespace varnok;

TEST(LayerError, NamedComponentPrefixesItsName) {
    TIfxComponent database("TIfxConnection");
    database.SetName("Database");
    try {
        RaiseLayerError("Cannot perform this operation on a closed connection", &database);
        FAIL();
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Database: Cannot perform this operation on a closed connection");
    }
}

TEST(LayerError, UnnamedOrMissingComponentRaisesTheBareMessage) {
    TIfxComponent unnamed("TIfxSQL");
    EXPECT_EQ(LayerErrorText("This operation requires a connection", &unnamed), "This operation requires a connection");
    EXPECT_EQ(LayerErrorText("Active connection handle is wrong", nullptr), "Active connection handle is wrong");
    // Caught as the general database error too.
    EXPECT_THROW(RaiseLayerError("x", nullptr), EDatabaseError);
}

TEST(MacroError, TextCarriesLineAndColumnAndKeepsTheParts) {
    const EMacroSQLError e("'(' expected", 3, 14);
    EXPECT_STREQ(e.what(), "'(' expected\r\nLine: 3, Column: 14");
    EXPECT_EQ(e.BareMessage(), "'(' expected");
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Column(), 14);
}

TEST(FormatText, FillsTextAndNumbers) {
    EXPECT_EQ(Format("%s: Set isolation level '%s'", {"Database", "dirty read"}),
              "Database: Set isolation level 'dirty read'");
    EXPECT_EQ(Format("%s: Release the prepared statement (%d reference(s) remain)", {"ifxsql_0000abcd", 2}),
              "ifxsql_0000abcd: Release the prepared statement (2 reference(s) remain)");
    EXPECT_EQ(Format("%d%%", {-5}), "-5%");
}

TEST(FormatText, MismatchedArgumentsAreRejectedNotGuessed) {
    EXPECT_THROW(Format("%d", {"text"}), std::logic_error);
    EXPECT_THROW(Format("%s", {42}), std::logic_error);
    EXPECT_THROW(Format("%s and %s", {"one"}), std::logic_error);
    EXPECT_THROW(Format("trailing %", {}), std::logic_error);
}
