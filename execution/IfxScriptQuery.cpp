#include "execution/IfxScriptQuery.h"

#include <type_traits>
#include <variant>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxQuery.h"
#include "execution/ScriptExecutor.h"

namespace varnok {

std::shared_ptr<TScriptExecutor> TScriptExecutor::Create(TIfxQuery& query,
                                                         std::shared_ptr<TExecutorHandOver> handOver) {
    return Create(std::make_unique<TIfxScriptQuery>(query), std::move(handOver));
}

TIfxConnection& TIfxScriptQuery::Connection() {
    TIfxConnection* connection = query_.Connection();
    if (!connection) throw EIfxAccessError("This operation requires a connection");
    return *connection;
}

void TIfxScriptQuery::SetSQL(const std::string& text) {
    query_.SetSQLText(text); // closes the previous result and unprepares
    params_ = MakeParamList(query_.InnerSQL().ParamNames());
}

void TIfxScriptQuery::Prepare() {
    query_.Prepare();
}
int TIfxScriptQuery::StatementType() {
    return query_.StatementType();
}
int TIfxScriptQuery::ResultColumnCount() {
    return query_.ResultColumnCount();
}

void TIfxScriptQuery::Open() {
    BindParams();
    query_.Open();
}

void TIfxScriptQuery::Execute() {
    BindParams();
    query_.Execute();
}

bool TIfxScriptQuery::IsSequenced() {
    return query_.IsSequenced();
}
int TIfxScriptQuery::RecordCount() {
    return query_.RecordCount();
}
int TIfxScriptQuery::PacketRecords() {
    return query_.PacketRecords();
}

void TIfxScriptQuery::BindParams() {
    for (const TStatementParam& param : params_)
        AssignParamValue(query_.ParamByName(param.name), param);
}

void AssignParamValue(TParam& target, const TStatementParam& source) {
    std::visit(
        [&target](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                target.Clear();
            } else if constexpr (std::is_same_v<T, std::string>) {
                target.SetAsString(value);
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                target.SetAsInteger(value);
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                target.SetAsLargeInt(value);
            } else if constexpr (std::is_same_v<T, double>) {
                target.SetAsFloat(value);
            } else if constexpr (std::is_same_v<T, TParamDate>) {
                target.SetAsDate(EncodeDateTime(value.year, value.month, value.day));
            } else if constexpr (std::is_same_v<T, TParamDateTime>) {
                target.SetAsDateTime(EncodeDateTime(value.date.year, value.date.month, value.date.day,
                                                    value.hour, value.minute, value.second, value.msec));
            } else if constexpr (std::is_same_v<T, TParamCurrency>) {
                target.SetAsCurrency(static_cast<double>(value.scaled) / 10000.0);
            }
        },
        source.value);
}

} // namespace varnok
