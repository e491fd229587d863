// A statement's and a data set's links to their SQL processor and field
// types: a linked component destroyed first clears the link, and the
// statement goes on with the processor in use then (the default one).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IfxUpdater.h"
#include "dbaccess/SQLProcessor.h"
#include "dbaccess/UpdateSQL.h"

using namespace varnok;

TEST(StatementLinks, ADestroyedProcessorLeavesTheStatementOnTheDefaultOne) {
    TIfxSQL sql;
    {
        TIfxSQLProcessor processor;
        processor.SetParamChar('&');
        sql.SetSQLProcessor(&processor);
        sql.SetSQLText("select * from t where a = &a");
        ASSERT_EQ(sql.ParamNames(), std::vector<std::string>{"a"});
    }
    EXPECT_EQ(sql.SQLProcessor(), nullptr);
    EXPECT_EQ(&sql.EffectiveProcessor(), &DefaultSQLProcessor());
    sql.SetSQLText("select * from t where b = :b");   // processed by the default (':')
    EXPECT_EQ(sql.ParamNames(), std::vector<std::string>{"b"});
    EXPECT_EQ(sql.ProcessedText(), "select * from t where b = ?");
}

TEST(StatementLinks, OnlyTheProcessorInUseClearsTheLink) {
    TIfxSQL sql;
    TIfxSQLProcessor kept;
    {
        TIfxSQLProcessor replaced;
        sql.SetSQLProcessor(&replaced);
        sql.SetSQLProcessor(&kept);
    }
    EXPECT_EQ(sql.SQLProcessor(), &kept);

    // A statement that goes first is forgotten by the processor it used.
    auto first = std::make_unique<TIfxSQL>();
    first->SetSQLProcessor(&kept);
    first.reset();
    sql.SetSQLProcessor(nullptr);
    EXPECT_EQ(sql.SQLProcessor(), nullptr);
}

TEST(StatementLinks, ADataSetForgetsItsDestroyedProcessorAndFieldTypes) {
    TIfxQuery q;
    {
        TIfxSQLProcessor processor;
        TIfxFieldTypes types;
        q.SetSQLProcessor(&processor);
        q.SetFieldTypes(&types);
        ASSERT_EQ(q.SQLProcessor(), &processor);
        ASSERT_EQ(q.FieldTypes(), &types);
    }
    EXPECT_EQ(q.SQLProcessor(), nullptr);
    EXPECT_EQ(q.FieldTypes(), nullptr);
    EXPECT_EQ(&q.EffectiveFieldTypes(), &DefaultIfxFieldTypes());
    q.SetSQLText("select * from t where id = :id");
    EXPECT_EQ(q.ParamCount(), 1);
}

TEST(StatementLinks, AnUpdaterForgetsItsDestroyedUpdateObject) {
    TIfxQuery q;
    TIfxUpdater updater(q);
    TIfxUpdateSQL kept;
    {
        TIfxUpdateSQL going;
        updater.SetUpdateObject(&going);
        ASSERT_EQ(updater.UpdateObject(), &going);
    }
    EXPECT_EQ(updater.UpdateObject(), nullptr);
    EXPECT_FALSE(updater.CanApply(q)) << "no text, no table: nothing to write with";
    {
        TIfxUpdateSQL replaced;
        updater.SetUpdateObject(&replaced);
        updater.SetUpdateObject(&kept);
    }
    EXPECT_EQ(updater.UpdateObject(), &kept) << "an object no longer used does not touch the link";
}
