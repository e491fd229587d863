#pragma once
// TIfxSQL: the plain statement component. Set Connection and SQL, fill the
// parameters by name, then Execute a statement, or Open a query and walk its
// rows with FetchNext, reading the columns from Fields().
//
//   TIfxSQL sql;
//   sql.SetConnection(&db);
//   sql.SetSQLText("select name from t where id = :id");
//   sql.ParamByName("id").SetAsInteger(5);
//   sql.Open();                       // GoToFirstRecordOnOpen: the first row is there
//   while (!sql.EndOfRows()) { use(sql.Fields()[0].Value()->AsString()); sql.FetchNext(); }
//   sql.Close();
#include "dbaccess/IfxCustomSQL.h"
#include "dbaccess/IfxParams.h"

namespace varnok {

class TIfxSQL : public TIfxCustomSQL {
public:
    TIfxSQL() : TIfxCustomSQL("TIfxSQL") {}

    // Opening fetches the first row (default true).
    bool GoToFirstRecordOnOpen() const { return goToFirst_; }
    void SetGoToFirstRecordOnOpen(bool on) { goToFirst_ = on; }

    void Open();
    void Close() { CloseCursor(); }
    bool Active() const { return CursorOpen(); }
    // 0 when a row was fetched, 100 at the end of the rows.
    int FetchNext() { return Fetch(FETCH_NEXT); }

    // The value of the first marker of that name (a repeated name shares it);
    // "Host variable ('%s') not found".
    TParam& ParamByName(std::string_view name);
    int ParamCount() { return InputParams().Count(); }

private:
    bool goToFirst_ = true;
};

}  // namespace varnok
