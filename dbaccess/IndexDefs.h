#pragma once
// Index definitions of a table: what TIfxTable learns from the catalog about
// each index (name, columns in order, descending columns, primary, unique)
// and uses to choose the order of its rows.
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

enum class TIndexOption { ixPrimary, ixUnique, ixDescending };
using TIndexOptions = std::set<TIndexOption>;

struct TIndexDef {
    std::string name;
    std::vector<std::string> fields;      // in key order
    std::vector<std::string> descFields;  // the descending ones among them
    TIndexOptions options;

    bool Has(TIndexOption option) const { return options.count(option) != 0; }
    bool IsDescending(std::string_view field) const;
    // The fields joined by ";" (the form of IndexFieldNames).
    std::string FieldsText() const;
};

class TIndexDefs {
public:
    TIndexDef& Add(TIndexDef def);
    void Clear() { defs_.clear(); }
    int Count() const { return static_cast<int>(defs_.size()); }
    const TIndexDef& operator[](int i) const { return defs_.at(static_cast<std::size_t>(i)); }
    auto begin() const { return defs_.begin(); }
    auto end() const { return defs_.end(); }

    // By name, ignoring case; null when there is none.
    const TIndexDef* Find(std::string_view name) const;
    // The first index whose fields are exactly these (ignoring case), or null.
    const TIndexDef* FindByFields(const std::vector<std::string>& fields) const;
    const TIndexDef* Primary() const;
    const TIndexDef* FirstUnique() const;

private:
    std::vector<TIndexDef> defs_;
};

// "a; b ;c" → {"a", "b", "c"}; empty items are dropped.
std::vector<std::string> SplitFieldList(std::string_view text);

}  // namespace varnok
