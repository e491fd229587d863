#pragma once
// A data set whose rows arrive as the client library's own values: each text
// is parsed by a value object of the column's type (through the library), and
// the field manager step copies that value into the row — into a native field
// in place, or converted into an ordinary field. This is the path a query's
// fetched row takes.
#include <memory>
#include <string>
#include <vector>

#include "dbaccess/DataSet.h"
#include "dbaccess/IfxField.h"

namespace varnok::testing {

struct TColumn {
    std::string name;
    int sqlType;
    int sqlLen;
    int extendedId = 0;
};

class TIfxRowsDataSet : public TDataSet {
public:
    TIfxRowsDataSet(const TIfxLibrary& lib, TIfxFieldTypes& types, std::vector<TColumn> columns,
                    std::vector<std::vector<std::string>> rows)
        : lib_(lib), types_(types), columns_(std::move(columns)), rows_(std::move(rows)) {}

    bool trimStrings = true;

protected:
    void InternalOpen() override {
        next_ = 0;
        FieldDefs().Clear();
        staging_.clear();
        int no = 0;
        for (const TColumn& c : columns_) {
            types_.AddFieldDef(FieldDefs(), ++no, c.extendedId, c.sqlLen, c.sqlType, c.name);
            // Held by pointer: the value keeps the addresses of its buffer and indicator.
            auto staged = std::make_unique<TStaged>();
            staged->value = CreateIfxValue(lib_, c.sqlType, c.sqlLen, c.extendedId, c.name);
            staged->buffer.assign(staged->value->BufferSize() + 8, 0);
            staged->value->Bind(staged->buffer.data(), &staged->indicator);
            staging_.push_back(std::move(staged));
        }
    }

    std::unique_ptr<TField> CreateField(const TFieldDef& def) override { return CreateIfxField(lib_, types_, def); }

    bool FetchRow() override {
        if (next_ >= rows_.size()) return false;
        const auto& row = rows_[next_++];
        for (int i = 0; i < FieldCount(); ++i) {
            TField& field = Field(i);
            TStaged& staged = *staging_.at(static_cast<std::size_t>(field.FieldNo() - 1));
            const std::string& text = row.at(static_cast<std::size_t>(field.FieldNo() - 1));
            if (text.empty())
                staged.value->SetNull();
            else
                staged.value->SetAsString(text);
            if (auto* native = dynamic_cast<TIfxNativeField*>(&field))
                native->LoadFrom(*staged.value, trimStrings);
            else
                LoadOrdinaryField(field, *staged.value, trimStrings);
        }
        return true;
    }

private:
    struct TStaged {
        std::unique_ptr<TIfxValue> value;
        std::vector<char> buffer;
        int2 indicator = -1;
    };
    const TIfxLibrary& lib_;
    TIfxFieldTypes& types_;
    std::vector<TColumn> columns_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<std::unique_ptr<TStaged>> staging_;
    std::size_t next_ = 0;
};

}  // namespace varnok::testing
