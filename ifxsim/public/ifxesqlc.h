/*
 * ifxesqlc.h - the public ESQL/C interface of the client library libisqlt09a.so.
 *
 * One header for both sides of the library boundary: the stand-in library
 * implements these entry points, the access layer declares its function-pointer
 * table from them (decltype(&fn)) and looks each one up with dlsym. The layouts
 * follow the published LP64 layouts of the Informix client interface (sqlca,
 * sqlda/sqlvar, dec_t, dtime_t, intrvl_t, ifx_int8_t, loc_t, ifx_srvinfo_t), so
 * code written against this header is written against the real interface.
 *
 * Plain C, usable from C and C++. No Qt, no platform headers.
 */
#ifndef VARNOK_IFXESQLC_H
#define VARNOK_IFXESQLC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Base typedefs ------------------------------------------------------ */
typedef int32_t  int4;
typedef uint32_t uint4;
typedef int16_t  int2;
typedef int      mint;
typedef long     mlong;
typedef int64_t  bigint;

#define ESQLINTVERSION 1   /* every sqli_* call that takes a version gets 1 */

/* ---- Communication area (116 bytes) ------------------------------------- */
struct sqlcaw_s {
    char sqlwarn0; /* 'W' when any other flag is 'W' */
    char sqlwarn1;
    char sqlwarn2;
    char sqlwarn3;
    char sqlwarn4;
    char sqlwarn5;
    char sqlwarn6;
    char sqlwarn7;
};

typedef struct sqlca_s {
    int4 sqlcode;          /* 0 ok, <0 error, 100 not found            @0   */
    char sqlerrm[72];      /* text that fills the %s of the message     @4   */
    char sqlerrp[8];       /* internal                                  @76  */
    int4 sqlerrd[6];       /* estimates, ISAM code, rows, cost, offset  @84  */
    struct sqlcaw_s sqlwarn;                                       /* @108 */
} ifx_sqlca_t;

#define SQLNOTFOUND 100

/* ---- Descriptors (sqlvar 120 bytes, sqlda 56 bytes) ---------------------- */
typedef struct sqlvar_struct {
    int2  sqltype;        /* type code with flag bits                  @0   */
    int4  sqllen;         /* length; PRECMAKE for DECIMAL; qualifier   @4   */
    char *sqldata;        /* value buffer                              @8   */
    int2 *sqlind;         /* indicator, -1 = NULL                      @16  */
    char *sqlname;        /* column name                               @24  */
    char *sqlformat;      /* reserved                                  @32  */
    int2  sqlitype;       /*                                           @40  */
    int2  sqlilen;        /*                                           @42  */
    char *sqlidata;       /*                                           @48  */
    int4  sqlxid;         /* extended type id                          @56  */
    char *sqltypename;    /*                                           @64  */
    int2  sqltypelen;     /*                                           @72  */
    int2  sqlownerlen;    /*                                           @74  */
    int2  sqlsourcetype;  /*                                           @76  */
    char *sqlownername;   /*                                           @80  */
    int4  sqlsourceid;    /*                                           @88  */
    char *sqlilongdata;   /*                                           @96  */
    int4  sqlflags;       /*                                           @104 */
    void *sqlreserved;    /*                                           @112 */
} ifx_sqlvar_t;

typedef struct sqlda {
    int2          sqld;          /* number of columns      @0  */
    ifx_sqlvar_t *sqlvar;        /* sqld entries           @8  */
    char          desc_name[19]; /*                        @16 */
    int2          desc_occ;      /*                        @36 */
    struct sqlda *desc_next;     /*                        @40 */
    void         *reserved;      /*                        @48 */
} ifx_sqlda_t;

/* ---- DECIMAL (22 bytes) -------------------------------------------------- */
#define DECSIZE 16
typedef struct decimal {
    int2 dec_exp;            /* base-100 exponent; the point is left of digit 0 */
    int2 dec_pos;            /* 1 positive, 0 negative, -1 NULL                 */
    int2 dec_ndgts;          /* base-100 digits in use                          */
    char dec_dgts[DECSIZE];  /* base-100 digits 0..99, most significant first   */
} dec_t;

#define DECPOSNULL   (-1)
#define DECUNKNOWN   (-2)
#define DECLEN(m, n)    (((m) + ((n) & 1) + 3) / 2)
#define DECLENGTH(len)  DECLEN(PRECTOT(len), PRECDEC(len))
#define DECPREC(size)   ((((size) - 1) << 9) + 2)
#define PRECTOT(x)      (((x) >> 8) & 0xff)
#define PRECDEC(x)      ((x) & 0xff)
#define PRECMAKE(p, s)  (((p) << 8) + (s))
#define DECFLOATSCALE   255  /* scale byte of a floating DECIMAL(p) */
#define MAXDECPREC      32   /* significant decimal digits a dec_t holds */

/* ---- DATETIME and INTERVAL (24 bytes each) ------------------------------- */
typedef struct dtime {
    int2  dt_qual;
    dec_t dt_dec;
} dtime_t;

typedef struct intrvl {
    int2  in_qual;
    dec_t in_dec;
} intrvl_t;

#define TU_YEAR     0
#define TU_MONTH    2
#define TU_DAY      4
#define TU_HOUR     6
#define TU_MINUTE   8
#define TU_SECOND   10
#define TU_FRAC     12
#define TU_F1       11
#define TU_F2       12
#define TU_F3       13
#define TU_F4       14
#define TU_F5       15

#define TU_END(qual)         ((qual) & 0xf)
#define TU_START(qual)       (((qual) >> 4) & 0xf)
#define TU_LEN(qual)         (((qual) >> 8) & 0xff)
#define TU_ENCODE(len, s, e) (((len) << 8) | ((s) << 4) | (e))
#define TU_DTENCODE(s, e)    TU_ENCODE(((e) - (s) + ((s) == TU_YEAR ? 4 : 2)), s, e)
#define TU_IENCODE(len, s, e) TU_ENCODE(((e) - (s) + (len)), s, e)
#define TU_FLEN(qual)        (TU_LEN(qual) - (TU_END(qual) - TU_START(qual)))
#define TU_FIELDNO(f)        ((f) > TU_SECOND ? (5 + ((f) - TU_SECOND)) : ((f) / 2))
#define TU_CURRQUAL          TU_ENCODE(17, TU_YEAR, TU_F3)

#define GLDT_LEN 80

/* ---- INT8 (12 bytes) ----------------------------------------------------- */
typedef struct ifx_int8 {
    uint4 data[2];   /* magnitude, data[0] the low 32 bits */
    int2  sign;      /* 1 positive, -1 negative, 0 NULL    */
} ifx_int8_t;

#define INT8UNKNOWN (-2)

/* ---- Locator for BYTE and TEXT (112 bytes) ------------------------------- */
typedef struct tag_loc_t {
    int2 loc_loctype;                 /* LOCMEMORY, LOCFNAME, ...   @0  */
    union {
        struct {
            int4  lc_bufsize;         /* -1: FETCH allocates        */
            char *lc_buffer;
            char *lc_currdata_p;
            mint  lc_mflags;          /* LOC_ALLOC                   */
        } lc_mem;
        struct {
            char *lc_fname;
            mint  lc_mode;
            mint  lc_fd;
            int4  lc_position;
        } lc_file;
    } lc_union;                       /*                             @8  */
    int4  loc_indicator;              /* -1 NULL                     @40 */
    int4  loc_type;                   /*                             @44 */
    int4  loc_size;                   /*                             @48 */
    mint  loc_status;                 /*                             @52 */
    char *loc_user_env;               /*                             @56 */
    int4  loc_xfercount;              /*                             @64 */
    mint (*loc_open)(struct tag_loc_t *loc, mint flag, mint bsize);
    mint (*loc_close)(struct tag_loc_t *loc);
    mint (*loc_read)(struct tag_loc_t *loc, char *buffer, mint buflen);
    mint (*loc_write)(struct tag_loc_t *loc, char *buffer, mint buflen);
    mint  loc_oflags;                 /*                             @104 */
} loc_t;

#define loc_bufsize    lc_union.lc_mem.lc_bufsize
#define loc_buffer     lc_union.lc_mem.lc_buffer
#define loc_currdata_p lc_union.lc_mem.lc_currdata_p
#define loc_mflags     lc_union.lc_mem.lc_mflags
#define loc_fname      lc_union.lc_file.lc_fname
#define loc_mode       lc_union.lc_file.lc_mode
#define loc_fd         lc_union.lc_file.lc_fd
#define loc_position   lc_union.lc_file.lc_position

#define LOCMEMORY    1
#define LOCFNAME     2
#define LOCFILE      3
#define LOCUSER      4
#define LOC_RONLY    0x1
#define LOC_WONLY    0x2
#define LOC_APPEND   0x4
#define LOC_TEMPFILE 0x8
#define LOC_USEALL   0x10
#define LOC_ALLOC    0x1   /* lc_mflags: the library allocated the buffer */

/* ---- Smart large objects ------------------------------------------------- */
typedef struct ifx_lo_ts {
    char lo_data[72];            /* opaque handle */
} ifx_lo_t;
typedef struct ifx_lo_create_spec_s ifx_lo_create_spec_t;   /* opaque */
typedef struct ifx_lo_stat_s ifx_lo_stat_t;                 /* opaque */

#define LO_APPEND       0x1
#define LO_WRONLY       0x2
#define LO_RDONLY       0x4
#define LO_RDWR         0x8
#define LO_DIRTY_READ   0x10
#define LO_RANDOM       0x20
#define LO_SEQUENTIAL   0x40
#define LO_FORWARD      0x80
#define LO_REVERSE      0x100
#define LO_BUFFER       0x200
#define LO_NOBUFFER     0x400
#define LO_LOCKALL      0x1000
#define LO_LOCKRANGE    0x2000
#define LO_SEEK_SET     0
#define LO_SEEK_CUR     1
#define LO_SEEK_END     2

/* ---- Server information (108 bytes) -------------------------------------- */
typedef struct ifx_srvinfo {
    uint4 SQLIVersion;
    uint4 TypeList;
    uint4 CapList;
    uint4 DBList;
    uint4 Reserved1;
    uint4 Reserved2;
    char  ProdVersion[81];   /* bytes 24..104 */
} ifx_srvinfo_t;

#define TYP_SE    0x1
#define TYP_MT    0x2
#define CAP_NLS   0x1
#define CAP_NCHAR 0x2

/* ---- Runtime structures -------------------------------------------------- */
typedef struct _FetchSpec {
    int4 fval;      /* position for absolute/relative fetches */
    mint fdir;      /* 1 next, 2 previous, 6 absolute, 7 relative, ... */
    mint findchk;
} _FetchSpec;

#define FETCH_NEXT      1
#define FETCH_PREVIOUS  2
#define FETCH_FIRST     3
#define FETCH_LAST      4
#define FETCH_CURRENT   5
#define FETCH_ABSOLUTE  6
#define FETCH_RELATIVE  7

typedef struct ifx_user {
    char *name;
    char *passwd;
} ifx_user_t;

typedef struct ifx_conn {
    int2  conn_type;       /* IFX_CONN_TYPE_* */
    void *conn_cred_hdl;   /* ifx_user_t* for user authentication */
} ifx_conn_t;

#define IFX_CONN_TYPE_NO_AUTH   0
#define IFX_CONN_TYPE_USER_AUTH 1
#define IFX_CONN_TYPE_CRED_AUTH 2

/* A cursor or prepared statement; the library allocates it. Callers read the
 * documented first members only; the rest belongs to the library. */
typedef struct _ifx_cursor_struct {
    struct _ifx_cursor_struct *_SQCcursptr;
    int2  _SQCstmttype;    /* SQ_* code of the prepared statement */
    int2  _SQCsqlid;
    int2  _SQCnfields;     /* output columns */
    int2  _SQCnibind;      /* input markers  */
    void *_SQCimpl;        /* the library's own state */
} ifx_cursor_t;

typedef struct _ifx_statement {
    int2  _SQSstmttype;
    int2  _SQSsqlid;
    void *_SQSreserved;
} ifx_statement_t;

typedef struct ifx_literal ifx_literal_t;    /* opaque */
typedef struct ifx_namelist ifx_namelist_t;  /* opaque */
struct value;                                /* opaque */

/* sqli_curs_decl_dynm flags and sqli_curs_locate kinds (as observed). */
#define CURSOR_FLAG_SCROLL   32
#define CURSOR_FLAG_HOLD     4096
#define CURS_LOCATE_NEWNAME  512
#define CURS_LOCATE_DECLSTMT 513
#define CURS_LOCATE_USE      768
#define CURS_LOCATE_EXEC     769
#define CURS_LOCATE_FREE     770

/* SqlFreeMem kinds */
#define CURSOR_FREE     1
#define STRING_FREE     2
#define SQLDA_FREE      3
#define CONN_FREE       4
#define LOC_BUFFER_FREE 5

/* ---- SQL type codes ------------------------------------------------------ */
#define SQLCHAR        0
#define SQLSMINT       1
#define SQLINT         2
#define SQLFLOAT       3
#define SQLSMFLOAT     4
#define SQLDECIMAL     5
#define SQLSERIAL      6
#define SQLDATE        7
#define SQLMONEY       8
#define SQLNULL        9
#define SQLDTIME       10
#define SQLBYTES       11
#define SQLTEXT        12
#define SQLVCHAR       13
#define SQLINTERVAL    14
#define SQLNCHAR       15
#define SQLNVCHAR      16
#define SQLINT8        17
#define SQLSERIAL8     18
#define SQLSET         19
#define SQLMULTISET    20
#define SQLLIST        21
#define SQLROW         22
#define SQLCOLLECTION  23
#define SQLROWREF      24
#define SQLUDTVAR      40
#define SQLUDTFIXED    41
#define SQLREFSER8     42
#define SQLLVARCHAR    43
#define SQLSENDRECV    44
#define SQLBOOL        45
#define SQLIMPEXP      46
#define SQLIMPEXPBIN   47
#define SQLUDRDEFAULT  48
#define SQLUNKNOWN     51
#define SQLINFXBIGINT  52
#define SQLBIGSERIAL   53

#define SQLTYPE        0xFF
#define SQLNONULL      0x100
#define SQLHOST        0x200
#define SQLNETFLT      0x400
#define SQLDISTINCT    0x800
#define SQLNAMED       0x1000
#define SQLDLVARCHAR   0x2000
#define SQLDBOOLEAN    0x4000
#define SQLCLIENTCOLL  0x8000

/* C host types */
#define CCHARTYPE      100
#define CSHORTTYPE     101
#define CINTTYPE       102
#define CLONGTYPE      103
#define CFLOATTYPE     104
#define CDOUBLETYPE    105
#define CDECIMALTYPE   107
#define CFIXCHARTYPE   108
#define CSTRINGTYPE    109
#define CDATETYPE      110
#define CMONEYTYPE     111
#define CDTIMETYPE     112
#define CLOCATORTYPE   113
#define CVCHARTYPE     114
#define CINVTYPE       115
#define CFILETYPE      116
#define CINT8TYPE      117
#define CCOLLTYPE      118
#define CLVCHARTYPE    119
#define CFIXBINTYPE    120
#define CVARBINTYPE    121
#define CBOOLTYPE      122
#define CROWTYPE       123
#define CLVCHARPTRTYPE 124
#define CBIGINTTYPE    125

/* Built-in extended type ids */
#define XID_LVARCHAR       1
#define XID_SENDRECV       2
#define XID_IMPEXP         3
#define XID_IMPEXPBIN      4
#define XID_BOOLEAN        5
#define XID_POINTER        6
#define XID_INDEXKEYARRAY  7
#define XID_RTNPARAMTYPES  8
#define XID_SELFUNCARGS    9
#define XID_BLOB           10
#define XID_CLOB           11
#define XID_LOLIST         12
#define XID_IFX_LO_SPEC    13
#define XID_IFX_LO_STAT    14
#define XID_STAT           15
#define XID_CLIENTBINVAL   16
#define XID_FUNCARG        23
#define XID_FIRST_USER     2048

/* Storage sizes of the fixed types */
#define SIZCHAR      1
#define SIZSMINT     2
#define SIZINT       4
#define SIZFLOAT     8
#define SIZSMFLOAT   4
#define SIZDECIMAL   17
#define SIZSERIAL    4
#define SIZDATE      4
#define SIZMONEY     17
#define SIZINT8      10
#define SIZSERIAL8   10
#define SIZLVARCHAR  2048
#define DEFDECIMAL   9
#define DEFMONEY     9

/* ---- Statement type codes ------------------------------------------------ */
#define SQ_DATABASE      1
#define SQ_SELECT        2
#define SQ_SELINTO       3
#define SQ_UPDATE        4
#define SQ_DELETE        5
#define SQ_INSERT        6
#define SQ_UPDCURR       7
#define SQ_DELCURR       8
#define SQ_LDINSERT      9
#define SQ_LOCK          10
#define SQ_UNLOCK        11
#define SQ_CREADB        12
#define SQ_DROPDB        13
#define SQ_CRETAB        14
#define SQ_DRPTAB        15
#define SQ_CREIDX        16
#define SQ_DRPIDX        17
#define SQ_GRANT         18
#define SQ_REVOKE        19
#define SQ_RENTAB        20
#define SQ_RENCOL        21
#define SQ_CREAUD        22
#define SQ_STRAUD        23
#define SQ_STPAUD        24
#define SQ_DRPAUD        25
#define SQ_RECTAB        26
#define SQ_CHKTAB        27
#define SQ_REPTAB        28
#define SQ_ALTER         29
#define SQ_STATS         30
#define SQ_CLSDB         31
#define SQ_DELALL        32
#define SQ_UPDALL        33
#define SQ_BEGWORK       34
#define SQ_COMMIT        35
#define SQ_ROLLBACK      36
#define SQ_SAVEPOINT     37
#define SQ_STARTDB       38
#define SQ_RFORWARD      39
#define SQ_CREVIEW       40
#define SQ_DROPVIEW      41
#define SQ_DEBUG         42
#define SQ_CREASYN       43
#define SQ_DROPSYN       44
#define SQ_CTEMP         45
#define SQ_WAITFOR       46
#define SQ_ALTIDX        47
#define SQ_ISOLATE       48
#define SQ_SETLOG        49
#define SQ_EXPLAIN       50
#define SQ_SCHEMA        51
#define SQ_OPTIM         52
#define SQ_CREPROC       53
#define SQ_DRPPROC       54
#define SQ_CONSTRMODE    55
#define SQ_EXECPROC      56
#define SQ_DBGFILE       57
#define SQ_CREOPCL       58
#define SQ_ALTOPCL       59
#define SQ_DRPOPCL       60
#define SQ_OPRESERVE     61
#define SQ_OPRELEASE     62
#define SQ_OPTIMEOUT     63
#define SQ_PROCSTATS     64
#define SQ_CRETRIG       70
#define SQ_DRPTRIG       71
#define SQ_UNKNOWN       72
#define SQ_SETDATASKIP   73
#define SQ_PDQPRIORITY   74
#define SQ_ALTFRAG       75
#define SQ_SETOBJMODE    76
#define SQ_START         77
#define SQ_STOP          78
#define SQ_SETMAC        79
#define SQ_SETDAC        80
#define SQ_SETTBLHI      81
#define SQ_SETLVEXT      82
#define SQ_CREATEROLE    83
#define SQ_DROPROLE      84
#define SQ_SETROLE       85
#define SQ_PASSWD        86
#define SQ_RENDB         87
#define SQ_CREADOM       88
#define SQ_DROPDOM       89
#define SQ_CREANRT       90
#define SQ_DROPNRT       91
#define SQ_CREADT        92
#define SQ_CREACT        93
#define SQ_DROPCT        94
#define SQ_CREABT        95
#define SQ_DROPTYPE      96
#define SQ_ALTERROUTINE  97
#define SQ_CREATEAM      98
#define SQ_DROPAM        99
#define SQ_ALTERAM       100
#define SQ_CREATEOPC     101
#define SQ_DROPOPC       102
#define SQ_CREACST       103
#define SQ_SETRES        104
#define SQ_CREAGG        105
#define SQ_DRPAGG        106
#define SQ_PLOADFILE     107
#define SQ_CHKIDX        108
#define SQ_SCHEDULE      109
#define SQ_SETENV        110
#define SQ_RES111        111
#define SQ_RES112        112
#define SQ_RES113        113
#define SQ_RES114        114
#define SQ_STMT_CACHE    115
#define SQ_RENIDX        116
#define SQ_TRUNCATE      122
#define SQ_IMPLICIT_TX   123
#define SQ_CRESEQ        124
#define SQ_DRPSEQ        125
#define SQ_ALTERSEQ      126
#define SQ_RENSEQ        127
#define SQ_MERGE         128
#define SQ_CRESAVEPOINT  159
#define SQ_RELSAVEPOINT  160
#define SQ_RBACKSAVEPOINT 161
#define SQ_SELINTOEXT    164

/* ---- Entry points -------------------------------------------------------- */

/* Status and environment */
int4 *fnsqlcode(void);
struct sqlca_s *fnsqlca(void);
char (*fnsqlstate(void))[6];
char *ifx_getenv(char *name);
mint ifx_putenv(const char *assignment);
mint rgetlmsg(int4 msgnum, char *buf, mint bufsize, mint *msglen);
void SqlFreeMem(void *ptr, mint kind);

/* Connections */
void sqli_connect_open(int4 ver, mint conn_kw, const char *dbenv, const char *conn_name,
                       ifx_conn_t *spec, mint concur_flag);
void sqli_connect_close(mint conn_kw, const char *name, mint flag, mint from_reassoc);
void sqli_connect_set(mint conn_kw, const char *name, mint dormant);
char *ifx_getcur_conn_name(void);
mint ifx_srvinfo(ifx_srvinfo_t *info);
mint ifx_isius(void);
mint sqgetdbs(mint *ret_fcnt, char **names, mint names_size, char *area, mint area_size);
mint sqli_db_open(const char *name, mint exclusive);
mint sqli_db_close(void);

/* Interruption */
mint sqlbreakcallback(int4 timeout_ms, void (*callback)(mint status));
mint sqlbreak(void);
mint sqldone(void);

/* Transactions */
mint sqli_trans_begin2(mint replication);
mint sqli_trans_commit(void);
mint sqli_trans_rollback(void);

/* Statements and cursors */
ifx_cursor_t *sqli_prep(int4 ver, const char *name, const char *stmt, ifx_literal_t *literals,
                        ifx_namelist_t *names, mint stmt_type, mint position, mint col_stmt_flag);
mint sqli_describe_stmt(int4 ver, ifx_cursor_t *cursor, ifx_sqlda_t **descp, const char *desc_name);
mint sqli_exec(int4 ver, ifx_cursor_t *cursor, ifx_sqlda_t *idesc, const char *idesc_name,
               struct value *ivalues, ifx_sqlda_t *odesc, const char *odesc_name,
               struct value *ovalues, mint chkind);
mint sqli_exec_immed(const char *stmt);
mint sqli_stmt(int4 ver, ifx_statement_t *stmt, const char **cmdtxt, mint icnt,
               ifx_sqlvar_t *ibind, struct value *ivalues, ifx_literal_t *literals,
               ifx_namelist_t *names, ifx_cursor_t *cur_wco, mint stmttype, mint position,
               mint col);
mint sqli_slct(int4 ver, ifx_cursor_t *cursor, const char **cmdtxt, mint icnt,
               ifx_sqlvar_t *ibind, mint ocnt, ifx_sqlvar_t *obind, mint chkind,
               ifx_literal_t *literals, ifx_namelist_t *names, mint col);
ifx_cursor_t *sqli_curs_locate(int4 ver, const char *name, mint type);
mint sqli_curs_decl_dynm(int4 ver, ifx_cursor_t *cursor, const char *curname,
                         ifx_cursor_t *stmt, int4 flags, mint col);
mint sqli_curs_open(int4 ver, ifx_cursor_t *cursor, ifx_sqlda_t *idesc, const char *desc_name,
                    struct value *ivalues, mint useflag, mint reoptflag);
mint sqli_curs_fetch(int4 ver, ifx_cursor_t *cursor, ifx_sqlda_t *idesc, ifx_sqlda_t *odesc,
                     const char *odesc_name, _FetchSpec *fetchspec);
mint sqli_curs_close(int4 ver, ifx_cursor_t *cursor);
mint sqli_curs_free(int4 ver, ifx_cursor_t *cursor);

/* NULL values of every host type */
mint risnull(mint ctype, char *ptr);
mint rsetnull(mint ctype, char *ptr);

/* Text to numbers */
mint rstod(char *str, double *val);
mint rstoi(char *str, mint *val);
mint rstol(char *str, mlong *val);

/* DECIMAL */
mint deccvasc(char *cp, mint len, dec_t *np);
mint dectoasc(dec_t *np, char *cp, mint len, mint right);
mint deccvint(mint in, dec_t *np);
mint dectoint(dec_t *np, mint *ip);
mint deccvlong(int4 lng, dec_t *np);
mint dectolong(dec_t *np, int4 *lngp);
mint deccvflt(double flt, dec_t *np);
mint dectoflt(dec_t *np, float *fltp);
mint deccvdbl(double dbl, dec_t *np);
mint dectodbl(dec_t *np, double *dblp);
mint decadd(dec_t *n1, dec_t *n2, dec_t *sum);
mint decsub(dec_t *n1, dec_t *n2, dec_t *diff);
mint decmul(dec_t *n1, dec_t *n2, dec_t *product);
mint decdiv(dec_t *n1, dec_t *n2, dec_t *quotient);
mint deccmp(dec_t *n1, dec_t *n2);   /* -1, 0, 1; DECUNKNOWN when either is NULL */
void deccopy(dec_t *from, dec_t *to);
void decround(dec_t *np, mint dec_places);
void dectrunc(dec_t *np, mint dec_places);
/* Packed (stored) form: DECLEN(p, s) bytes */
void stdecimal(dec_t *np, char *cp, mint len);
mint lddecimal(char *cp, mint len, dec_t *np);

/* INT8 */
mint ifx_int8cvasc(char *str, mint len, ifx_int8_t *int8);
mint ifx_int8toasc(ifx_int8_t *int8, char *str, mint len);
mint ifx_int8cvint(mint in, ifx_int8_t *int8);
mint ifx_int8toint(ifx_int8_t *int8, mint *out);
mint ifx_int8cvlong(int4 in, ifx_int8_t *int8);
mint ifx_int8tolong(ifx_int8_t *int8, int4 *out);
mint ifx_int8cvflt(double in, ifx_int8_t *int8);
mint ifx_int8toflt(ifx_int8_t *int8, float *out);
mint ifx_int8cvdbl(double in, ifx_int8_t *int8);
mint ifx_int8todbl(ifx_int8_t *int8, double *out);
mint ifx_int8cvdec(dec_t *in, ifx_int8_t *int8);
mint ifx_int8todec(ifx_int8_t *int8, dec_t *out);
mint ifx_int8add(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *sum);
mint ifx_int8sub(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *diff);
mint ifx_int8mul(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *product);
mint ifx_int8div(ifx_int8_t *n1, ifx_int8_t *n2, ifx_int8_t *quotient);
mint ifx_int8cmp(ifx_int8_t *n1, ifx_int8_t *n2);  /* -1, 0, 1; INT8UNKNOWN when NULL */
void ifx_int8copy(ifx_int8_t *from, ifx_int8_t *to);
void ifx_getserial8(ifx_int8_t *serial8);           /* SERIAL8 of the last INSERT */

/* DATE: day 0 is 1899-12-31 */
mint rdatestr(int4 jdate, char *str);
mint rstrdate(char *str, int4 *jdate);
mint rmdyjul(int2 mdy[3], int4 *jdate);
mint rjulmdy(int4 jdate, int2 mdy[3]);
mint rfmtdate(int4 jdate, char *fmt, char *str);
mint rdefmtdate(int4 *jdate, char *fmt, char *str);
void rtoday(int4 *today);
mint rdayofweek(int4 jdate);
mint rleapyear(mint year);

/* DATETIME and INTERVAL */
mint dtcvasc(char *str, dtime_t *d);
mint dttoasc(dtime_t *d, char *str);
mint dtcvfmtasc(char *input, char *fmt, dtime_t *d);
mint dttofmtasc(dtime_t *d, char *buf, mint buflen, char *fmt);
mint dtextend(dtime_t *in, dtime_t *out);
void dtcurrent(dtime_t *d);
mint dtsub(dtime_t *d1, dtime_t *d2, intrvl_t *result);
mint dtaddinv(dtime_t *d, intrvl_t *i, dtime_t *result);
mint dtsubinv(dtime_t *d, intrvl_t *i, dtime_t *result);
mint incvasc(char *str, intrvl_t *i);
mint intoasc(intrvl_t *i, char *str);
mint incvfmtasc(char *input, char *fmt, intrvl_t *i);
mint intofmtasc(intrvl_t *i, char *buf, mint buflen, char *fmt);
mint invextend(intrvl_t *in, intrvl_t *out);
mint invmuldbl(intrvl_t *iv, double dbl, intrvl_t *ov);
mint invdivdbl(intrvl_t *iv, double dbl, intrvl_t *ov);
mint invdivinv(intrvl_t *i1, intrvl_t *i2, double *result);

/* Formatting */
mint rfmtdec(dec_t *np, char *fmt, char *out);
mint rfmtdouble(double dbl, char *fmt, char *out);
mint rfmtlong(int4 lng, char *fmt, char *out);
char *rtypname(mint sqltype);

/* Variable-length opaque values (lvarchar, UDT holders) */
mint ifx_var_flag(void **variable, int2 alloc_flag);
mint ifx_var_alloc(void **variable, int4 size);
mint ifx_var_dealloc(void **variable);
mint ifx_var_freevar(void **variable);
mint ifx_var_init(void **variable);
void *ifx_var_getdata(void **variable);
mint ifx_var_getlen(void **variable);
mint ifx_var_setdata(void **variable, char *data, int4 size);
mint ifx_var_setlen(void **variable, int4 size);
mint ifx_var_isnull(void **variable);
mint ifx_var_setnull(void **variable, mint flag);

/* Smart large objects */
mint ifx_lo_def_create_spec(ifx_lo_create_spec_t **spec);
mint ifx_lo_create(ifx_lo_create_spec_t *spec, mint flags, ifx_lo_t *lo, mint *error);
mint ifx_lo_open(ifx_lo_t *lo, mint flags, mint *error);
mint ifx_lo_close(mint fd);
mint ifx_lo_read(mint fd, char *buf, mint nbytes, mint *error);
mint ifx_lo_readwithseek(mint fd, char *buf, mint nbytes, ifx_int8_t *offset, mint whence,
                         mint *error);
mint ifx_lo_write(mint fd, char *buf, mint nbytes, mint *error);
mint ifx_lo_seek(mint fd, ifx_int8_t *offset, mint whence, ifx_int8_t *seek_pos);
mint ifx_lo_tell(mint fd, ifx_int8_t *seek_pos);
mint ifx_lo_truncate(mint fd, ifx_int8_t *offset);
mint ifx_lo_stat(mint fd, ifx_lo_stat_t **stat);
mint ifx_lo_stat_size(ifx_lo_stat_t *stat, ifx_int8_t *size);
mint ifx_lo_to_buffer(ifx_lo_t *lo, mint size_limit, char **buffer, mint *error);
mint ifx_lo_from_buffer(ifx_lo_t *lo, mint size, char *buffer, mint *error);
mint ifx_lo_release(ifx_lo_t *lo);
mint ifx_lo_spec_free(ifx_lo_create_spec_t *spec);
mint ifx_lo_stat_free(ifx_lo_stat_t *stat);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* VARNOK_IFXESQLC_H */
