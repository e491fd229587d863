// Edit masks: the edit text a mask lays out, the value an edited text stands
// for, and a string field that shows its value masked only for editing.
#include <gtest/gtest.h>

#include "dbaccess/EditMask.h"
#include "dbaccess/IfxField.h"
#include "tests/dbaccess/FieldsTestDataSet.h"
#include "tests/dbaccess/ValuesTestLibrary.h"

using namespace varnok;
using varnok::testing::StandInValues;
using varnok::testing::TIfxRowsDataSet;

namespace {

TEST(EditMask, LaysOutTheValueAndTakesTheLayoutOutAgain) {
    const struct {
        const char* mask;
        const char* value;
        const char* editText;
        const char* valueBack;   // UnmaskedEditText(mask, editText)
    } cases[] = {
        // Literals inserted, and taken out again (flag 0).
        {"!\\(999\\) 000-0000;0;_", "5551234567", "(555) 123-4567", "5551234567"},
        {"000-000;0", "12345", "123-45 ", "12345"},                  // unfilled places are trailing blanks
        {"!999-000;0", "12345", " 12-345", "12345"},                  // with "!" leading ones
        // The value holds the literals (flag 1, the default): shown as it is, kept as typed.
        {"00/00/0000", "24/12/2026", "24/12/2026", "24/12/2026"},
        {"00:00;1;_", "09", "09:  ", "09:  "},                        // cut short: the rest of the layout
        // Case: > upper, < lower, <> neither.
        {">LL<ll<>cc;0", "abCDeF", "ABcdeF", "ABcdeF"},
        {"\\>LLL;0", "abc", ">abc", "abc"},                           // an escaped directive is a literal
        {"AA_AA;0", "ab12", "ab 12", "ab12"},                         // _ is a literal blank
        // A value that does not fit is shown as it is (nothing lost on the way back).
        {"000-000;0", "1234567", "1234567", "1234567"},               // too long
        {"000;0", "a1", "a1", "a1"},                                  // a letter where a digit belongs
        {"00/00/0000", "2026-12-24", "2026-12-24", "2026-12-24"},    // another layout
        {"", "as is", "as is", "as is"},                             // no mask
        {";0", "x", "x", "x"},                                        // no places
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MaskedEditText(c.mask, c.value), c.editText) << c.mask << " / " << c.value;
        EXPECT_EQ(UnmaskedEditText(c.mask, c.editText), c.valueBack) << c.mask << " / " << c.editText;
    }
    // A text typed without the layout is the value as typed.
    EXPECT_EQ(UnmaskedEditText("000-000;0", "123456"), "123456");
    EXPECT_EQ(UnmaskedEditText("000-000;0", "12-3456"), "12-3456");
}

class MaskedStringField : public StandInValues {};

TEST_F(MaskedStringField, ShapesTheEditTextOnly) {
    TIfxFieldTypes natives;
    natives.SetAllNative(true);
    TIfxRowsDataSet ds(lib(), natives, {{"phone", SQLCHAR, 12}}, {{"5551234567"}, {""}});
    ds.Open();
    auto* phone = dynamic_cast<TIfxStringField*>(&ds.FieldByName("phone"));
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(phone->EditText(), "5551234567") << "no mask: the plain value";
    phone->SetEditMask("!\\(999\\) 000-0000;0;_");
    EXPECT_EQ(phone->EditText(), "(555) 123-4567");
    EXPECT_EQ(phone->DisplayText(), "5551234567");
    ds.Edit();
    phone->SetEditText("(555) 765-4321");
    EXPECT_EQ(phone->AsString(), "5557654321") << "the literals are not part of the value";
    ds.Post();
    ds.Next();
    EXPECT_EQ(phone->EditText(), "(   )    -    ") << "a null starts an empty layout";
    ds.Edit();
    phone->SetEditText("(   )    -    ");
    EXPECT_TRUE(phone->IsNull()) << "the layout handed back untouched keeps the null";
    EXPECT_FALSE(ds.Modified());
    phone->SetEditText("(   ) 123-    ");
    EXPECT_EQ(phone->AsString(), "123") << "unfilled places are no part of the value";
    ds.Cancel();
}

}  // namespace
