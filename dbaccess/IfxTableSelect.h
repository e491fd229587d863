#pragma once
// The select statement of a TIfxTable: which index orders its rows and the
// text "select * from <table> [where …] [order by …]".
#include <string>
#include <string_view>
#include <vector>

#include "dbaccess/IndexDefs.h"

namespace varnok {

struct TIfxTableOrder {
    std::vector<std::string> fields;
    std::vector<std::string> descFields;
    bool Empty() const { return fields.empty(); }
};

// One entry of IndexFieldNames: a field name, optionally followed by " desc"
// or " asc" (any case). Without a direction the index decides (ascending
// when no index has these fields).
struct TIfxOrderEntry {
    enum TDirection { odDefault, odAscending, odDescending };
    std::string field;
    TDirection direction = odDefault;
};

// "name desc; id" → {{"name", odDescending}, {"id", odDefault}}; empty entries are dropped.
std::vector<TIfxOrderEntry> SplitOrderEntries(std::string_view indexFieldNames);

// The order of the rows: IndexFieldNames (the fields of a matching index when
// there is one — with its descending columns, unless an entry names its own
// direction — else the names as given, ascending unless marked " desc"), else the index named IndexName ("Index '%s' not found" when
// there is none), else with defaultIndex the primary index, else the first
// unique one, else none.
TIfxTableOrder ChooseTableOrder(const TIndexDefs& indexes, std::string_view indexFieldNames,
                                std::string_view indexName, bool defaultIndex);

struct TIfxTableSelect {
    std::string fullName;
    std::string filter;          // used when filtered and not blank
    bool filtered = false;
    // With an active master link: the index fields that take the master's
    // values, each compared with a parameter of its own name.
    std::vector<std::string> masterLinkFields;
    char paramChar = ':';
    TIfxTableOrder order;
};

std::string TableSelectText(const TIfxTableSelect& select);

// Raises "Detail field list doesn't match to the master" when the order has
// fewer fields than the master link supplies values.
void CheckMasterFieldCount(const TIfxTableOrder& order, std::size_t masterFieldCount);

}  // namespace varnok
