#pragma once
// Session facts inside SQL, registered on every database handle a
// connection opens, for the statement side's translations:
//   ifx_session_id()      DBINFO('sessionid')
//   ifx_session_user()    USER
//   ifx_server_name()     DBSERVERNAME, SITENAME
//   ifx_database_name()   DBINFO('dbname')
//   ifx_syssessions       a read-only table of the server's sessions
//                         (sysmaster:informix.syssessions): sid, username,
//                         uid, pid, hostname, tty, connected, feprogram,
//                         pooladdr, state
struct sqlite3;

namespace ifxsim {

class Connection;

// 0, or the SQLite error of a registration that failed.
int RegisterSessionFunctions(sqlite3* db, Connection& connection);

}  // namespace ifxsim
