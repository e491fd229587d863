#pragma once
// Row fetching on behalf of a grid, on the data set's open cursor (the
// statement is never run again), and the record count of the result views.
#include <string>

#include "dbaccess/DataSet.h"

namespace varnok {

// A further packet can be fetched without leaving a pending edit: the data
// set is open, keeps its rows (not unidirectional), has rows left to fetch
// and is browsing.
bool CanFetchNextPacket(const TDataSet& ds);

// Fetches the next packet of PacketRecords rows without moving the current
// row or firing scroll events; returns the number of rows that arrived. The
// data set's links hear one "data set changed" when rows arrived.
int FetchNextPacket(TDataSet& ds);

// The record count of a result view: with the controls disabled, remember
// the current row, go to the last row (fetching every remaining row), take
// RecordCount and go back to the remembered row. A failure still restores
// the controls and, when it can, the row.
int CountAllRows(TDataSet& ds);

// "Rows : %d".
std::string RecordCountText(int count);

}  // namespace varnok
