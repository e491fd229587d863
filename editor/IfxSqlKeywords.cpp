#include "editor/IfxSqlKeywords.h"

namespace varnok {

const char* IfxSqlKeywords() {
    // Statements, clauses and SPL, then data types and Informix storage words.
    return "add after all alter and ansi any append as asc at attach audit authorization avoid_execute "
           "before begin between both buffered by cache call cascade case check close cluster "
           "collation column comment commit committed connect constraint constraints continue "
           "create cross current cursor database dba deallocate declare default deferred define "
           "delete delimiter desc describe detach dirty disable disabled distinct distributions "
           "do document drop each elif else enable enabled end error escape except exception "
           "exclusive execute exists exit explain extent external fetch filtering first for "
           "foreach foreign fragment free from full function global goto grant group having "
           "high hold if immediate in index inner insert instead intersect into is isolation "
           "join key language last left let level like limit lock log low match matches medium "
           "middle minus mode modify name new next no not null nulls of off old on only open "
           "option or order outer page percall permission primary prepare private privileges "
           "procedure public raise read recover references referencing release remainder rename "
           "repeatable resource restrict resume return returning returns revoke right robin "
           "role rollback round row rows savepoint schema select sequence session set share "
           "size skip some specific stability start statement statistics step stop synonym "
           "system table temp then to trace transaction trigger truncate union unique unlock "
           "update upon using values view violations wait when whenever where while with "
           "without work "
           // types and type qualifiers
           "bigint bigserial blob boolean byte char character clob date datetime day dec "
           "decimal double float fraction hour int int8 integer interval lvarchar minute money "
           "month nchar numeric nvarchar precision real second serial serial8 smallfloat "
           "smallint text varchar year";
}

const char* IfxSqlFunctions() {
    return "abs acos ascii asin atan atan2 avg cardinality cast cos count date day dbinfo "
           "dbservername decode exp extend hex initcap instr length lower lpad ltrim max mdy "
           "min mod month nvl octet_length pow range replace root round rpad rtrim sitename "
           "sin sqrt stdev substr substring sum sysdate tan to_char to_date to_number today "
           "trim trunc upper user variance weekday year";
}

} // namespace varnok
