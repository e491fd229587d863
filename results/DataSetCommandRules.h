#pragma once
// When the commands of a result view are enabled. The data-set commands
// follow the usual rules of such commands: moving back needs a row before the
// current one, moving on a row after it (or rows still to fetch), changing
// rows needs a data set that can be modified, Post and Cancel need a pending
// edit or insert. A read-only view offers no changes at all.
#include "dbaccess/DataSet.h"

namespace varnok {

struct TDataSetCommandStates {
    bool first = false, prior = false, next = false, last = false;
    bool insert = false, remove = false, edit = false, post = false, cancel = false;
};

// The data set is there and open: the rule of every view command that is
// not a data-set command.
bool DataSetOpen(const TDataSet* ds);

TDataSetCommandStates DataSetCommandStates(const TDataSet* ds, bool readOnly);

}  // namespace varnok
