#pragma once
// A data set over rows of texts held in memory: the smallest concrete data
// set, used to drive the framework's rules. It counts the rows it was asked
// for, so tests can see when the framework fetches.
#include <functional>
#include <string>
#include <vector>

#include "dbaccess/DataSet.h"

namespace varnok::testing {

class TRowsDataSet : public TDataSet {
public:
    using TRow = std::vector<std::string>;   // "" is null

    // columns: name and kind of each data column.
    TRowsDataSet(std::vector<std::pair<std::string, TFieldType>> columns, std::vector<TRow> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    int fetchCalls = 0;
    int posts = 0;
    int deletes = 0;
    std::function<void(bool inserting)> onInternalPost;

    static std::vector<TRow> Numbered(int count) {
        std::vector<TRow> rows;
        for (int i = 1; i <= count; ++i) rows.push_back({std::to_string(i), "row " + std::to_string(i)});
        return rows;
    }

protected:
    void InternalOpen() override {
        next_ = 0;
        FieldDefs().Clear();
        int no = 0;
        for (const auto& [name, kind] : columns_) {
            TFieldDef def;
            def.name = FieldDefs().UniqueName(name);
            def.kind = kind;
            def.size = 20;
            def.fieldNo = ++no;
            FieldDefs().Add(def);
        }
    }

    bool FetchRow() override {
        ++fetchCalls;
        if (next_ >= rows_.size()) return false;
        const TRow& row = rows_[next_++];
        int column = 0;
        for (int i = 0; i < FieldCount(); ++i) {
            TField& field = Field(i);
            if (field.Calculated()) continue;
            const std::string& text = row.at(static_cast<std::size_t>(column++));
            if (!text.empty()) field.SetAsString(text);
        }
        return true;
    }

    void InternalPost(bool inserting) override {
        if (onInternalPost) onInternalPost(inserting);
        ++posts;
    }
    void InternalDelete() override { ++deletes; }

private:
    std::vector<std::pair<std::string, TFieldType>> columns_;
    std::vector<TRow> rows_;
    std::size_t next_ = 0;
};

inline TRowsDataSet NumberedRows(int count) {
    return TRowsDataSet({{"n", TFieldType::ftInteger}, {"label", TFieldType::ftString}}, TRowsDataSet::Numbered(count));
}

}  // namespace varnok::testing
