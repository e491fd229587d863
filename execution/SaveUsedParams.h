#pragma once
// TSaveUsedParams: the values used with earlier statements, so that a later
// statement offers them again. Three parallel lists (names, type names,
// values), index 0 the most recent; a name occurs at most once; at most 49
// entries (the one that would be the 50th pushes the oldest out at once).
// Lives for the whole run and is never saved.
#include <cstddef>
#include <string>
#include <vector>

namespace varnok {

struct TUsedParam {
    std::string typeName;  // empty when the name was never used
    std::string value;
};

class TSaveUsedParams {
public:
    static constexpr std::size_t kMaxEntries = 49;

    // Moves (or puts) the name's entry to index 0 with these texts.
    void Remember(const std::string& name, const std::string& typeName, const std::string& value);
    // The remembered type name and value of name, or two empty texts.
    TUsedParam Recall(const std::string& name) const;
    // Every remembered value whose type name is typeName, most recent first.
    std::vector<std::string> ValuesOfType(const std::string& typeName) const;

    std::size_t Count() const { return names_.size(); }
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& TypeNames() const { return typeNames_; }
    const std::vector<std::string>& Values() const { return values_; }

private:
    std::vector<std::string> names_;
    std::vector<std::string> typeNames_;
    std::vector<std::string> values_;
};

}  // namespace varnok
