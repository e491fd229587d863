#include "execution/ExecutionCommandRules.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace varnok {
namespace {

using C = TExecutionCommand;

TEST(ExecutionCommandRules, EnablingFollowsConnectionRunTextAndSelection) {
    // connected, executing, hasText, hasSelection -> expected for
    // Execute, Selected, AllOrSelected, Check, CheckSelected, CheckAllOrSelected, Interrupt
    const struct {
        TExecutionContext context;
        bool expected[kExecutionCommandCount];
    } cases[] = {
        {{false, false, true, true}, {false, false, false, false, false, false, false}},
        {{true, false, false, false}, {false, false, false, false, false, false, false}},
        {{true, false, true, false}, {true, false, true, true, false, true, false}},
        {{true, false, true, true}, {true, true, true, true, true, true, false}},
        {{true, true, true, true}, {false, false, false, false, false, false, true}},
        {{false, true, false, false}, {false, false, false, false, false, false, true}},
    };
    for (const auto& c : cases)
        for (std::size_t i = 0; i < kExecutionCommandCount; ++i)
            EXPECT_EQ(ExecutionCommandEnabled(static_cast<C>(i), c.context), c.expected[i])
                << ExecutionCommandNames()[i] << " connected=" << c.context.connected
                << " executing=" << c.context.executing << " text=" << c.context.hasText
                << " selection=" << c.context.hasSelection;
}

TEST(ExecutionCommandRules, EachCommandRunsItsText) {
    const struct {
        C command;
        bool hasSelection;
        bool selection;
        bool checkOnly;
    } cases[] = {
        {C::Execute, true, false, false},
        {C::ExecuteSelected, true, true, false},
        {C::ExecuteAllOrSelected, true, true, false},
        {C::ExecuteAllOrSelected, false, false, false},
        {C::CheckSyntax, true, false, true},
        {C::CheckSyntaxSelected, true, true, true},
        {C::CheckSyntaxAllOrSelected, true, true, true},
        {C::CheckSyntaxAllOrSelected, false, false, true},
    };
    for (const auto& c : cases) {
        const TRunSource source = RunSourceFor(c.command, c.hasSelection);
        EXPECT_EQ(source.selection, c.selection) << ExecutionCommandNames()[static_cast<int>(c.command)];
        EXPECT_EQ(source.checkOnly, c.checkOnly) << ExecutionCommandNames()[static_cast<int>(c.command)];
    }
    EXPECT_THROW(RunSourceFor(C::InterruptSQL, false), std::logic_error);
}

TEST(ExecutionCommandRules, ErrorMarkInASelectionIsAtSPlusKPlusEMinusTwo) {
    // selection starting at s (1-based; the editor's 0-based start is s − 1),
    // statement start k within it, server offset e (0-based within the statement)
    for (const auto& [s, k, e] : {std::tuple{10, 1, 0}, std::tuple{10, 5, 7}, std::tuple{1, 30, 2}}) {
        const std::int32_t offset = RunTextOffset({true, false}, s - 1);
        const TErrorMark mark = ErrorMarkFor(k + e, offset);
        EXPECT_EQ(mark.start, s + k + e - 2) << s << " " << k << " " << e;
        EXPECT_EQ(mark.end, mark.start + 1);
    }
}

TEST(ExecutionCommandRules, ErrorMarkInAWholeTextRunIsAtKPlusEMinusOne) {
    const std::int32_t offset = RunTextOffset({false, false}, 99);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(ErrorMarkFor(12 + 3, offset).start, 14);
    // never before the first character
    EXPECT_EQ(ErrorMarkFor(0, RunTextOffset({true, false}, 0)).start, 0);
}

TEST(ExecutionCommandRules, StatusTexts) {
    EXPECT_EQ(CostInfoText(12, 3, 3), "12:3:3");
    EXPECT_EQ(CostInfoText(0, 0, -1), "0:0:-1");
}

}  // namespace
}  // namespace varnok
