#include "engine/CollectionTypes.h"

#include <sqlite3.h>

#include "engine/CatalogDb.h"
#include "engine/CatalogTypes.h"
#include "engine/StatementTranslate.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

bool closes(const std::vector<Token>& t, std::size_t k) { return k < t.size() && t[k].isSymbol(")"); }

// Types a collection element or a row field may not have.
bool storableMember(const IfxType& m) {
    return m.serial == SerialKind::None && m.code != SQLBYTES && m.code != SQLTEXT;
}

}  // namespace

std::optional<IfxType> parseComplexType(const std::vector<Token>& t, std::size_t& k) {
    if (k == 0 || k >= t.size() || !t[k].isSymbol("(")) return std::nullopt;
    const Token& keyword = t[k - 1];
    IfxType type;
    std::size_t i = k + 1;
    if (keyword.is("ROW")) {
        type.code = SQLROW;
        type.text = "ROW(";
        for (;;) {
            if (i >= t.size() || (t[i].kind != TokenKind::Word && t[i].kind != TokenKind::String)) return std::nullopt;
            const std::string field = foldName(t[i]);
            for (const auto& f : type.fields)
                if (f == field) return std::nullopt;  // a field name twice
            ++i;
            auto member = parseTypeDecl(t, i);
            if (!member || !storableMember(*member)) return std::nullopt;
            std::string memberText = member->text;
            if (i + 1 < t.size() && t[i].is("NOT") && t[i + 1].is("NULL")) {
                memberText += " NOT NULL";
                i += 2;
            }
            type.length += catalog::columnStorageSize(*member);
            type.text += (type.fields.empty() ? "" : ", ") + field + " " + memberText;
            type.fields.push_back(field);
            type.members.push_back(std::move(*member));
            if (i < t.size() && t[i].isSymbol(",")) { ++i; continue; }
            if (!closes(t, i)) return std::nullopt;
            break;
        }
        type.text += ")";
    } else {
        if (keyword.is("SET")) type.code = SQLSET;
        else if (keyword.is("MULTISET")) type.code = SQLMULTISET;
        else if (keyword.is("LIST")) type.code = SQLLIST;
        else return std::nullopt;
        auto member = parseTypeDecl(t, i);
        // Elements of a collection are never NULL, and Informix wants that said.
        if (!member || !storableMember(*member) || i + 2 >= t.size() || !t[i].is("NOT") || !t[i + 1].is("NULL") ||
            !closes(t, i + 2))
            return std::nullopt;
        i += 2;
        type.length = kCollectionLength;
        type.text = toUpperAscii(keyword.text) + "(" + member->text + " NOT NULL)";
        type.members.push_back(std::move(*member));
    }
    k = i + 1;
    return type;
}

namespace catalog {

std::int64_t extendedIdOf(sqlite3* db, const std::string& owner, const IfxType& type) {
    if (!type.isComplex()) return type.xid;
    // Informix names an unnamed type by its declaration; columns of the same type share the row.
    const std::string name = toLowerAscii(type.text);
    const std::int64_t found =
        scalar(db, "SELECT extended_id FROM sysxtdtypes WHERE mode = 'C' AND name = ? AND type = ?",
               {name, std::int64_t{type.code}}, 0);
    if (found > 0) return found;
    const std::int64_t id = scalar(db, "SELECT max(coalesce(max(extended_id), 0), 2047) + 1 FROM sysxtdtypes", {}, 2048);
    const int rc = run(db,
                       "INSERT INTO sysxtdtypes (extended_id, domain, mode, owner, name, type, source, maxlen, "
                       "length, byvalue, cannothash, align, locator) "
                       "VALUES (?, 'C', 'C', ?, ?, ?, 0, ?, 0, 'F', 'F', 4, 0)",
                       {id, owner, name, std::int64_t{type.code}, std::int64_t{type.length}});
    return rc == SQLITE_OK ? id : 0;
}

int pruneUnnamedTypes(sqlite3* db) {
    return run(db, "DELETE FROM sysxtdtypes WHERE mode = 'C' AND extended_id NOT IN "
                   "(SELECT extended_id FROM syscolumns WHERE extended_id IS NOT NULL)");
}

}  // namespace catalog

}  // namespace ifxsim
