/*
 * The entry points of the client library that the access layer looks up,
 * as an X-macro list: X(name) once per entry point. Plain preprocessor text
 * so that C test libraries can expand it too.
 *
 * Every one of VARNOK_IFX_REQUIRED_ENTRY_POINTS must be present or the
 * program does not start; VARNOK_IFX_OPTIONAL_ENTRY_POINTS may be absent
 * (opaque values are then released without that call).
 */
#ifndef VARNOK_IFX_ENTRY_POINTS_H
#define VARNOK_IFX_ENTRY_POINTS_H

#define VARNOK_IFX_REQUIRED_ENTRY_POINTS(X)                                                      \
    /* status and environment */                                                                 \
    X(fnsqlcode) X(fnsqlca) X(fnsqlstate) X(ifx_getenv) X(ifx_putenv) X(rgetlmsg) X(SqlFreeMem)  \
    /* connections */                                                                            \
    X(sqli_connect_open) X(sqli_connect_close) X(sqli_connect_set) X(ifx_getcur_conn_name)      \
    X(ifx_srvinfo) X(ifx_isius) X(sqgetdbs) X(sqli_db_open) X(sqli_db_close)                    \
    /* interruption */                                                                           \
    X(sqlbreakcallback) X(sqlbreak) X(sqldone)                                                   \
    /* transactions */                                                                           \
    X(sqli_trans_begin2) X(sqli_trans_commit) X(sqli_trans_rollback)                             \
    /* statements and cursors */                                                                 \
    X(sqli_prep) X(sqli_describe_stmt) X(sqli_exec) X(sqli_exec_immed) X(sqli_stmt) X(sqli_slct) \
    X(sqli_curs_locate) X(sqli_curs_decl_dynm) X(sqli_curs_open) X(sqli_curs_fetch)              \
    X(sqli_curs_close) X(sqli_curs_free)                                                         \
    /* NULL values and text to numbers */                                                        \
    X(risnull) X(rsetnull) X(rstod) X(rstoi) X(rstol)                                            \
    /* DECIMAL */                                                                                \
    X(deccvasc) X(dectoasc) X(deccvint) X(dectoint) X(deccvlong) X(dectolong) X(deccvflt)        \
    X(dectoflt) X(deccvdbl) X(dectodbl) X(decadd) X(decsub) X(decmul) X(decdiv) X(deccmp)       \
    X(deccopy) X(decround) X(dectrunc) X(stdecimal) X(lddecimal)                                 \
    /* INT8 */                                                                                   \
    X(ifx_int8cvasc) X(ifx_int8toasc) X(ifx_int8cvint) X(ifx_int8toint) X(ifx_int8cvlong)        \
    X(ifx_int8tolong) X(ifx_int8cvflt) X(ifx_int8toflt) X(ifx_int8cvdbl) X(ifx_int8todbl)        \
    X(ifx_int8cvdec) X(ifx_int8todec) X(ifx_int8add) X(ifx_int8sub) X(ifx_int8mul)              \
    X(ifx_int8div) X(ifx_int8cmp) X(ifx_int8copy) X(ifx_getserial8)                              \
    /* DATE */                                                                                   \
    X(rdatestr) X(rstrdate) X(rmdyjul) X(rjulmdy) X(rfmtdate) X(rdefmtdate) X(rtoday)            \
    X(rdayofweek) X(rleapyear)                                                                   \
    /* DATETIME and INTERVAL */                                                                  \
    X(dtcvasc) X(dttoasc) X(dtcvfmtasc) X(dttofmtasc) X(dtextend) X(dtcurrent) X(dtsub)          \
    X(dtaddinv) X(dtsubinv) X(incvasc) X(intoasc) X(incvfmtasc) X(intofmtasc) X(invextend)      \
    X(invmuldbl) X(invdivdbl) X(invdivinv)                                                       \
    /* formatting */                                                                             \
    X(rfmtdec) X(rfmtdouble) X(rfmtlong) X(rtypname)                                             \
    /* opaque values */                                                                          \
    X(ifx_var_flag) X(ifx_var_alloc) X(ifx_var_dealloc) X(ifx_var_init) X(ifx_var_getdata)       \
    X(ifx_var_getlen) X(ifx_var_setdata) X(ifx_var_setlen) X(ifx_var_isnull) X(ifx_var_setnull)  \
    /* smart large objects */                                                                    \
    X(ifx_lo_def_create_spec) X(ifx_lo_create) X(ifx_lo_open) X(ifx_lo_close) X(ifx_lo_read)     \
    X(ifx_lo_readwithseek) X(ifx_lo_write) X(ifx_lo_seek) X(ifx_lo_tell) X(ifx_lo_truncate)      \
    X(ifx_lo_stat) X(ifx_lo_stat_size) X(ifx_lo_to_buffer) X(ifx_lo_from_buffer)                 \
    X(ifx_lo_release) X(ifx_lo_spec_free) X(ifx_lo_stat_free)

#define VARNOK_IFX_OPTIONAL_ENTRY_POINTS(X) X(ifx_var_freevar)

#endif /* VARNOK_IFX_ENTRY_POINTS_H */
