#include "connections/ConnectionForm.h"

#include "connections/PasswordCoder.h"

namespace varnok {

TConnectionFormValues FormValuesFromRecord(const TConnectionsParam& record, int pictureCount) {
    TConnectionFormValues values;
    values.name = record.Name;
    values.server = record.Server;
    values.database = record.DataBase;
    values.user = record.User;
    values.password = record.Password;
    values.askPassword = record.AskPassword;
    values.script = record.Script;
    values.pictureIndex = (record.Ico >= 0 && record.Ico < pictureCount) ? record.Ico : -1;
    return values;
}

void ApplyFormValues(const TConnectionFormValues& values, TConnectionsParam& record) {
    record.Name = values.name;
    record.Server = values.server;
    record.DataBase = values.database;
    record.User = values.user;
    record.Password = values.password;
    if (!values.password.empty()) record.UnreadableCrPassword.clear();
    record.AskPassword = values.askPassword;
    record.Script = values.script;
    record.Ico = values.pictureIndex;
}

std::optional<std::string> CheckFormValues(const TConnectionFormValues& values) {
    if (!PasswordFitsCoder(values.password))
        return "The password is too long to be saved: it has " + std::to_string(values.password.size()) +
               " bytes, at most " + std::to_string(kMaxPasswordBytes) + " are possible";
    return std::nullopt;
}

std::vector<std::string> TestConnectionParamLines(const TConnectionFormValues& values) {
    return {"INFORMIXSERVER=" + values.server, "DATABASE=" + values.database, "WIN32USER=" + values.user,
            "WIN32PASS=" + values.password};
}

}  // namespace varnok
