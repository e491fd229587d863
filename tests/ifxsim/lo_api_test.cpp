// Smart large objects through the exported ifx_lo_* entry points.
#include <cstdlib>

#include "lo_fixture.h"

namespace {

using namespace lo_test;
using stmt_test::SqlCode;

class LoApiTest : public stmt_test::StmtFixture {
protected:
    // A new object opened with `flags`; fails the test when creation fails.
    mint Create(mint flags, ifx_lo_t& lo)
    {
        ifx_lo_create_spec_t* spec = nullptr;
        EXPECT_EQ(ifx_lo_def_create_spec(&spec), 0);
        mint error = 0;
        const mint fd = ifx_lo_create(spec, flags, &lo, &error);
        ifx_lo_spec_free(spec);
        EXPECT_GT(fd, 0) << error;
        EXPECT_EQ(error, 0);
        return fd;
    }
};

TEST_F(LoApiTest, CreateWriteSeekReadRoundTrip)
{
    ifx_lo_t lo{};
    const mint fd = Create(LO_RDWR, lo);
    mint error = -1;
    EXPECT_EQ(Write(fd, "hello world", &error), 11);
    EXPECT_EQ(error, 0);

    ifx_int8_t pos{};
    ASSERT_EQ(ifx_lo_tell(fd, &pos), 0);
    EXPECT_EQ(Value(pos), 11);
    EXPECT_EQ(Read(fd, 4), "");  // at the end

    ifx_int8_t off = Int8(6);
    ASSERT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_SET, &pos), 0);
    EXPECT_EQ(Value(pos), 6);
    EXPECT_EQ(Read(fd, 100), "world");

    off = Int8(-5);
    ASSERT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_END, &pos), 0);
    EXPECT_EQ(Value(pos), 6);
    off = Int8(-2);
    ASSERT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_CUR, &pos), 0);
    EXPECT_EQ(Read(fd, 3), "o w");

    char buf[8] = {};
    off = Int8(0);
    EXPECT_EQ(ifx_lo_readwithseek(fd, buf, 5, &off, LO_SEEK_SET, &error), 5);
    EXPECT_EQ(std::string(buf, 5), "hello");

    // Overwrite in the middle, then a write past the end fills the gap with zeros.
    off = Int8(0);
    ASSERT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_SET, &pos), 0);
    EXPECT_EQ(Write(fd, "J", &error), 1);
    off = Int8(13);
    ASSERT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_SET, &pos), 0);
    EXPECT_EQ(Write(fd, "!", &error), 1);
    EXPECT_EQ(Content(lo), std::string("Jello world\0\0!", 14));
    EXPECT_EQ(ifx_lo_close(fd), 0);
    EXPECT_EQ(ifx_lo_release(&lo), 0);
}

TEST_F(LoApiTest, SeekBeforeStartIsRefusedAndKeepsThePosition)
{
    ifx_lo_t lo{};
    const mint fd = Create(LO_RDWR, lo);
    mint error = 0;
    Write(fd, "abc", &error);
    ifx_int8_t off = Int8(-4), pos{};
    EXPECT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_END, &pos), -9810);
    EXPECT_EQ(ifx_lo_seek(fd, &off, 7, &pos), -9810);  // no such whence
    ASSERT_EQ(ifx_lo_tell(fd, &pos), 0);
    EXPECT_EQ(Value(pos), 3);
    ifx_lo_close(fd);
}

TEST_F(LoApiTest, StatSizeFollowsWritesAndTruncate)
{
    ifx_lo_t lo{};
    const mint fd = Create(LO_RDWR, lo);
    EXPECT_EQ(StatSize(fd), 0);
    mint error = 0;
    Write(fd, "0123456789", &error);
    EXPECT_EQ(StatSize(fd), 10);
    ifx_int8_t cut = Int8(4);
    EXPECT_EQ(ifx_lo_truncate(fd, &cut), 0);
    EXPECT_EQ(StatSize(fd), 4);
    cut = Int8(40);  // past the end: unchanged
    EXPECT_EQ(ifx_lo_truncate(fd, &cut), 0);
    EXPECT_EQ(Content(lo), "0123");
    cut = Int8(-1);
    EXPECT_EQ(ifx_lo_truncate(fd, &cut), -9810);
    EXPECT_EQ(ifx_lo_stat_size(nullptr, &cut), -9810);
    ifx_lo_close(fd);
}

TEST_F(LoApiTest, FromBufferReplacesTheWholeContentAndToBufferHonoursTheLimit)
{
    ifx_lo_t lo{};
    const mint fd = Create(LO_WRONLY, lo);
    ifx_lo_close(fd);
    mint error = -1;
    std::string longer = "a longer first content";
    EXPECT_EQ(ifx_lo_from_buffer(&lo, static_cast<mint>(longer.size()), longer.data(), &error), 22);
    EXPECT_EQ(error, 0);
    std::string shorter = "abc";
    EXPECT_EQ(ifx_lo_from_buffer(&lo, 3, shorter.data(), &error), 3);
    EXPECT_EQ(Content(lo), "abc");  // no tail of the old content

    char own[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    char* buffer = own;
    EXPECT_EQ(ifx_lo_to_buffer(&lo, 2, &buffer, &error), 2);
    EXPECT_EQ(buffer, own);  // the caller's buffer is used as given
    EXPECT_EQ(std::string(own, 3), "abx");

    EXPECT_EQ(ifx_lo_from_buffer(&lo, -1, shorter.data(), &error), -1);
    EXPECT_EQ(error, -9810);
    EXPECT_EQ(Content(lo), "abc");  // bad input loses nothing
}

TEST_F(LoApiTest, DescriptorsThatAreNotOpenFailWithTheirOwnDetail)
{
    ifx_lo_t lo{};
    const mint closed = Create(LO_RDWR, lo);
    ASSERT_EQ(ifx_lo_close(closed), 0);
    for (mint fd : {closed, mint{0}, mint{-1}, mint{987654}}) {
        SCOPED_TRACE(fd);
        mint error = 0;
        char buf[4] = {};
        ifx_int8_t pos{}, off = Int8(0);
        ifx_lo_stat_t* stat = nullptr;
        EXPECT_EQ(ifx_lo_read(fd, buf, 4, &error), -1);
        EXPECT_EQ(error, -9810);
        EXPECT_EQ(Isam(), -101);
        error = 0;
        EXPECT_EQ(ifx_lo_write(fd, buf, 4, &error), -1);
        EXPECT_EQ(error, -9810);
        EXPECT_EQ(ifx_lo_readwithseek(fd, buf, 4, &off, LO_SEEK_SET, &error), -1);
        EXPECT_EQ(ifx_lo_seek(fd, &off, LO_SEEK_SET, &pos), -9810);
        EXPECT_EQ(ifx_lo_tell(fd, &pos), -9810);
        EXPECT_EQ(ifx_lo_truncate(fd, &off), -9810);
        EXPECT_EQ(ifx_lo_stat(fd, &stat), -9810);
        EXPECT_EQ(stat, nullptr);
        EXPECT_EQ(ifx_lo_close(fd), -9810);
        EXPECT_EQ(SqlCode(), -9810);
        EXPECT_EQ(Isam(), -101);
    }
}

TEST_F(LoApiTest, OpenFlagsDecideWhatTheDescriptorMayDo)
{
    ifx_lo_t lo{};
    mint error = 0;
    ifx_lo_close(Create(LO_RDWR, lo));
    ASSERT_EQ(ifx_lo_from_buffer(&lo, 3, const_cast<char*>("abc"), &error), 3);

    struct Case {
        mint flags;
        bool opens, reads, writes;
    };
    const Case cases[] = {
        {LO_RDONLY, true, true, false},           {LO_WRONLY, true, false, true},
        {LO_RDWR | LO_RANDOM, true, true, true},  {LO_APPEND, true, false, true},
        {LO_RDONLY | LO_APPEND, false, false, false}, {LO_RDONLY | LO_RDWR, false, false, false},
        {0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        const mint fd = ifx_lo_open(&lo, c.flags, &error);
        ASSERT_EQ(fd > 0, c.opens) << error;
        if (!c.opens) {
            EXPECT_EQ(error, -9810);
            continue;
        }
        EXPECT_EQ(Read(fd, 1) == "a", c.reads);
        EXPECT_EQ(Write(fd, "", &error) == 0, c.writes);
        ifx_lo_close(fd);
    }
    EXPECT_EQ(Content(lo), "abc");  // refused writes changed nothing
}

TEST_F(LoApiTest, AppendWritesAtTheEndWhateverThePosition)
{
    ifx_lo_t lo{};
    mint error = 0;
    ifx_lo_close(Create(LO_RDWR, lo));
    ifx_lo_from_buffer(&lo, 3, const_cast<char*>("abc"), &error);
    const mint fd = ifx_lo_open(&lo, LO_APPEND | LO_RDWR, &error);
    ASSERT_GT(fd, 0);
    ifx_int8_t off = Int8(0), pos{};
    ifx_lo_seek(fd, &off, LO_SEEK_SET, &pos);
    EXPECT_EQ(Write(fd, "de", &error), 2);
    EXPECT_EQ(Content(lo), "abcde");
    ifx_lo_close(fd);
}

TEST_F(LoApiTest, HandlesMustNameAnObjectOfTheOpenDatabase)
{
    mint error = 0;
    ifx_lo_t none{};
    EXPECT_EQ(ifx_lo_open(&none, LO_RDONLY, &error), -1);
    EXPECT_EQ(error, -9810);
    EXPECT_EQ(Isam(), -111);
    EXPECT_EQ(ifx_lo_release(&none), -9810);
    EXPECT_EQ(ifx_lo_open(nullptr, LO_RDONLY, &error), -1);

    ifx_lo_t lo{};
    const mint fd = Create(LO_RDWR, lo);
    ASSERT_EQ(Exec("CREATE DATABASE otherdb"), 0);
    // Another database: neither the handle nor the descriptor of the first one works.
    EXPECT_EQ(ifx_lo_open(&lo, LO_RDONLY, &error), -1);
    EXPECT_EQ(Isam(), -111);
    EXPECT_EQ(Read(fd, 1), "<error -9810>");
    EXPECT_EQ(Isam(), -101);
    EXPECT_EQ(ifx_lo_close(fd), 0);  // closing still releases it
    ASSERT_EQ(Exec("DATABASE stmtdb"), 0);
    EXPECT_EQ(Content(lo), "");
}

TEST_F(LoApiTest, WithoutADatabaseNothingIsCreated)
{
    ASSERT_EQ(Exec("CLOSE DATABASE"), 0);
    ifx_lo_t lo{};
    mint error = 0;
    EXPECT_EQ(ifx_lo_create(nullptr, LO_RDWR, &lo, &error), -1);
    EXPECT_EQ(error, -349);
}

}  // namespace
