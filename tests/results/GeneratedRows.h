#pragma once
// An in-memory data set whose cells are computed from their row and column
// numbers, so a million rows cost no memory until they are fetched. It counts
// the rows it was asked for, and its posts, so tests see when the framework
// fetches and writes. Used by the result-grid tests and the grid benchmark.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dbaccess/DataSet.h"
#include "dbaccess/DataSetField.h"

namespace varnok::testing {

class TGeneratedRows : public TDataSet {
public:
    // row and column from 0; nullopt is a null.
    using TCellFn = std::function<std::optional<std::string>(int row, int column)>;

    TGeneratedRows(std::vector<std::pair<std::string, TFieldType>> columns, int rowCount, TCellFn cell)
        : columns_(std::move(columns)), rowCount_(rowCount), cell_(std::move(cell)) {}

    // Columns "n" (integer, row + 1), "label" ("row <n>", null every 7th row)
    // and "note" (always null).
    static std::vector<std::pair<std::string, TFieldType>> StandardColumns() {
        return {{"n", TFieldType::ftInteger}, {"label", TFieldType::ftString}, {"note", TFieldType::ftString}};
    }
    static std::optional<std::string> StandardCell(int row, int column) {
        switch (column) {
        case 0: return std::to_string(row + 1);
        case 1: return (row + 1) % 7 == 0 ? std::nullopt : std::optional<std::string>("row " + std::to_string(row + 1));
        default: return std::nullopt;
        }
    }

    int fetchedRows = 0;   // rows delivered since construction
    int posts = 0;
    bool readOnly = false;
    int stringSize = 30;   // characters a string column keeps
    std::function<void(bool inserting)> onInternalPost;

    bool CanModify() const override { return !readOnly && TDataSet::CanModify(); }

protected:
    void InternalOpen() override {
        next_ = 0;
        FieldDefs().Clear();
        int no = 0;
        for (const auto& [name, kind] : columns_) {
            TFieldDef def;
            def.name = name;
            def.kind = kind;
            def.size = stringSize;
            def.fieldNo = ++no;
            FieldDefs().Add(def);
        }
    }

    bool FetchRow() override {
        if (next_ >= rowCount_) return false;
        for (int i = 0; i < FieldCount(); ++i) {
            TField& field = Field(i);
            if (std::optional<std::string> text = cell_(next_, field.FieldNo() - 1)) field.SetAsString(*text);
        }
        ++next_;
        ++fetchedRows;
        return true;
    }

    void InternalPost(bool inserting) override {
        if (onInternalPost) onInternalPost(inserting);
        ++posts;
    }

private:
    std::vector<std::pair<std::string, TFieldType>> columns_;
    int rowCount_;
    TCellFn cell_;
    int next_ = 0;
};

inline std::unique_ptr<TGeneratedRows> StandardRows(int count, int packetRecords) {
    auto rows = std::make_unique<TGeneratedRows>(TGeneratedRows::StandardColumns(), count, TGeneratedRows::StandardCell);
    rows->SetPacketRecords(packetRecords);
    return rows;
}

}  // namespace varnok::testing
