// States, events, data links and calculated fields of the data-set framework.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dbaccess/DataSource.h"
#include "dbaccess/IfxExceptions.h"
#include "tests/dbaccess/DataSetTestRows.h"

using namespace varnok;
using varnok::testing::NumberedRows;
using varnok::testing::TRowsDataSet;

namespace {

using TLog = std::vector<std::string>;

void RecordEvents(TDataSet& ds, TLog& log) {
    auto add = [&log](const char* name) { return [&log, name](TDataSet&) { log.push_back(name); }; };
    ds.BeforeOpen = add("BeforeOpen");
    ds.AfterOpen = add("AfterOpen");
    ds.BeforeClose = add("BeforeClose");
    ds.AfterClose = add("AfterClose");
    ds.BeforeScroll = add("BeforeScroll");
    ds.AfterScroll = add("AfterScroll");
    ds.BeforeEdit = add("BeforeEdit");
    ds.AfterEdit = add("AfterEdit");
    ds.BeforeInsert = add("BeforeInsert");
    ds.AfterInsert = add("AfterInsert");
    ds.BeforePost = add("BeforePost");
    ds.AfterPost = add("AfterPost");
    ds.BeforeCancel = add("BeforeCancel");
    ds.AfterCancel = add("AfterCancel");
    ds.BeforeDelete = add("BeforeDelete");
    ds.AfterDelete = add("AfterDelete");
    ds.OnNewRecord = add("OnNewRecord");
}

class TRecordingLink : public TDataLink {
public:
    TLog log;

protected:
    void ActiveChanged() override { log.push_back("active"); }
    void DataSetChanged() override { log.push_back("changed"); }
    void DataSetScrolled() override { log.push_back("scrolled"); }
    void RecordChanged(TField* field) override { log.push_back("record " + (field ? field->FieldName() : "")); }
    void StateChanged() override { log.push_back("state"); }
};

}  // namespace

TEST(DataSetEvents, OrderOfEachOperation) {
    TRowsDataSet ds = NumberedRows(3);
    TLog log;
    RecordEvents(ds, log);
    struct Step {
        const char* what;
        std::function<void()> run;
        TLog expected;
    };
    const std::vector<Step> steps = {
        {"open", [&] { ds.Open(); }, {"BeforeOpen", "AfterOpen"}},
        {"next", [&] { ds.Next(); }, {"BeforeScroll", "AfterScroll"}},
        {"edit", [&] { ds.Edit(); }, {"BeforeEdit", "AfterEdit"}},
        {"post", [&] { ds.FieldByName("label").SetAsString("x"); ds.Post(); }, {"BeforePost", "AfterPost"}},
        {"insert", [&] { ds.Insert(); },
         {"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll"}},
        {"cancel", [&] { ds.Cancel(); }, {"BeforeCancel", "AfterCancel"}},
        {"delete", [&] { ds.Delete(); }, {"BeforeDelete", "AfterDelete", "AfterScroll"}},
        {"close", [&] { ds.Close(); }, {"BeforeClose", "AfterClose"}},
    };
    for (const Step& step : steps) {
        log.clear();
        step.run();
        EXPECT_EQ(log, step.expected) << step.what;
    }
}

TEST(DataSetStates, EditInsertBrowseInactive) {
    TRowsDataSet ds = NumberedRows(3);
    EXPECT_EQ(ds.State(), TDataSetState::dsInactive);
    ds.Open();
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    ds.Edit();
    EXPECT_EQ(ds.State(), TDataSetState::dsEdit);
    ds.Cancel();
    ds.Insert();
    EXPECT_EQ(ds.State(), TDataSetState::dsInsert);
    EXPECT_TRUE(ds.FieldByName("n").IsNull());   // a new row starts empty
    ds.Cancel();
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.Close();
    EXPECT_EQ(ds.State(), TDataSetState::dsInactive);
}

TEST(DataSetStates, ChangesNeedEditOrInsertAndWritableFields) {
    TRowsDataSet ds = NumberedRows(2);
    ds.Open();
    try {
        ds.FieldByName("label").SetAsString("x");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
    }
    ds.FieldByName("n").SetReadOnly(true);
    ds.Edit();
    try {
        ds.FieldByName("n").SetAsInteger(9);
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'n' cannot be modified");
    }
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 1);
}

TEST(DataSetStates, EditShowsTheNewValueAndCancelRestoresTheOld) {
    TRowsDataSet ds = NumberedRows(2);
    ds.Open();
    ds.Edit();
    ds.FieldByName("label").SetAsString("changed");
    EXPECT_EQ(ds.FieldByName("label").AsString(), "changed");
    EXPECT_TRUE(ds.Modified());
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("label").AsString(), "row 1");

    ds.Edit();
    ds.FieldByName("label").SetAsString("kept");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("label").AsString(), "kept");
    EXPECT_EQ(ds.CurrentRowStatus(), TRowStatus::rsModified);
    EXPECT_EQ(ds.posts, 1);
}

TEST(DataSetStates, FailedPostKeepsTheEditAndItsChanges) {
    TRowsDataSet ds = NumberedRows(2);
    ds.onInternalPost = [](bool) { throw EDatabaseError("server said no"); };
    ds.Open();
    ds.Edit();
    ds.FieldByName("label").SetAsString("pending");
    EXPECT_THROW(ds.Post(), EDatabaseError);
    EXPECT_EQ(ds.State(), TDataSetState::dsEdit);
    EXPECT_EQ(ds.FieldByName("label").AsString(), "pending");
}

TEST(DataSetStates, RequiredFieldMustHaveAValue) {
    TRowsDataSet ds = NumberedRows(1);
    ds.Open();
    ds.FieldByName("n").SetRequired(true);
    ds.Append();
    ds.FieldByName("label").SetAsString("no number");
    try {
        ds.Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'n' must have a value");
    }
    ds.FieldByName("n").SetAsInteger(2);
    ds.Post();
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(ds.CurrentRowStatus(), TRowStatus::rsInserted);
}

TEST(DataSetStates, InsertGoesBeforeTheCurrentRowAndRenumbers) {
    TRowsDataSet ds = NumberedRows(3);
    ds.Open();
    ds.Next();
    ds.Insert();
    ds.FieldByName("n").SetAsInteger(99);
    ds.Post();
    std::vector<int> order;
    for (ds.First(); !ds.Eof(); ds.Next()) order.push_back(ds.FieldByName("n").AsInteger());
    EXPECT_EQ(order, (std::vector<int>{1, 99, 2, 3}));
    ds.Last();
    EXPECT_EQ(ds.RecNo(), 4);
}

TEST(DataSetStates, DeleteMovesToTheNextRowOrThePriorAtTheEnd) {
    TRowsDataSet ds = NumberedRows(3);
    ds.Open();
    ds.Next();
    ds.Delete();
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 3);
    ds.Delete();
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 1);
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(ds.deletes, 2);
    ds.Delete();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_THROW(ds.Delete(), EDatabaseError);
}

TEST(DataSetStates, DeletingAnUnpostedInsertJustDropsIt) {
    TRowsDataSet ds = NumberedRows(2);
    ds.Open();
    ds.Insert();
    ds.Delete();
    EXPECT_EQ(ds.deletes, 0);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(ds.State(), TDataSetState::dsBrowse);
}

TEST(DataSetLinks, LinksHearWhatChanged) {
    TRowsDataSet ds = NumberedRows(3);
    TDataSource source(&ds);
    TRecordingLink link;
    link.SetDataSource(&source);
    EXPECT_FALSE(link.Active());

    struct Step {
        const char* what;
        std::function<void()> run;
        TLog expected;
    };
    const std::vector<Step> steps = {
        {"open", [&] { ds.Open(); }, {"active"}},
        {"next", [&] { ds.Next(); }, {"scrolled"}},
        {"edit", [&] { ds.Edit(); }, {"state"}},
        {"set", [&] { ds.FieldByName("label").SetAsString("x"); }, {"record label"}},
        {"post", [&] { ds.Post(); }, {"state", "changed"}},
        {"last", [&] { ds.Last(); }, {"changed"}},
        {"close", [&] { ds.Close(); }, {"active"}},
    };
    for (const Step& step : steps) {
        link.log.clear();
        step.run();
        EXPECT_EQ(link.log, step.expected) << step.what;
    }
}

TEST(DataSetLinks, DisabledControlsHearOneChangeAtTheEnd) {
    TRowsDataSet ds = NumberedRows(5);
    TDataSource source(&ds);
    TRecordingLink link;
    link.SetDataSource(&source);
    ds.Open();
    link.log.clear();
    ds.DisableControls();
    ds.Next();
    ds.Next();
    ds.Last();
    EXPECT_TRUE(link.log.empty());
    ds.EnableControls();
    EXPECT_EQ(link.log, TLog{"changed"});
}

// A grid asking for more rows: the next packet arrives behind the cached
// rows, the current row and Bof stay, no scroll event fires, and the links
// hear one change per packet.
TEST(DataSetLinks, FetchMoreAppendsAPacketWithoutMoving) {
    TRowsDataSet ds = NumberedRows(12);
    ds.SetPacketRecords(5);
    TDataSource source(&ds);
    TRecordingLink link;
    link.SetDataSource(&source);
    EXPECT_THROW(ds.FetchMore(), EDatabaseError);   // closed
    ds.Open();
    TLog events;
    RecordEvents(ds, events);
    link.log.clear();
    EXPECT_EQ(ds.FetchMore(), 5);
    EXPECT_EQ(ds.CachedRowCount(), 10);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());
    EXPECT_EQ(link.log, TLog{"changed"});
    EXPECT_EQ(ds.FetchMore(), 2);
    EXPECT_TRUE(ds.AllRowsFetched());
    link.log.clear();
    EXPECT_EQ(ds.FetchMore(), 0);
    EXPECT_TRUE(link.log.empty()) << "nothing arrived: nothing to tell";
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(ds.FieldByName("n").AsInteger(), 1);

    TRowsDataSet forward = NumberedRows(12);
    forward.SetUniDirectional(true);
    forward.Open();
    EXPECT_EQ(forward.FetchMore(), 0) << "the one row a unidirectional data set keeps stays";
    EXPECT_EQ(forward.FieldByName("n").AsInteger(), 1);
}

TEST(DataSetLinks, DisabledSourcePassesNothingOn) {
    TRowsDataSet ds = NumberedRows(2);
    TDataSource source(&ds);
    TRecordingLink link;
    link.SetDataSource(&source);
    ds.Open();
    source.SetEnabled(false);
    link.log.clear();
    ds.Next();
    EXPECT_TRUE(link.log.empty());
    EXPECT_FALSE(link.Active());
}

TEST(DataSetLinks, EitherEndMayGoFirst) {
    auto source = std::make_unique<TDataSource>();
    {
        TRowsDataSet ds = NumberedRows(2);
        source->SetDataSet(&ds);
        auto link = std::make_unique<TRecordingLink>();
        link->SetDataSource(source.get());
        link.reset();   // a link destroyed first unregisters
        ds.Open();
    }
    EXPECT_EQ(source->DataSet(), nullptr);   // the data set told its source it is gone

    TRecordingLink link;
    {
        TDataSource shortLived;
        link.SetDataSource(&shortLived);
    }
    EXPECT_EQ(link.DataSource(), nullptr);
}

namespace {

class TDetailRows : public TRowsDataSet {
public:
    using TRowsDataSet::TRowsDataSet;
    TDataSource* master = nullptr;
    TDataSource* MasterSource() const override { return master; }
};

}  // namespace

TEST(DataSetLinks, LinkedToFollowsTheMasterChain) {
    TDetailRows a({{"n", TFieldType::ftInteger}}, {});
    TDetailRows b({{"n", TFieldType::ftInteger}}, {});
    TDataSource sourceOfA(&a);
    TDataSource sourceOfB(&b);
    EXPECT_TRUE(a.IsLinkedTo(&sourceOfA));   // a data set as its own master: circular
    EXPECT_FALSE(a.IsLinkedTo(&sourceOfB));
    a.master = &sourceOfB;
    EXPECT_TRUE(a.IsLinkedTo(&sourceOfB));
    EXPECT_FALSE(b.IsLinkedTo(&sourceOfA));
    b.master = &sourceOfA;   // b -> a -> b would be a cycle
    EXPECT_TRUE(b.IsLinkedTo(&sourceOfA));
}

TEST(DataSetLinks, ASourceRefusesADataSetThatItLeads) {
    TDetailRows a({{"n", TFieldType::ftInteger}}, {});
    TDetailRows b({{"n", TFieldType::ftInteger}}, {});
    TDataSource leadsA;
    a.master = &leadsA;
    EXPECT_THROW(
        {
            try {
                leadsA.SetDataSet(&a);   // a would be its own master
            } catch (const EDatabaseError& e) {
                EXPECT_STREQ(e.what(), "Circular datalinks are not allowed");
                throw;
            }
        },
        EDatabaseError);
    EXPECT_EQ(leadsA.DataSet(), nullptr) << "the refused link is not made";

    TDataSource sourceOfA(&a);
    b.master = &sourceOfA;   // a leads b
    EXPECT_THROW(leadsA.SetDataSet(&b), EDatabaseError) << "b -> a -> b through the source";
    TDetailRows c({{"n", TFieldType::ftInteger}}, {});
    leadsA.SetDataSet(&c);   // a chain without the source is fine
    EXPECT_EQ(leadsA.DataSet(), &c);
}

TEST(DataSetCalculatedFields, ComputedPerRowAndAfterChanges) {
    TRowsDataSet ds({{"n", TFieldType::ftInteger}, {"label", TFieldType::ftString}}, TRowsDataSet::Numbered(4));
    auto calc = std::make_unique<TIntegerField>("twice");
    calc->SetFieldKind(TFieldKind::fkCalculated);
    ds.AddField(std::make_unique<TIntegerField>("n"));
    ds.AddField(std::make_unique<TStringField>("label", 20));
    ds.AddField(std::move(calc));
    ds.OnCalcFields = [](TDataSet& d) { d.FieldByName("twice").SetAsInteger(d.FieldByName("n").AsInteger() * 2); };
    ds.Open();
    for (int n = 1; !ds.Eof(); ++n, ds.Next()) EXPECT_EQ(ds.FieldByName("twice").AsInteger(), 2 * n);

    ds.First();
    ds.Edit();
    ds.FieldByName("n").SetAsInteger(7);
    EXPECT_EQ(ds.FieldByName("twice").AsInteger(), 14);   // recalculated while editing
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("twice").AsInteger(), 2);

    ds.Close();
    EXPECT_EQ(ds.FieldCount(), 3);   // persistent fields outlive Close
}

TEST(DataSetCalculatedFields, WithoutAutoCalcNothingIsComputed) {
    TRowsDataSet ds({{"n", TFieldType::ftInteger}}, TRowsDataSet::Numbered(2));
    auto calc = std::make_unique<TIntegerField>("twice");
    calc->SetFieldKind(TFieldKind::fkCalculated);
    ds.AddField(std::make_unique<TIntegerField>("n"));
    ds.AddField(std::move(calc));
    int calls = 0;
    ds.OnCalcFields = [&](TDataSet&) { ++calls; };
    ds.SetAutoCalcFields(false);
    ds.Open();
    ds.Next();
    EXPECT_EQ(calls, 0);
    EXPECT_TRUE(ds.FieldByName("twice").IsNull());
}

TEST(DataSetFields, DefaultFieldsComeFromDefinitionsAndGoAtClose) {
    TRowsDataSet ds({{"a", TFieldType::ftInteger}, {"a", TFieldType::ftString}}, {{"1", "x"}});
    ds.Open();
    ASSERT_EQ(ds.FieldCount(), 2);
    EXPECT_EQ(ds.Field(1).FieldName(), "a_1");
    EXPECT_EQ(ds.FieldByName("A_1").AsString(), "x");   // names ignore case
    try {
        ds.FieldByName("missing");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Field 'missing' not found");
    }
    ds.Close();
    EXPECT_EQ(ds.FieldCount(), 0);
}

TEST(DataSetFields, OrdinaryFieldConversions) {
    TRowsDataSet ds({{"i", TFieldType::ftSmallint}, {"f", TFieldType::ftFloat}, {"b", TFieldType::ftBoolean},
                     {"d", TFieldType::ftDate}},
                    {{"-12", "2.5", "t", "1900-01-01"}});
    ds.Open();
    EXPECT_EQ(ds.FieldByName("i").AsString(), "-12");
    EXPECT_DOUBLE_EQ(ds.FieldByName("f").AsFloat(), 2.5);
    EXPECT_EQ(ds.FieldByName("b").AsString(), "t");
    EXPECT_TRUE(ds.FieldByName("b").AsBoolean());
    EXPECT_DOUBLE_EQ(ds.FieldByName("d").AsDateTime(), 2.0);   // day 2 after 1899-12-30
    ds.Edit();
    EXPECT_THROW(ds.FieldByName("i").SetAsInteger(40000), EDatabaseError);   // beyond SMALLINT
    EXPECT_THROW(ds.FieldByName("f").SetAsString("abc"), EDatabaseError);
    EXPECT_EQ(ds.FieldByName("i").AsInteger(), -12);   // bad input loses nothing
    ds.FieldByName("i").SetAsString("");
    EXPECT_TRUE(ds.FieldByName("i").IsNull());
}

TEST(DataSetFields, DateTextsOfDaysAMonthLacksAreRefused) {
    TRowsDataSet ds({{"d", TFieldType::ftDate}, {"t", TFieldType::ftTime}, {"dt", TFieldType::ftDateTime}},
                    {{"2024-02-29", "10:11:12", "2024-02-29 10:11:12"}});
    ds.Open();
    ds.Edit();
    TField& d = ds.FieldByName("d");
    TField& dt = ds.FieldByName("dt");
    for (const char* text : {"2024-02-30", "2023-02-29", "2024-04-31", "2024-13-01", "2024-00-10", "2024-01-00"})
        EXPECT_THROW(d.SetAsString(text), EDatabaseError) << text;
    for (const char* text : {"2024-02-28 24:00:00", "2024-02-28 10:60:00", "2024-02-28 10:00:61"})
        EXPECT_THROW(dt.SetAsString(text), EDatabaseError) << text;
    EXPECT_THROW(ds.FieldByName("t").SetAsString("25:00"), EDatabaseError);
    EXPECT_EQ(d.AsString(), "2024-02-29");   // a refused text loses nothing
    d.SetAsString("2024-12-31");
    EXPECT_EQ(d.AsString(), "2024-12-31");
    dt.SetAsString("2000-02-29 23:59:59");
    EXPECT_EQ(dt.AsString(), "2000-02-29 23:59:59");
    ds.FieldByName("t").SetAsString("23:59");
    EXPECT_EQ(ds.FieldByName("t").AsString(), "23:59:00");
}

TEST(DataSetBlobFields, BytesOfAnyLengthSurviveEditsAndGoWithTheirRows) {
    const std::string big(100000, 'b');
    TRowsDataSet ds({{"n", TFieldType::ftInteger}, {"memo", TFieldType::ftMemo}}, {{"1", big}, {"2", ""}, {"3", "short"}});
    ds.SetPacketRecords(-1);
    ds.Open();
    TField& memo = ds.FieldByName("memo");
    ASSERT_NE(dynamic_cast<TBlobField*>(&memo), nullptr);
    EXPECT_EQ(memo.AsString(), big);
    EXPECT_EQ(dynamic_cast<TBlobField&>(memo).BlobSize(), big.size());

    ds.Edit();
    memo.SetAsString("edited");
    EXPECT_EQ(memo.AsString(), "edited");
    ds.Cancel();
    EXPECT_EQ(memo.AsString(), big);   // the edit had its own copy

    ds.Edit();
    memo.SetAsString("posted");
    ds.Post();
    EXPECT_EQ(memo.AsString(), "posted");
    ds.Next();
    EXPECT_TRUE(memo.IsNull());
    ds.Edit();
    memo.SetAsString(big);
    ds.Post();
    ds.Next();
    ds.Delete();
    ds.First();
    EXPECT_EQ(memo.AsString(), "posted");
    ds.Next();
    EXPECT_EQ(memo.AsString(), big);
    ds.Close();   // every row's bytes are freed with the cache (checked under AddressSanitizer)
}

TEST(DataSetBlobFields, CalculatedBlobIsRecomputedWithoutLeaking) {
    TRowsDataSet ds({{"n", TFieldType::ftInteger}}, TRowsDataSet::Numbered(3));
    ds.AddField(std::make_unique<TIntegerField>("n"));
    auto calc = std::make_unique<TBlobField>("text", TFieldType::ftMemo);
    calc->SetFieldKind(TFieldKind::fkCalculated);
    ds.AddField(std::move(calc));
    ds.OnCalcFields = [](TDataSet& d) {
        d.FieldByName("text").SetAsString(std::string(static_cast<std::size_t>(d.FieldByName("n").AsInteger()), '*'));
    };
    ds.Open();
    ds.Last();
    EXPECT_EQ(ds.FieldByName("text").AsString(), "***");
    ds.Edit();
    ds.FieldByName("n").SetAsInteger(5);
    EXPECT_EQ(ds.FieldByName("text").AsString(), "*****");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("text").AsString(), "*****");
}
