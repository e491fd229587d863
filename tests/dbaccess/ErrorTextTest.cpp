// The text of EIfxError, built from a message catalogue. A fake catalogue
// stands for the library's rgetlmsg here; IfxStandInTest.cpp checks the same
// rules against the stand-in library.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "dbaccess/IfxErrorText.h"

using namespace varnok;

namespace {

// rgetlmsg's contract: 0 with the text and its length, or a non-zero reason.
// It writes a tail of junk after the text so that a builder that ignores the
// returned length shows it.
class FakeCatalogue {
public:
    std::map<int, std::string> texts;
    int lastBufSize = 0;
    int calls = 0;

    TIfxMessageSource Source() {
        return [this](int msgnum, char* buf, int bufsize, int* msglen) {
            ++calls;
            lastBufSize = bufsize;
            auto it = texts.find(msgnum);
            if (it == texts.end()) return -1228;
            const std::string junk = it->second + "#JUNK#";
            std::memcpy(buf, junk.c_str(), junk.size() + 1);
            *msglen = static_cast<int>(it->second.size());
            return 0;
        };
    }
};

const char* kReasonText = "Get SQL error message failure, reason %d\r\nPlease see Informix error message documentation";

std::string ReasonText(int reason) {
    std::string text = kReasonText;
    return text.replace(text.find("%d"), 2, std::to_string(reason));
}

class ErrorTextTest : public ::testing::Test {
protected:
    FakeCatalogue catalogue;
    void SetUp() override {
        catalogue.texts[-206] = "The specified table (%s) is not in the database.\n";
        catalogue.texts[-111] = "ISAM error: no record found.\n";
        catalogue.texts[-201] = "A syntax error has occurred.\n";
        catalogue.texts[111] = "positive isam text for %s\n";
    }
};

}  // namespace

TEST_F(ErrorTextTest, TableNotFoundWithIsamNoRecord) {
    const EIfxError e = MakeIfxError(-206, -111, "customer", catalogue.Source());
    EXPECT_STREQ(e.what(),
                 "-206 SQL error: The specified table (customer) is not in the database.\n"
                 "-111 ISAM error: no record found.\n");
    EXPECT_EQ(e.SqlCode(), -206);
    EXPECT_EQ(e.IsamCode(), -111);
}

TEST_F(ErrorTextTest, LibraryIsToldOneByteLessThanTheBuffer) {
    IfxErrorText(-201, 0, "", catalogue.Source());
    EXPECT_EQ(catalogue.lastBufSize, 32767);
}

TEST_F(ErrorTextTest, IsamPartDependsOnSignOfIsamCode) {
    struct Case {
        int isam;
        const char* expected;
    };
    const Case cases[] = {
        {0, "-201 SQL error: A syntax error has occurred.\n"},
        {-111, "-201 SQL error: A syntax error has occurred.\n-111 ISAM error: no record found.\n"},
        {111, "-201 SQL error: A syntax error has occurred.\n111 ISAM message: positive isam text for x\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.isam);
        EXPECT_EQ(IfxErrorText(-201, c.isam, "x", catalogue.Source()), c.expected);
    }
    // No ISAM code, no second catalogue look-up.
    catalogue.calls = 0;
    IfxErrorText(-201, 0, "x", catalogue.Source());
    EXPECT_EQ(catalogue.calls, 1);
}

TEST_F(ErrorTextTest, CodeWithoutMessageGivesFailureTextWithReason) {
    EXPECT_EQ(IfxErrorText(-31999, 0, "ignored", catalogue.Source()), "-31999 SQL error: " + ReasonText(-1228));
    // The same failure text stands for an ISAM code the catalogue lacks.
    EXPECT_EQ(IfxErrorText(-206, -777, "t", catalogue.Source()),
              "-206 SQL error: The specified table (t) is not in the database.\n-777 " + ReasonText(-1228));
}

TEST_F(ErrorTextTest, NoMessageSourceAtAllStillGivesAText) {
    const std::string text = IfxErrorText(-206, 0, "t", TIfxMessageSource());
    EXPECT_EQ(text.rfind("-206 SQL error: Get SQL error message failure, reason ", 0), 0u) << text;
}

TEST_F(ErrorTextTest, LengthBeyondTheBufferIsNotTrusted) {
    TIfxMessageSource liar = [](int, char* buf, int, int* msglen) {
        std::strcpy(buf, "short");
        *msglen = 1 << 20;
        return 0;
    };
    EXPECT_EQ(IfxErrorText(-1, 0, "", liar), "-1 SQL error: short");
}

TEST(FillMessageTemplate, FillsTheFirstPlaceholderOnly) {
    struct Case {
        const char* templ;
        const char* sqlerrm;
        const char* expected;
    };
    const Case cases[] = {
        {"Column (%s) not found.", "c1", "Column (c1) not found."},
        {"no placeholder", "ignored", "no placeholder"},
        {"100%% sure %s", "yes", "100% sure yes"},
        // Library texts are not ours: extra or foreign specifiers must not break the report.
        {"%s and %s", "a", "a and "},
        {"value %d of %s", "t", "value %d of t"},
        {"ends with %", "x", "ends with %"},
        {"%s", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templ);
        EXPECT_EQ(FillMessageTemplate(c.templ, c.sqlerrm), c.expected);
    }
}
