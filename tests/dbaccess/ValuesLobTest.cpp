// BLOB and CLOB contents read on demand through the smart-large-object
// routines, once per handle with CacheBlobs. The stand-in does not export
// ifx_lo_* yet, so these tests put small routines of their own in the table
// (the rest of the table is the stand-in's) and check what the value object
// does with them: whole content in chunks, the cache, the descriptor closed
// on every path, and the texts of a bad or unreadable handle.
#include <gtest/gtest.h>

#include <cstring>

#include "dbaccess/IfxValue.h"
#include "tests/dbaccess/ValuesTestLibrary.h"

using namespace varnok;
using varnok::testing::StandInValues;

namespace {

struct TFakeLo {
    static inline std::string content;
    static inline int opens = 0;
    static inline int closes = 0;
    static inline std::size_t position = 0;
    static inline int failReadWith = 0;

    static mint Open(ifx_lo_t*, mint flags, mint* error) {
        ++opens;
        position = 0;
        *error = 0;
        return flags == LO_RDONLY ? 7 : -1;
    }
    static mint Read(mint fd, char* buf, mint n, mint* error) {
        if (fd != 7) return -1;
        if (failReadWith) {
            *error = failReadWith;
            return -1;
        }
        const std::size_t count = std::min(static_cast<std::size_t>(n), content.size() - position);
        std::memcpy(buf, content.data() + position, count);
        position += count;
        return static_cast<mint>(count);
    }
    static mint Close(mint) {
        ++closes;
        return 0;
    }
    static void Reset(std::string text) {
        content = std::move(text);
        opens = closes = 0;
        failReadWith = 0;
    }
};

class SmartLobValues : public StandInValues {
protected:
    TIfxLibrary withLo;
    ifx_lo_t handle{};
    int2 indicator = 0;

    void SetUp() override {
        StandInValues::SetUp();
        withLo = lib();
        withLo.ifx_lo_open = &TFakeLo::Open;
        withLo.ifx_lo_read = &TFakeLo::Read;
        withLo.ifx_lo_close = &TFakeLo::Close;
        std::memcpy(handle.lo_data, "handle-1", 8);
    }
};

}  // namespace

TEST_F(SmartLobValues, ContentIsReadWholeAndClosed) {
    TFakeLo::Reset(std::string(70000, 'x') + "end");   // more than one read chunk
    TIfxBlobValue blob(withLo, SQLUDTFIXED, 72, "photo");
    blob.Bind(reinterpret_cast<char*>(&handle), &indicator);
    EXPECT_EQ(blob.AsString(), TFakeLo::content);
    EXPECT_EQ(TFakeLo::opens, 1);
    EXPECT_EQ(TFakeLo::closes, 1);
}

TEST_F(SmartLobValues, CacheBlobsReadsOncePerHandle) {
    for (bool cached : {true, false}) {
        TFakeLo::Reset("clob text");
        TIfxLobCache cache;
        TIfxClobValue clob(withLo, SQLUDTFIXED, 72, "memo");
        clob.Bind(reinterpret_cast<char*>(&handle), &indicator);
        if (cached) clob.SetCache(&cache);
        EXPECT_EQ(clob.AsString(), "clob text");
        EXPECT_EQ(clob.AsString(), "clob text");
        EXPECT_EQ(TFakeLo::opens, cached ? 1 : 2);
        EXPECT_EQ(cache.Count(), cached ? 1u : 0u);
    }
}

TEST_F(SmartLobValues, ReadFailureRaisesAndStillCloses) {
    TFakeLo::Reset("abc");
    TFakeLo::failReadWith = -9810;
    TIfxBlobValue blob(withLo, SQLUDTFIXED, 72, "photo");
    blob.Bind(reinterpret_cast<char*>(&handle), &indicator);
    try {
        (void)blob.AsString();
        FAIL();
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -9810);
    }
    EXPECT_EQ(TFakeLo::closes, 1);
}

TEST_F(SmartLobValues, BadHandleNullAndMissingRoutines) {
    ifx_lo_t empty{};
    TIfxBlobValue blob(withLo, SQLUDTFIXED, 72, "photo");
    blob.Bind(reinterpret_cast<char*>(&empty), &indicator);
    try {
        (void)blob.AsString();
        FAIL();
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Invalid lob value");
    }
    indicator = -1;
    EXPECT_TRUE(blob.IsNull());
    EXPECT_EQ(blob.AsString(), "");
    indicator = 0;

    TIfxLibrary withoutLo = lib();
    withoutLo.ifx_lo_open = nullptr;
    TIfxBlobValue unreadable(withoutLo, SQLUDTFIXED, 72, "photo");
    unreadable.Bind(reinterpret_cast<char*>(&handle), &indicator);
    try {
        (void)unreadable.AsString();
        FAIL();
    } catch (const EIfxAccessError& e) {
        EXPECT_STREQ(e.what(), "Cannot handle blob/clob in 'photo'. Buffer handler is not initialized");
    }
}
