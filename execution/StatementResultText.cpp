#include "execution/StatementResultText.h"

#include <array>

namespace varnok {
namespace {

constexpr int kLastKnownType = 116;

// Texts of the types 0..116 that carry no number; empty where the type has a
// counted text or no text.
constexpr std::array<std::string_view, kLastKnownType + 1> MakeFixedTexts() {
    std::array<std::string_view, kLastKnownType + 1> t{};
    t[1] = "Database selected.";
    t[7] = "UPDATE WHERE CURRENT OF";
    t[8] = "DELETE WHERE CURRENT OF";
    t[10] = "Table locked.";
    t[11] = "Table unlocked.";
    t[12] = "Database created.";
    t[13] = "Database dropped.";
    t[14] = "Table created.";
    t[15] = "Table dropped.";
    t[16] = "Index created.";
    t[17] = "Index dropped.";
    t[18] = "Permission granted.";
    t[19] = "Permission revoked.";
    t[20] = "Table renamed.";
    t[21] = "Column renamed.";
    t[22] = "Audit created.";
    t[23] = "for internal use only";
    t[24] = "for internal use only";
    t[25] = "Audit dropped.";
    t[26] = "Table recovered.";
    t[27] = "Table checked.";
    t[28] = "Table repaired.";
    t[29] = "Table altered.";
    t[30] = "Statistics updated.";
    t[31] = "Database closed.";
    t[34] = "Started transaction.";
    t[35] = "Data committed.";
    t[36] = "Transaction rolled back.";
    t[38] = "Database started.";
    t[39] = "Database rolled forward.";
    t[40] = "View created.";
    t[41] = "View dropped.";
    t[42] = "Debug.";
    t[43] = "Synonym created.";
    t[44] = "Synonym dropped.";
    t[45] = "Temporary table created.";
    t[46] = "Lockmode set.";
    t[47] = "Index altered.";
    t[48] = "Isolation level set.";
    t[49] = "Log set.";
    t[50] = "Explain set.";
    t[51] = "Schema created.";
    t[52] = "Optimization level set.";
    t[53] = "Routine created.";
    t[54] = "Routine dropped.";
    t[55] = "Constraint mode set.";
    t[56] = "Routine executed.";
    t[57] = "Debug file for trace opened.";
    t[58] = "Optical cluster created.";
    t[59] = "Optical cluster altered.";
    t[60] = "Optical cluster dropped.";
    t[61] = "Reserved optical volume.";
    t[62] = "Released optical volume.";
    t[63] = "Mounting timeout set for optical media.";
    t[64] = "Routine Statistics updated.";
    t[70] = "Trigger created.";
    t[71] = "Trigger dropped.";
    t[73] = "Dataskip set.";
    t[74] = "PDQ Priority set.";
    t[75] = "Alter fragment completed.";
    t[76] = "Mode set.";
    t[77] = "Table started.";
    t[78] = "Table stopped.";
    t[79] = "Session level set.";
    t[80] = "Session authorization set.";
    t[81] = "Table high set.";
    t[82] = "Extent size set";
    t[83] = "Role created.";
    t[84] = "Role dropped.";
    t[85] = "Role set.";
    t[86] = "DBpassword set.";
    t[87] = "Database renamed.";
    t[88] = "Domain created.";
    t[89] = "Domain dropped.";
    t[90] = "Row type created.";
    t[91] = "Row type dropped.";
    t[92] = "Distinct type created.";
    t[93] = "Cast created.";
    t[94] = "Cast dropped.";
    t[95] = "Opaque type created.";
    t[96] = "Type dropped.";
    t[97] = "Routine altered.";
    t[98] = "Access_method created.";
    t[99] = "Access_method dropped.";
    t[100] = "Access_method altered.";
    t[101] = "Opclass created.";
    t[102] = "Opclass dropped.";
    t[103] = "Constructor created.";
    t[104] = "Memory resident status changed.";
    t[105] = "Aggregate created.";
    t[106] = "Aggregate dropped.";
    t[107] = "PLOAD file opened.";
    t[108] = "onutil check index command";
    t[109] = "SCHEDULE level set.";
    t[110] = "Environment set.";
    for (int i = 111; i <= 114; ++i) t[i] = "reserved for future use";
    t[115] = "Statement cache set.";
    t[116] = "Index renamed.";
    return t;
}
constexpr auto kFixedTexts = MakeFixedTexts();

}  // namespace

std::string_view FixedStatementText(int type) {
    if (type < 0 || type > kLastKnownType) return {};
    return kFixedTexts[static_cast<std::size_t>(type)];
}

std::string StatementResultText(int type, std::int32_t processed, bool allFetched, std::int32_t count) {
    const std::string rows = std::to_string(processed);
    switch (type) {
    case TStmtType::Select:
        return std::to_string(count) + (allFetched ? " row(s) retrieved." : " row(s) fetched.");
    case 3:
        return rows + " row(s) retrieved into temp table.";
    case 4:
    case TStmtType::UpdateAll:
        return rows + " row(s) updated.";
    case 5:
    case TStmtType::DeleteAll:
        return rows + " row(s) deleted.";
    case 6:
    case 9:
        return rows + " row(s) inserted.";
    case TStmtType::Savepoint:
        // "Savepoint %d." takes the rows-processed number, like the other
        // counted texts: it is the one number the server reports for the
        // statement, so the log shows what the server said and nothing made up.
        return "Savepoint " + rows + ".";
    default:
        return std::string(FixedStatementText(type));
    }
}

}  // namespace varnok
