#pragma once
// The settings that decide how a data set writes its changed rows back:
// which fields the where part compares, which checks and which transaction
// wrap an applied change, and when a posted row is read again.
#include <set>

namespace varnok {

// Which fields identify the row in the where part of an update or delete.
enum class TUpdateMode { upWhereAll, upWhereChanged, upWhereKeyOnly };

enum class TUpdateOption { uoCheckRowsAffected, uoAllowAutomaticUpdate, uoAllowMultiRecordUpdates, uoUpdateInTransaction };
using TUpdateOptions = std::set<TUpdateOption>;

inline TUpdateOptions DefaultUpdateOptions() {
    return {TUpdateOption::uoCheckRowsAffected, TUpdateOption::uoAllowAutomaticUpdate};
}

// When a posted row is read back from the server.
enum class TRecordRefreshMode { rmNone, rmInserted, rmPosted };

// The kind of change being applied.
enum class TUpdateKind { ukModify, ukInsert, ukDelete };

// What OnUpdateError decides.
enum class TUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };

}  // namespace varnok
