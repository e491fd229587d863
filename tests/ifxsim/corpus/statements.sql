select count(*)
create table par (k integer primary key)
insert into par values (1)
create table t (a integer, b char(2), primary key (a) constraint t_key)
insert into t values (1, 'y')
create table t (a integer primary key, b char(2))
create table t (a integer unique, b char(2))
create table t (a integer, b char(2), distinct (a, b))
insert into t values (1, 'x')
create table t (a integer check (a > 0) constraint t_pos, b char(2))
insert into t values (-1, 'y')
create table t (a integer, b char(2), check (b <> 'zz'))
insert into t values (2, 'zz')
create table t (a integer not null, b char(2))
insert into t values (null, 'y')
create table t (a integer references par constraint t_ref, b char(2))
insert into t values (9, 'y')
create table t (a integer, b char(2))
alter table t add constraint unique (a)
alter table t add constraint primary key (a) constraint t_pk2
alter table t add constraint check (a < 5) constraint t_small
insert into t values (7, 'y')
alter table t add constraint (foreign key (a) references par)
drop table t
select tabid from systables where tabname = 't'
select constrid, trim(constrname), idxname from sysconstraints where tabid =
alter table t drop constraint
select ncols from systables where tabid =
create table parent (id serial, code char(3) not null, note char(5), primary key (id) constraint parent_pk, unique (code) constraint parent_code)
create index parent_note on parent (note)
grant select on parent to bob
create table child (pid integer references parent on delete cascade, code char(3) references parent (code) constraint child_code, n integer check (n > 0) constraint child_n)
create table self (id integer primary key, up integer references self (id))
insert into parent (code, note) values ('a', 'one')
insert into parent (code, note) values ('b', 'two')
insert into child values (1, 'a', 1)
insert into child values (2, 'b', 2)
insert into self values (2, null)
insert into self values (1, 2)
select tabid from systables where tabname = 'parent'
select constrid from sysconstraints where constrtype = 'R' and constrname <> 'child_code'
alter table parent drop constraint parent_pk
select trim(c.constrname), c.constrtype from sysconstraints c, systables t where c.tabid = t.tabid and t.tabname = 'child' and c.constrtype <> 'N' order by 1
insert into child values (99, 'a', 3)
insert into child values (1, 'zz', 3)
insert into child values (1, 'a', 0)
select id, code, note from parent order by id
select trim(constrname) from sysconstraints where tabid =
insert into parent (id, code) values (1, 'c')
insert into parent (code) values ('d')
select id from parent where code = 'd'
insert into parent (code) values ('a')
select colname, coltype from syscolumns where tabid =
select tabid from systables where tabname = 'self'
select coltype from syscolumns where colname = 'id' and tabid =
alter table self drop constraint
select trim(constrname) from sysconstraints where constrtype = 'P' and tabid =
select id, up from self order by id
insert into self values (null, 7)
create table a (x integer unique constraint a_x, y integer check (y > 0) constraint a_y)
create table b (z integer unique constraint b_z)
alter table a drop constraint nosuch
alter table a drop constraint b_z
alter table a drop constraint (a_y, nosuch, a_x)
alter table nosuch drop constraint a_x
alter table tmp drop constraint tmp_k
create temp table tmp (k integer unique constraint tmp_k)
insert into a values (1, 1)
insert into a values (1, 2)
insert into a values (2, 0)
alter table a drop constraint (a_y, a_x)
insert into a values (1, 0)
create table r (x integer primary key constraint r_pk, y integer check (y > 0) constraint r_y)
insert into r values (1, 1)
begin work
alter table r drop constraint (r_pk, r_y)
insert into r values (1, 0)
rollback work
insert into r values (1, 2)
insert into r values (2, 0)
select trim(constrname) from sysconstraints where constrtype in ('P', 'C') order by 1
select x, y from r
select tabid, tabtype from systables where tabname = 'systables'
select count(*) from systables where tabid >= 100
select trim(owner) from systables where tabname = 'syscolumns'
select c.colname, c.coltype, c.collength from systables t, syscolumns c where t.tabname = 'systables' and c.tabid = t.tabid and c.colno in (1, 4) order by c.colno
select count(*) from
create table s (id serial, d date)
select tabname from systables where tabid >= 100
select 1 from informix.systables t, informix.syscolumns c where t.tabname = 'sysindexes' and c.tabid = t.tabid and c.colname = 'part16'
select dbinfo('sessionid') from informix.systables where tabid = 1
select tabname from "informix".systables where tabid = 2
create table item (id integer, price decimal(6,2))
create view dear (id, price) as select id, price from item where price > 100
select tabid, tabtype, ncols from systables where tabname = 'dear'
select viewtext from sysviews where tabid = 101 order by seqno
select btabid, btype, dtabid, dtype from sysdepend
drop view dear
select count(*) from sysviews
select count(*) from sysdepend
create table item (id integer)
create synonym goods for item
create private synonym mine for item
select tabname, tabtype from systables where tabid > 100 order by tabid
select s.btabid from syssyntable s, systables t where t.tabname = 'goods' and s.tabid = t.tabid
select count(*) from syscolumns where tabid > 100
drop synonym goods
select count(*) from syssyntable
create table item (price decimal(8,2), check
select constrid, constrtype, idxname from sysconstraints where constrname = 'ck_price'
select seqno, checktext from syschecks where constrid =
create table gone (id integer not null)
select count(*) from systables where tabname = 'gone'
select count(*) from sysconstraints
create table t1 (a integer not null constraint nn_a, b integer unique constraint uq_b)
create table t2 (a integer, b integer, constraint uq_ab unique (a, b))
create table t3 (a integer, b integer, distinct (b, a) constraint uq_ba, primary key (a) constraint pk_a)
create table t4 (a integer primary key constraint pk4, c char(2) check (c in ('x', 'y')) constraint ck4)
select x.constrname, x.constrtype from sysconstraints x, systables t where t.tabid = x.tabid and t.tabid = (select max(tabid) from systables) and x.constrname not matches '[nurc][0-9]*' order by 1
CREATE TABLE old ('a' INTEGER, b 'CHAR(3)' NOT NULL)
database older
select t.tabid, c.colname, c.coltype, c.collength from systables t, syscolumns c where t.tabname = 'old' and c.tabid = t.tabid order by c.colno
create table item (id integer, price decimal(8,2), descr char(10))
select tabauth from systabauth where tabid = 100 and grantee = '
select c.colname, a.colauth from syscolauth a, syscolumns c where a.tabid = 100 and c.tabid = a.tabid and c.colno = a.colno and a.grantee = '
grant select on item to bob
grant insert, delete on item to bob
grant update on item to bob with grant option
grant update on item to bob
grant index, alter, references on item to bob
revoke insert, alter on item from bob
grant all on item to carol with grant option
grant all privileges on item to "Dora"
revoke all on item from carol
grant under on item to erin
grant select on item to frank as boss
select trim(grantor) from systabauth where grantee = 'frank'
select grantor, grantee, tabauth from "informix".systabauth where tabid = 100
select count(*) from systabauth where tabid = 100
grant select (price, descr), update (price) on item to dave
grant references (id) on item to dave with grant option
revoke select on item from dave
revoke update, references on item from dave
create role clerks
grant select on nosuch to bob
grant select (id, nocol) on item to bob
grant insert (id) on item to bob
grant select on item bob
grant select on item to clerks with grant option
grant connect to clerks
grant execute on nosuch to bob
grant nosuch_role to bob
set role nosuch_role
set role clerks
create role public
drop role nosuch_role
select count(*) from systabauth where grantee in ('bob', 'clerks')
select count(*) from syscolauth
select count(*) from sysroleauth
select user from systables where tabid = 1
create role 'Managers'
select trim(username), usertype from sysusers where usertype = 'G' order by 1
select count(*) from sysroles
grant clerks to
grant 'Managers' to
with grant option
grant clerks to bob with grant option
select trim(rolename), trim(grantee), is_grantable from sysroleauth where grantee = 'bob'
Select rolename From "informix".sysroleauth Where grantee = user
set role 'Managers'
set role none
revoke clerks from
grant select, update (price) on item to clerks
grant default role clerks to carol
select usertype, trim(defrole) from sysusers where username = 'carol'
drop role clerks
select count(*) from sysroleauth where rolename = 'clerks' or grantee = 'clerks'
select count(*) from systabauth where grantee = 'clerks'
select count(*) from syscolauth where grantee = 'clerks'
select defrole from sysusers where username = 'carol'
select count(*) from sysusers where username = 'clerks'
drop role if exists clerks
grant resource to bob
grant connect to bob
grant dba to bob
revoke resource from bob
revoke dba from bob
revoke connect from bob
select usertype from sysusers where username = 'bob'
grant connect to carol, dave
select count(*) from sysusers where usertype = 'C' and username in ('carol', 'dave')
create procedure p(a integer) update item set id = a; end procedure
create procedure p(a char(5)) update item set descr = a; end procedure
select procid, procauth from sysprocauth where grantee = 'bob' order by procid
grant execute on procedure p(integer) to bob
grant execute on p to bob with grant option
revoke execute on p(char(5)) from bob
revoke execute on p from bob
revoke select on item from public
create trigger tr insert on item (delete from item)
drop trigger if exists tr
grant clerks to bob
select count(*) from systabauth where grantee = 'bob'
select count(*) from systriggers
grant select on item too bob
create table customer ( id serial, name varchar(40) not null, city char(20) default 'Kyiv', balance decimal(16,2) default 0, ratio decimal(16), born date default today, stamp datetime year to fraction(3) default current year to fraction(3), span interval day(3) to second, creator char(32) default user, site char(32) default dbservername, note varchar(100,10) default null, big int8, primary key (id) constraint pk_customer, unique (name, city) constraint uq_customer) extent size 32 next size 64 lock mode row
create table orders ( num serial, cust integer, amount money(8,2) not null, shipped date, primary key (num), foreign key (cust) references customer (id) on delete cascade constraint fk_cust, check (amount > 0 and amount < 1000000 and shipped > '01/01/2000') constraint ck_amount)
create index ix_cust on orders (cust desc, amount)
create unique cluster index ix_ship on orders (shipped, num)
create view big_orders (num, cust, amount) as select num, cust, amount from orders where amount > 1000
create synonym clients for customer
create private synonym my_clients for customer
insert into customer (name, city) values ('Ann', 'Lviv')
insert into customer (name, city) values ('Bob', 'Odesa')
update statistics medium for table customer (name)
select owner from systables where tabid = 100
select username from sysmaster:informix.syssessions where sid = ?
select c.colname, c.coltype, c.collength,
select si.idxname, sc.idxname pkname, si.idxtype, si.part1, si.part2, si.part3, si.part4, si.part5, si.part6, si.part7, si.part8
create table loose (a integer, b integer)
create index ix_loose on loose (b)
create database ansidb with log mode ansi
create table item (code char(4) not null, qty smallint, primary key (code))
select count(*) from systabauth where grantee = 'public'
create role clerk
grant clerk to
select tabname,owner,partnum,tabid,rowsize,ncols,nindexes,nrows,created,tabtype,locklevel,npused,fextsize,nextsize from "informix".systables WHERE tabtype in ('V','T','S','P')
select idxname,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique, indexkeyarray_out(indexkeys) from "informix".sysindices i, outer "informix".sysobjstate o where i.tabid=? and o.objtype='I' and i.owner = o.owner and i.idxname = o.name and i.tabid = o.tabid
select procname, owner, procid, mode, isproc, paramtypes::lvarchar from "informix".sysprocedures WHERE mode not in ('P','o','r','d','p') and ( procname matches 'add*') order by 1
select procname, owner, procid, mode from "informix".sysprocedures WHERE mode not in ('P','o','r','d','p') order by 1
create procedure add_one(a integer) returning integer; return a + 1; end procedure
Select procname From "informix".sysprocedures where procid = ?
Select data,seqno From "informix".sysprocbody where datakey = 'T' and procid = ? Order By 2
select grantor, grantee, procauth from "informix".sysprocauth where procid = ?
select colname, coltype, collength, a.colno, b.type, b.default, xdt.name, xdt.owner, sd.constructed, sd.mode from "informix".syscolumns a, outer "informix".sysdefaults b, outer "informix".sysxtdtypes xdt, outer "informix".sysdistrib sd where a.tabid=? and a.tabid = b.tabid and a.colno = b.colno and xdt.extended_id = a.extended_id and a.tabid = sd.tabid and a.colno = sd.colno and sd.seqno = 1 order by a.colno
select colname, coltype, collength, a.colno, b.type, b.default, '', '', sd.constructed, sd.mode from "informix".syscolumns a, outer "informix".sysdefaults b, outer "informix".sysdistrib sd where a.tabid=? and a.tabid = b.tabid and a.colno = b.colno and a.tabid = sd.tabid and a.colno = sd.colno and sd.seqno = 1 order by a.colno
select today from systables where tabid = 1
create view totals (cust, n, total, seen) as select cust, count(*), sum(amount), today from orders where cust matches '1*' group by cust
select tabid from systables where tabname = 'totals'
select cust, count(*), sum(amount), today from orders where cust matches '1*' group by cust
select idxname ,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique, part1, part2, part3, part4, part5, part6, part7, part8, part9, part10, part11,part12, part13, part14, part15, part16 from "informix".sysindexes i, outer "informix".sysobjstate o where i.tabid=? and o.objtype='I' and i.owner = o.owner and i.idxname = o.name and i.tabid = o.tabid
select constrid,constrname, a.owner, constrtype, idxname, state from "informix".sysconstraints a, outer "informix".sysobjstate o Where a.tabid = ? and o.objtype='C' and a.owner = o.owner and a.constrname = o.name and a.tabid = o.tabid
select owner, tabname, delrule From "informix".systables a, "informix".sysreferences b where tabid = ptabid and b.constrid = ?
Select checktext, seqno From "informix".syschecks Where constrid = ? and type = 'T' Order By 2
Select trigid, trigname, t.owner, event, old, new, state From "informix".systriggers t, outer "informix".sysobjstate o Where t.tabid = ? and o.objtype='T' and t.owner = o.owner and t.trigname = o.name and t.tabid = o.tabid
create trigger tr_amount update of amount on orders referencing old as pre new as post for each row (insert into orders (cust, amount) values (post.cust, 1))
Select data,seqno From "informix".systrigbody where datakey = 'D' and trigid = ? Order By 2
insert into orders
create table split (a integer, b char(4)) fragment by expression a < 10 in dbs1, a >= 10 and a < 100 in dbs2, b in ('x', 'y') in dbs2, remainder in dbs3
create table spread (a integer) fragment by round robin in dbs1, dbs2
select fragtype, indexname, strategy, exprtext, dbspace, npused, nrows, evalpos from "informix".sysfragments where tabid =? order by fragtype, indexname, evalpos
drop table split
select count(*) from sysfragments
Select 'table' deptype, t.owner, t.tabname from informix.sysreferences r, informix.sysconstraints c, informix.systables t where ptabid=? and r.constrid=c.constrid and c.tabid=t.tabid union all Select 'view' deptype, t.owner, t.tabname from informix.sysdepend d, informix.systables t where d.btabid=? and d.dtabid = t.tabid union all Select 'synonym' deptype, t.owner, t.tabname from informix.syssyntable s, informix.systables t where s.btabid= ? and s.tabid = t.tabid
Select count(*) nrows from
select grantor, grantee, tabauth from "informix".systabauth where tabid = ?
Select viewtext, seqno From "informix".sysviews Where tabid = ? Order By 2
Select syn.servername, syn.dbname, syn.owner, syn.tabname, st.owner, st.tabname from "informix".syssyntable syn, outer "informix".systables st where syn.tabid = ? and syn.btabid = st.tabid
create table maker (id integer, name char(20), primary key (id) constraint pk_maker)
create table part (id integer, maker integer references maker (id) on delete cascade constraint fk_maker, descr varchar(40))
create view makers as select id, name from maker
create synonym vendors for maker
select constrid,constrname, a.owner, constrtype, idxname, state from "informix".sysconstraints a, outer "informix".sysobjstate o Where a.tabid = :t and o.objtype='C' and a.owner = o.owner and a.constrname = o.name and a.tabid = o.tabid
select owner, tabname, delrule From "informix".systables a, "informix".sysreferences b where tabid = ptabid and b.constrid = :c
Select 'table' deptype, t.owner, t.tabname from informix.sysreferences r, informix.sysconstraints c, informix.systables t where ptabid=:tabid and r.constrid=c.constrid and c.tabid=t.tabid union all Select 'view' deptype, t.owner, t.tabname from informix.sysdepend d, informix.systables t where d.btabid=:tabid and d.dtabid = t.tabid union all Select 'synonym' deptype, t.owner, t.tabname from informix.syssyntable s, informix.systables t where s.btabid= :tabid and s.tabid = t.tabid
select idxname,i.owner, idxtype, clustered, state, levels, leaves, clust, nunique, indexkeyarray_out(indexkeys) from "informix".sysindices i, outer "informix".sysobjstate o where i.tabid=:t and o.objtype='I' and i.owner = o.owner and i.idxname = o.name and i.tabid = o.tabid
create index ix_part on part (descr desc, id)
Select syn.servername, syn.dbname, syn.owner, syn.tabname, st.owner, st.tabname from "informix".syssyntable syn, outer "informix".systables st where syn.tabid = :tabid and syn.btabid = st.tabid
select c.colname, c.coltype, c.collength, c.extended_id colxid, d.type deftype from informix.syscolumns c, outer informix.sysdefaults d where c.tabid = (select nvl(s.btabid, t.tabid) from informix.systables t, outer informix.syssyntable s where t.tabname = :tabname and s.tabid = t.tabid) and d.tabid = c.tabid and d.colno = c.colno
select data from
create table t (n integer, price decimal(8,2))
create procedure add_one(p integer) update t set n = n + p; end procedure
create function balance(p_customer int, p_tag char(10), p_rate dec(5,2) default 1.5) returning money(12,2); define v money(12,2); let v = 0; return v; end function
create dba procedure cleanup() delete from t; end procedure
create function counter(n integer) returning integer; define v integer; let v = 0
select procid, isproc, mode, numargs, paramtypes::lvarchar, iterator, langid, trim(owner) from sysprocedures where procname = '
select trim(grantor), trim(grantee), procauth from sysprocauth where procid =
select count(*) from sysprocbody p, sysprocedures r where r.procname = 'counter' and p.procid = r.procid and p.datakey = 'T'
select procname, owner, procid, mode, isproc, paramtypes::lvarchar from "informix".sysprocedures WHERE mode not in ('P','o','r','d','p') and ( procname matches 'add*' or procname matches 'bal*') order by 1
Select data,seqno From "informix".sysprocbody where datakey = 'T' and procid = 1 Order By 2
select grantor, grantee, procauth from "informix".sysprocauth where procid = 1
create function f(a integer) returning integer, char(5); return a, 'x'; end function document 'Gives back', 'its argument.' with listing in '/tmp/f.lst'
select trim(data) from sysprocbody where datakey = 'D' order by seqno
select retsize from sysprocedures
create procedure p(a integer) update t set n = a; end procedure
create procedure p(a char(5)) update t set n = 0; end procedure
create function g() returning integer; return 1; end function
drop procedure p
drop function p(integer)
drop procedure p(integer)
select paramtypes::lvarchar from sysprocedures where procname = 'p'
drop function g
drop procedure if exists p
create procedure p(a int) update t set n = a; end procedure
create procedure p(b integer) update t set n = b; end procedure
create procedure q(a int) update t set n = a; end function
create function q() returning int; return 1
create procedure q(a) end procedure
create procedure q() end procedure extra
execute procedure p(1)
execute procedure nosuch(1)
execute function p(1)
create procedure if not exists p(a integer) end procedure
select count(*) from sysprocedures
create procedure r() end procedure
select count(*) from sysprocedures where procname = 'r'
create procedure p() update t set n = 1; end procedure
create trigger tr insert on t for each row (update t set n = 2)
create table orders (order_num serial, ship_date date, note char(20))
create table audit (note varchar(80))
create view v_orders as select order_num, ship_date from orders
create trigger trg_upd update of ship_date, note on orders referencing old as pre new as post
create trigger trg_del delete on orders referencing old gone
create trigger trg_ins insert on orders
create trigger trg_sel select on orders
create trigger trg_v instead of insert on v_orders referencing new as n
select g.trigid, g.event, g.old, g.new, t.tabname, trim(g.owner) from systriggers g, systables t where t.tabid = g.tabid and g.trigname = '
select state from sysobjstate where objtype = 'T' and name = '
alter table orders add (extra integer)
create index ix_note on orders (note)
select name, state from sysobjstate where objtype = 'T' and name = 'trg_ins'
Select trigid, trigname, t.owner, event, old, new, state From "informix".systriggers t, outer "informix".sysobjstate o Where t.tabid = 100 and o.objtype='T' and t.owner = o.owner and t.trigname = o.name and t.tabid = o.tabid
create trigger tr insert on orders for each row (insert into audit values ('x'))
create trigger tr delete on orders for each row (insert into audit values ('y'))
create trigger t2 insert on nosuch for each row (insert into audit values ('y'))
create trigger t2 update of nocol on orders for each row (insert into audit values ('y'))
create trigger t2 insert on v_orders for each row (insert into audit values ('y'))
create trigger t2 delete on orders referencing old as o after (insert into audit values ('y'))
create trigger t2 insert on orders
create trigger t2 insert on orders for each row
create trigger t2 merge on orders (insert into audit values ('y'))
drop trigger nosuch
drop trigger tr
select count(*) from systrigbody
select count(*) from sysobjstate where objtype = 'T'
create trigger tr1 insert on orders for each row (insert into audit values ('x'))
create trigger tr2 delete on audit after (insert into orders (order_num) values (0))
create trigger tr3 instead of delete on v_orders for each row (delete from orders)
drop view v_orders
select trigname from systriggers order by trigid
drop table orders
select trigname from systriggers
select distinct trigid from systrigbody
select name from sysobjstate where objtype = 'T'
select tabname,owner,partnum,tabid,rowsize,ncols,nindexes,nrows,created,tabtype,locklevel,npused,fextsize,nextsize from "informix".systables WHERE tabtype in ('V','T','S','P') and ( tabname matches 'orders') order by 1
create table t0 (a integer not null, b integer not null, c integer not null)
create table t1 (a integer not null, b integer not null)
create table t2 (a integer not null, b integer not null)
create table t3 (a integer not null, b integer not null)
create table t4 (a integer not null, b integer not null)
create table orders (id serial, name varchar(40), created datetime year to second default current year to second, status char(1) default 'N', primary key (id))
create index ix_name on orders (name)
create synonym s_orders for orders
select procname, owner, procid, mode, isproc, paramtypes::lvarchar from "informix".sysprocedures WHERE mode not in ('P','o','r','d','p') and ( procname matches 'add_one') order by 1
DROP TABLE "joe".orders
CREATE TABLE "joe".orders( id SERIAL NOT NULL, name VARCHAR(40), created DATETIME YEAR to SECOND default Current YEAR to SECOND, status CHAR(1) default 'N') EXTENT SIZE 16 NEXT SIZE 16 LOCK MODE PAGE
CREATE INDEX "joe".ix_name ON "joe".orders(name)
ALTER TABLE "joe".orders ADD CONSTRAINT PRIMARY KEY (id) CONSTRAINT "joe".u105_12
GRANT select, update, insert, delete, index ON orders TO public AS joe
select tabid from systables where tabname = 'orders'
insert into orders (id, name) values (7, 'a')
insert into orders (id, name) values (7, 'b')
create table mine (a integer)
database stmtdb
CREATE TABLE "joe".orders( id SERIAL NOT NULL, name VARCHAR(40))
ALTER TABLE "joe".orders ADD CONSTRAINT PRIMARY KEY (id) CONSTRAINT "joe".u101_5
create view "joe".named (id, name) as select o.id, o.name from "joe".orders o where o.id > 1
create synonym "joe".s_orders for "joe".orders
select tabname, owner, tabtype from systables where tabid > 100 order by tabid
select constrname, owner from sysconstraints where tabid = 101
select count(*) from sysindexes where tabid = 101 and owner = 'joe'
select btabid, dtabid from sysdepend
select count(*) from systabauth where tabid = 103
create table head (id integer, code char(2), primary key (id), unique (code))
create table line (n integer not null, head integer references head, check (n > 0))
alter table line add constraint unique (n)
select r.constrid, r.primary, r.ptabid, r.delrule from sysreferences r
create table region (code char(3) not null, name varchar(30,5))
alter table region add constraint primary key (code) constraint pk_region
alter table region add constraint unique (name)
create table shop (id integer, region char(3) not null, opened date default today, check (id > 0) constraint ck_id) lock mode row extent size 64 next size 32
alter table shop add constraint (foreign key (region) references region on delete cascade constraint fk_region)
create cluster index ix_shop on shop (region desc, id)
select locklevel, fextsize, nextsize from systables where tabid = 101
select r.primary, r.ptabid from sysreferences r
select constrid, colno from syscoldepend where tabid = 101
select checktext from syschecks where constrid =
select idxtype, clustered, part1, part2 from sysindexes where idxname = 'ix_shop'
insert into region (code, name) values ('N', 'North')
insert into shop (id, region) values (1, 'N')
insert into shop (id, region) values (2, 'S')
delete from region where code = 'N'
select count(*) from shop
create table parent (code char(4) not null, name varchar(30), primary key (code))
create table orders ( id serial, amount decimal(8,2) not null, note varchar(20,4) default 'none', code char(4), stamp date default today, primary key (id) constraint pk_orders, unique (note, code), foreign key (code) references parent (code) on delete cascade constraint fk_parent) lock mode row extent size 32 next size 64
select username from sysusers where usertype = 'D'
select tabname, tabid, ncols, nindexes, tabtype, locklevel, fextsize, nextsize, created, today from systables where tabid >= 100 order by tabid
select count(*) from systables where tabid = 101 and owner = '
select colname, colno, coltype, collength from syscolumns where tabid = 101 order by colno
select constrname, constrtype, idxname from sysconstraints where tabid = 101 order by constrid
select min(constrid) from sysconstraints where tabid = 101
select constrid from sysconstraints where tabid = 100 and constrtype = 'P'
select * from sysreferences where constrid =
select idxtype, clustered, part1, part2, part3 from sysindexes where tabid = 101 order by idxname
select * from sysdefaults where tabid = 101 order by colno
create unique cluster index ix_orders on orders (amount desc, note)
select idxtype, clustered, part1, part2, part3 from sysindexes where idxname = 'ix_orders'
select indexkeyarray_out(indexkeys) from sysindices where idxname = 'ix_orders'
select nindexes from systables where tabname = 'orders'
drop index ix_orders
select count(*) from sysindices where idxname = 'ix_orders'
select count(*) from sysreferences where ptabid = 100
rename table orders to purchases
alter table purchases add (remark char(10))
select tabid, ncols from systables where tabname = 'purchases'
select count(*) from systables where tabname = 'orders'
select count(*) from sysconstraints where constrname in ('pk_orders', 'fk_parent') and tabid = 101
select trim(grantee), tabauth from systabauth where tabid = 101 order by tabauth
insert into parent values ('A', 'a')
insert into parent values ('B', 'b')
update statistics
select nrows from systables where tabname = 'parent'
select count(*) from sysdistrib
update statistics high for table parent (name)
select tabname, nrows from systables where tabid >= 100 order by tabid
select tabid, colno, seqno, mode, constructed = today from sysdistrib
update statistics medium for table parent
select colno, mode from sysdistrib order by colno
update statistics for table parent drop distributions
insert into demo_size values (100000)
insert into demo_size values (
begin work; update states set sname = sname; rollback work
select count(*), count(distinct entry_num), min(entry_num), max(entry_num) from ledger
select count(*) from ledger where customer_num is null and memo is null
select count(distinct kind) from ledger
select count(*) from ledger where posted is null or account not matches 'AC[0-9][0-9][0-9][0-9]'
select count(*) from ledger where customer_num is not null and customer_num not in (select customer_num from customers)
select count(*) from orders o where not exists (select 1 from items i where i.order_num = o.order_num) or (select count(*) from items i where i.order_num = o.order_num) > 4
select count(*) from items i, stock s where s.stock_num = i.stock_num and s.manu_code = i.manu_code and i.total_price <> i.quantity * s.unit_price
select count(*) from items where order_num <> 1002
select count(*) from items where order_num = 1002
delete from orders where order_num = 1002
delete from customers where customer_num = 101
select lname from customers where customer_num = 101
insert into stock values (99, 'ALP', 'free sample', 0, 'each', 'each')
insert into items values (9, 1001, 1, 'ALP', 0, 0)
insert into customers (customer_num, lname, email) values (0, 'Dup', 'maren@trailhead.example')
insert into orders (order_num, customer_num) values (0, 9999)
insert into ledger values (0, today, null, 'AC0001', 'X', 1, null, null, null, null)
insert into orders (order_num, order_date, customer_num, ship_date) values (0, '03/02/2024', 101, '03/01/2024')
select sizes, parts, tags, origin from gear_kits where kit_code = 'HIKE'
select count(*) from gear_kits
select c.coltype, c.collength from syscolumns c, systables t where t.tabname = 'gear_kits' and c.tabid = t.tabid and c.colno > 1 order by c.colno
select count(*) from customer_order_totals v where v.total <> (select sum(i.total_price) from orders o, items i where o.customer_num = v.customer_num and i.order_num = o.order_num)
select count(*) from customer_order_totals
select count(distinct o.customer_num) from orders o, items i where i.order_num = o.order_num
select count(*) from open_orders
select count(*) from orders where ship_date is null
select count(*) from clients
select count(*) from customers
select count(*) from my_ledger
select procname, isproc, paramtypes::lvarchar from sysprocedures order by procname
select trigname, event, old, new from systriggers order by trigname
select a.procauth from sysprocauth a, sysprocedures p where a.procid = p.procid and p.procname = 'reprice_stock' and a.grantee = 'sales_staff'
select a.tabauth from systabauth a, systables t where t.tabid = a.tabid and t.tabname = 'orders' and a.grantee = 'sales_staff'
select count(*) from syscolauth a, systables t where t.tabid = a.tabid and t.tabname = 'orders' and a.grantee = 'sales_staff' and a.colauth = '-u-'
execute procedure reprice_stock('ALP', 5)
select * from stock_pick
select * from demo_size
select dbinfo('sessionid') from words where k = 1
create table words (k integer, who varchar(64), srv varchar(64), d date)
insert into words values (1, 'nobody-else', 'othersrv', '01/01/2000')
insert into words (k, who) values (2, '
select k from words where who = user
select k from words where user = who order by k
select k from words where who <> user
select user from words where k = 1
insert into words (k, srv, d) values (2, 'stmtsrv', today)
select k from words where
create table acct ("user" varchar(20))
insert into acct values ('col-value')
select acct.user from acct
commit work
create database toolsdb with log; create table item (id serial, name varchar(20), price money(8,2), seen date); insert into item values (0, 'pipe|name', 12.5, '12/31/1999'); insert into item (name) values ('plain'); -- a comment; with a semicolon select id, name, price, seen from item order by id
create database lodb with log; create table doc (id integer, body clob, raw blob); insert into doc values (1, 'text|with pipe', 'AZ'); insert into doc (id) values (2); select id, body, raw from doc order by id
create database colldb with log; create table kit (k integer, l list(varchar(10) not null), s set(integer not null)); insert into kit values (1, LIST{'a;}b', 'c'}, SET{2, 2}); insert {a comment; with a semicolon} into kit values (2, null, null); update kit set {new; values} s = SET{3} where k = 2; select k, l, s from kit order by k
create database toolsdb; create table t (a int)
insert into t values (1); select * from missing; select a from t
create database toolsdb; create table t (a int); insert into t values (7)
select * from missing; select a from t
create database toolsdb with log; create table c (id integer, name varchar(30), bal decimal(8,2), d date); load from '
create database toolsdb with log; create table t (a int); create procedure p(x int) insert into t values (x); update t set a = a + 1; end procedure; create function f() returning int; return 1; end function document 'One; always.', 'The end procedure' with listing in '/tmp/f.lst'; select procname, numargs from sysprocedures order by procid
select 1 from systables
CREATE DATABASE otherdb
DATABASE stmtdb
CLOSE DATABASE
create table docs (id integer, body blob, note clob)
insert into docs (id, body) values (1, ?)
select body from docs where id = 1
select note from docs where id = 1
insert into docs values (2, null, 'some text')
select note from docs where id = 2
select body from docs where id = 2
insert into docs (id, body) values (3, ?)
create database otherdb with log
create table docs (id integer, body blob)
insert into docs (id, body) values (4, ?)
select id from docs
insert into docs (id, body) values (5, ?)
update docs set body = ? where id = 5
select body from docs where id = 5
WITH BUFFERED LOG
WITH LOG
WITH LOG MODE ANSI
create database fresh
drop database nosuch
drop database busy
drop database old
database stock
close database
create database x with log mode
Database not found or no system permission.
create database work
create table t (a integer)
create table total (n integer)
insert into t values (
delete from t where a =
insert into total select count(*) from t a, t b, t c, t d
insert into total values (1)
with log
insert into t values (1000)
insert into t select a.a + 1000 from t a, t b, t c
create database shop with log
insert into t values (7)
set lock mode to not wait
insert into t values (8)
delete from t where a = 7
database facts
create database facts
create table s (sid integer, u varchar(40), srv varchar(40), db varchar(40))
insert into s select ifx_session_id(), ifx_session_user(), ifx_server_name(), ifx_database_name() from ifx_syssessions where sid = ifx_session_id()
delete from s where sid =
insert into s (sid, u) select sid, username from ifx_syssessions
insert into s (sid) select sid from ifx_syssessions
insert into t values (1)
insert into t values (2)
delete from t where a = 1
delete from t where a = 2
create table a (k integer)
insert into a values (1)
delete from a where k = 99
update a set k = 2 where k = 1
select k from a
create database ansiproc with log mode ansi
create procedure p(a integer) return; end procedure
select count(*) from sysprocauth
create table l (k integer)
delete from l where k = 99
create table informix.owned (k integer)
insert into "informix".owned values (3)
update stmtdb:informix.owned set k = 4
select o.k from informix.owned o, owned p where o.k = p.k
with recursive c(x) as (select 1 union all select x + 1 from c where x < 2000000000) select max(x) from c
create table dd (k integer, d date, t datetime year to minute, i interval hour to minute)
insert into dd values (1, '12/31/1999', '2024-01-02 10:11:12', '5:30')
insert into dd values (2, '2000-01-01', '2024-01-02 09:05', '10:00')
insert into dd values (3, mdy(6, 1, 1999), null, null)
select k, d from dd where d > mdy(1, 1, 1999) order by d
select t, i from dd where k = 1
select k from dd where t is not null order by t
update dd set d = '02/03/2004' where k = 3
select k from dd where d = mdy(2, 3, 2004)
create table bad_d (d date)
insert into bad_d values ('13/45/2020')
select d from bad_d
create table t (a integer, b char(10))
create index t_ix on t (a)
SELECT * FROM t
select a, (select count(*) from t) from t where a in (select a from t)
select a from t into temp tt with no log
UPDATE t SET a = 1 WHERE b = 'x'
update t set a = (select max(a) from t where a > 1)
DELETE FROM t WHERE a = 1
delete from t
delete t where a = 2
INSERT INTO t VALUES (1, 'x')
insert into t (a) select a from t where a = 1
CREATE TABLE n1 (x INT)
create temp table n2 (x int) with no log
DROP TABLE t
CREATE UNIQUE INDEX ix1 ON t (a)
create distinct index ix2 on t (a desc)
create cluster index ix3 on t (b)
drop index t_ix
CREATE VIEW v1 AS SELECT a FROM t
create synonym s1 for t
RENAME TABLE t TO t2
rename column t.a to a2
alter table t add (c integer)
update statistics medium for table t
update statistics for procedure
TRUNCATE TABLE t
CREATE DATABASE other WITH BUFFERED LOG
DROP DATABASE other
BEGIN WORK
COMMIT WORK
ROLLBACK WORK
GRANT SELECT ON t TO public
REVOKE ALL ON t FROM public
LOCK TABLE t IN EXCLUSIVE MODE
UNLOCK TABLE t
SET LOCK MODE TO WAIT 10
SET ISOLATION TO DIRTY READ
set explain on
set optimization low
set pdqpriority 20
drop role clerk
set role clerk
savepoint sp1
select a from t
alter table t add (d integer)
fetch everything
create table semi (a integer)
alter table semi add (b integer)
insert into semi values (1, 2); -- done
select a, b from semi
insert into semi values (3, 4); delete from semi
select count(*) from semi
create table w (a integer)
delete from w
delete from w where a = 1
create table after_db (a integer)
select 1 from t
create table ct (k integer, v
select c.coltype, c.collength, x.mode, x.name, x.type, c.extended_id from syscolumns c, systables t, sysxtdtypes x where t.tabname = 'ct' and c.tabid = t.tabid and c.colname = 'v' and x.extended_id = c.extended_id
select v from ct
DESCRIBE gives the catalog's id
create table a1 (s set(integer not null), l list(integer not null))
create table a2 (s set(integer not null))
select count(distinct extended_id) from syscolumns where colname = 's'
select count(*) from sysxtdtypes
drop table a1
select name from sysxtdtypes
drop table a2
create table b (s set(integer))
create table b (s list(serial not null))
create table b (r row(a integer, a char(2)))
create table b (s multiset(text not null))
create table pd (n integer)
insert into pd values (1)
create table cv (v
insert into cv values (
select v from cv
create table cu (k integer, s set(varchar(5) not null))
insert into cu values (1, null)
insert into cu values (2, SET{'x'})
update cu set s = SET{'y','y','z'} where k = 2
select s from cu order by k
select LIST{1, 'a'} from cu where k = 1
create table ca (k integer)
alter table ca add (s set(integer not null))
insert into ca values (1, SET{2, 2, '3'})
alter table ca add (l list(integer not null))
insert into ca values (2, SET{1, 1}, LIST{'4'})
select s from ca order by k
select l from ca where k = 2
select coltype from syscolumns c, systables t where t.tabname = 'ca' and c.tabid = t.tabid and c.colname = 'l'
create table ci (k char(2), sizes set(char(3) not null), parts list(integer not null), origin row(city varchar(10)))
insert into ci values ('a', SET{'S', 'M'}, LIST{1, 2}, ROW('Oslo'))
insert into ci values ('b', SET{'L'}, LIST{3}, null)
insert into ci values ('c', null, LIST{}, null)
select k from ci where
select k from ci where 'Oslo' in origin
create table cr (v
insert into cr values (
select count(*) from cr
create table bc (n integer)
insert into bc {a comment} values (1)
update bc set {the new value} n = 2
select n from bc
create table iw (n integer) in rootdbs
create index ix_iw on iw (n) in rootdbs
lock table iw in exclusive mode
create table ck (
insert into ck values (
alter table ck add constraint check (
select checktext from syschecks k, sysconstraints c where c.constrname = 'ck_added' and k.constrid = c.constrid and k.seqno = 0
create table cd (order_date date, ship_date date, check (ship_date is null or ship_date >= order_date) constraint ck_ship)
insert into cd values ('12/20/2007', null)
update cd set ship_date = '01/02/2008'
update cd set ship_date = '12/01/2007'
select ship_date from cd
create table n (i integer, s varchar(10))
insert into n values (
select i from n order by i
select i from n order by i desc
select i from n where i >= ? order by i
select i from n where i > ? and s <> ? order by i
select i from n where i = ?
select i from n
select count(*) from n where i >
select i from n where i > 99
select i * 10 from n where i = ?
update n set s = 'w' where i > 3
delete from n where i = 1
create database second_db
create table money_t (m money(8,2), d date)
insert into money_t values (12.5, '03/04/2024')
select m, d, m * 2 doubled from money_t into temp tmp_m with no log
select * from tmp_m
select d from tmp_m
create table q (i integer)
insert into q values (
select i from q order by i
insert into q values (4)
select i from q
create table n (i integer, g char(1))
select first 2 i from n order by i
select skip 1 first 2 i from n order by i
select skip 3 i from n order by i
select limit 1 i from n order by i desc
select unique g from n order by g
select i from n where i = 4 for update
select i from n where i = 3 for read only
select first 1 i, g from n
select i from n where g = "e" order by i
create table c (k char(6) unique, v varchar(6))
insert into c values ('ab ', 'ab ')
select k from c where k = 'ab'
select v from c where v = 'ab'
insert into c values ('ab', 'x')
create table al (a integer)
insert into al values (1)
alter table al add (b char(3) default 'x', c date)
alter table al lock mode (row)
alter table al modify next size 32
alter table al add constraint unique (a) constraint al_a
insert into al (a) values (1)
alter table al drop constraint al_a
alter table al drop (c)
select * from al
alter table al modify (a smallint)
create table one (tabid integer)
insert into one values (1)
select dbinfo('sessionid') from one where tabid = 1
select dbinfo('dbname') from one
select dbinfo('sessionid') from one
create table who (k integer, srv char(20) default dbservername)
insert into who (k) values (1)
select srv from who
create table lk (s varchar(10))
insert into lk values ('Abc')
select s from lk where s like 'abc'
select s from lk where s like 'A%'
create table dv (a integer, b integer)
insert into dv values (7, 2)
select a / b, (a + 1) / -b, a / (b * 2) from dv
select a from dv where a / 2 > 3
select a / (b - 2) from dv
update dv set a = a / 0
select a from dv
create table mt (s varchar(20))
insert into mt values ('
select s from mt where
create table mt2 (s lvarchar(5000))
insert into mt2 values ('
select count(*) from mt2 where s matches '*a*a*a*a*a*a*a*a*a*a*a*a*b'
select count(*) from mt2 where s matches '*a*a*a*a*a*a*a*a*a*a*a*a'
create table cust (id integer, name char(8), city char(8))
create table ord (cid integer, amount integer)
create table note (cid integer, txt char(8))
insert into cust values (1, 'ann', 'rome')
insert into cust values (2, 'bob', 'oslo')
insert into cust values (3, 'cid', 'rome')
insert into ord values (1, 10)
insert into ord values (1, 20)
insert into ord values (3, 5)
insert into note values (3, 'vip')
select c.id, o.amount from cust c, outer ord o where c.id = o.cid order by c.id, o.amount
select c.id, o.amount from cust c, outer ord o where c.id = o.cid and c.city = 'rome' order by c.id, o.amount
select c.id, o.amount from cust c, outer ord o where c.id = o.cid and o.amount > 15 order by c.id
select c.id, n.txt, o.amount from cust c, outer note n, outer ord o where n.cid = c.id and o.cid = c.id and o.amount < 15 order by c.id
select count(*) from stmtdb:informix.cust c, outer informix.ord o where c.id = o.cid
select c.name from cust c where c.id = (select nvl(o.cid, 0) from note n, outer ord o where n.txt = 'vip' and o.cid = n.cid and o.amount = 5)
create table df (d date, code integer)
insert into df values ('02/29/2024', 2)
insert into df values (null, null)
select day(d), month(d), year(d), weekday(d) from df where d is not null
select count(*) from df where d = date('02/29/2024')
select decode(code, 1, 'one', 2, 'two', 'other'), decode(code, null, 'none', 'some') from df order by code
create table cs (t varchar(20), n integer)
insert into cs values ('03/15/2024', 7)
select cast(t as date), n::decimal(5,2), cast(n as char(1)) || 'x' from cs
select n from cs where t::date = mdy(3, 15, 2024)
select t::date, cast(n as decimal(5,2)) from cs
insert into cs (n) values ('abc'::date)
create table da (d date, e date)
insert into da values ('03/01/2024', '02/01/2024')
select d - 1, d + 30, d - e, e + 1 - 1 from da
create table t (a integer not null, b char(10), c integer unique)
create unique index t_b on t (b)
insert into t values (1, 'one', 1)
select * from nosuch
select nocol from t
select a from t where zz = 1
select * frm t
select 'abc from t
insert into t values (2, 'one', 2)
insert into t values (2, 'two', 1)
insert into t (b) values ('three')
update t set a = null
create table t (x integer)
create index t_b on t (c)
drop table nosuch
drop index nosuch
create procedure p() end function
execute procedure no_such_proc(1, 2)
select x from nosuch
create table keep (k integer primary key, v char(5))
insert into keep values (1, 'a')
insert into keep values (2, 'b')
update keep set k = 1 where k = 2
select k, v from keep order by k
create table lit (d datetime year to day)
insert into lit values (datetime(2024-13-01) year to day)
insert into lit values (datetime(2024-02-29) year to day)
select d from lit
create table when_t (d date, dt datetime year to second, iv interval day to hour)
insert into when_t values (mdy(2, 29, 2024), current year to second, interval(3 04) day to hour)
insert into when_t values (today, datetime(1999-12-31 23:59:59) year to second, null)
select d, dt, iv from when_t where dt < datetime(2000-01-01) year to day
select d, iv from when_t where iv is not null
create table p (id integer primary key)
create table c (pid integer references p (id))
insert into p values (1)
insert into c values (1)
insert into c values (2)
delete from p
select count(*) from p
select count(*) from c
create table big (k integer, v integer, t char(20))
create unique index big_k on big (k)
create table small (k integer, v integer)
insert into big (k, v) values (?, ?)
insert into small values (
select * from big where k = 1500
select * from big where v = 15
select * from big
select * from small
select * from small s, big b where b.k = s.k
select * from small s, big b where b.v = s.v
delete from big where k = 7
update big set t = 'x'
delete from big
create table r (id integer, c char(6), vc varchar(30), d decimal(8,2), df decimal(16), i8 int8, b boolean, ts datetime year to second, tf datetime hour to fraction(3))
insert into r values (1, 'abcdef', 'a longer text than the next', 12.5, 3, 9000000000, 't', '2024-01-15 10:20:30', '10:20:30.125')
insert into r values (2, 'x', 'y', -0.25, 0.1, -9223372036854775807, 'f', '1999-12-31 23:59:59', '00:00:00.001')
insert into r (id) values (3)
insert into r values (4, 'zz', '', 0, 123456789012345678, 0, 't', '0001-01-01 00:00:00', '23:59:59.999')
select c, vc, d, df, i8, b, ts, tf from r order by id
create table n (id integer, d decimal(12,2), f decimal(20))
select d, f from n order by id
create table f (i integer)
insert into f values (1)
insert into f values (2)
select i from f order by i
CREATE DATABASE stmtdb WITH LOG
create table dx (a decimal(18,4), b decimal(32), m money(16,2))
insert into dx values (12345678901234.5678, -123456789012345678901234.5, 12345678901234.56)
select a, b, m from dx
update dx set a = 1234567890123.45675
select a from dx
select 12345678901234567.891 from dx
create table sm (a money(8,2), b decimal(10,3), i integer, c decimal(18,2))
insert into sm values (0.10, 1234567.891, 1, 12345678901234.56)
insert into sm select * from sm
select sum(a), sum(b), sum(i), count(*), sum(c) from sm
select sum(a) from sm where i = 2
select sum(a), sum(b), sum(i) from sm
create table fx (s char(8), v varchar(20), n integer, x decimal(8,3), d date, t datetime year to second)
insert into fx values ('ab', 'hello wORLD', 17, -7.389, '03/05/2024', '2024-03-05 14:07:09')
select count(*) from fx where extend(to_date('2024-03-05', '%Y-%m-%d'), year to day) = d
select count(*) from fx where trunc(d, 'MONTH') = mdy(3, 1, 2024)
update fx set n = trunc(d, 'WEEKS')
select mod(n, 5), mod(x, 2), to_date('2024', '%Y') from fx
update fx set n = mod(n, 0)
create table maker (id integer, primary key (id))
create table part (id integer, maker integer references maker (id), note char(10) default 'none')
select b.default from sysdefaults b where b.tabid = 101
select b.type, b.DEFAULT from informix.sysdefaults b where b.tabid = 101
select sysdefaults.default from sysdefaults where sysdefaults.tabid = 101
select r.primary from sysreferences r
select r.ptabid from sysreferences r where r.primary =
select c.colname from syscolumns c, sysdefaults b where c.tabid = b.tabid and c.colno = b.colno and b.default is not null
create table kept (id integer default 7, primary key (id))
insert into kept (id) values (3)
select k.id from kept k order by k.id
select 'view' from systables where tabid = 1 union all select 'synonym' from systables where tabid = 1
select 'synonym' from systables where tabid = 1 union all select 'view' from systables where tabid = 1
select 'a' k from systables where tabid = 1 union select 'abcde' from systables where tabid = 1 union all select 'abc' from systables where tabid = 1 order by 1
select tabid from systables where tabid = 1 union select tabid from systables where tabid = 2
select tabid from systables where tabid = 1 union select 5 from systables where tabid = 2
create table pt (id int, f smallfloat, d float, iv interval day(4) to second, ym interval year(3) to month, dt datetime year to second)
insert into pt values (1, 1.5, 1.5, '1234 23:59:59', '12-11', '2024-02-29 23:59:58')
insert into pt values (2, 0.1, 0.1, '1 00:00:00', '0-01', '2024-01-01 00:00:00')
select id, f, d, iv, ym, dt, typeof(f) from pt
select id from pt where ym = ?
select id from pt where iv = ?
select id from pt where dt = ?
select id from pt where f = ?
select id from pt where d = ?
select id from pt where f > ?
insert into pt (id, f) values (3, ?)
select id, f, typeof(f), f = 0.1 from pt
create table r (k integer, v char(3))
insert into r values (
create view rv as select k from r
select v from r order by k desc
select * from r where k >= 2 order by k
select * from r
select * from r where k = 2
select k from rv where k = 1
select a.k from r a, r b where a.k = b.k and a.k = 3
select count(*), max(k) from r
select distinct v from r where k = 1
select v from r where k = 2
update r set v = 'x' where k = 2
delete from r where k = 3
delete from r where k = 1
update r set v = 'y' where k = 99
create table c (pid integer, amount integer, foreign key (pid) references p (id) constraint c_to_p, check (amount >= 0) constraint amount_positive)
create table d (n integer check (n < 10))
insert into c values (1, 5)
insert into c values (2, 5)
update c set pid = 7
insert into c values (1, -1)
insert into d values (11)
select constrname from sysconstraints where constrtype = 'C' and tabid = (select tabid from systables where tabname = 'd')
create table s (id serial, name char(10))
insert into s values (0, 'a')
insert into s (name) values ('b')
insert into s values (10, 'c')
insert into s values (0, 'd')
insert into s values (5, 'e')
insert into s values (0, 'f')
delete from s
insert into s values (0, 'g')
select id, name from s
create table s100 (id serial(100) primary key, v integer)
insert into s100 (v) values (1)
insert into s100 values (0, 2)
create table big8 (id
insert into big8 values (0, 1)
insert into big8 values (5000000000, 2)
insert into big8 (v) values (3)
select max(id) from big8
drop table big8
create table both8 (a serial, b serial8(7))
insert into both8 values (0, 0)
create table r (v char(3))
select rowid, v from r where v = 'y'
select rowid from r
create table a1 (id serial)
create table a2 (id serial)
insert into a1 values (50)
insert into a2 values (0)
insert into a1 values (0)
create table tm (d date, dt datetime year to second, ym datetime year to month, hm datetime hour to minute, iv interval day(3) to second, im interval year to month)
insert into tm values ('01/31/2024', '2024-01-31 10:20:30', '2024-01', '10:20', '1 02:03:04', '1-02')
select count(*) from tm where
update tm set dt = dt + 1 units hour, iv = iv * 3, d = d + 1 units day
select dt, iv, d from tm
insert into tm (d, dt) values (mdy(3, 1, 2024) - 1 units day, datetime(2024-03-01 00:00:00) year to second - 1 units second)
select d, dt from tm where dt < '2024-03-01 00:00:00' and d = '02/29/2024'
select ym + 1 units day from tm
select iv + im from tm
select dt + dt from tm
select dt * 2 from tm
update tm set d = d + 1 units month
update tm set dt = dt + interval(1) month to month
update tm set ym = ym + 8000 units year
select d, dt from tm
select dt + 1 units day, nosuch - 2 units hour from tm
insert into tm (iv) values ('0 23:59:58')
insert into tm (iv) values (null)
select sum(iv) from tm
select sum(iv) from tm where iv is null
insert into tm (d) values (null)
select dt + 1 units day, extend(dt, year to day), iv * 2 from tm where d is null
create table typed (Col
select col from typed
create table bad (a DECIMAL(40,2))
create table bad (a DATETIME SECOND TO YEAR)
create table bad (a WIDGET)
create table bad (a VARCHAR(300))
create table vals (c_char char(5), c_vc varchar(10), c_nchar nchar(3), c_lv lvarchar(40), c_small smallint, c_int integer, c_int8 int8, c_big bigint, c_float float, c_sfloat smallfloat, c_dec decimal(8,2), c_decf decimal(16), c_money money(10,2), c_date date, c_dt datetime year to second, c_dth datetime hour to minute, c_iv interval day(3) to second, c_ivym interval year to month, c_bool boolean)
insert into vals values ('ab', "xyz", 'n', 'long text', -32767, 2147483647, 9223372036854775807, -9223372036854775807, 1.25, 2.5, 12.5, 3.14159, 1234.5, '01/15/2024', '2024-01-02 10:11:12', '23:59', '5 10:11:12', '2-11', 't')
insert into vals (c_int) values (null)
select * from vals order by c_int desc
create table pv (c_dec decimal(30,10), c_date date, c_dt datetime year to fraction(3), c_iv interval hour to second, c_int8 int8, c_bool boolean, c_byte byte, c_text text, c_char char(4))
insert into pv values (?, ?, ?, ?, ?, ?, ?, ?, ?)
select * from pv
create table np (a integer, b decimal(5,1), c date)
insert into np values (?, ?, ?)
select a, b, c from np
create table e (i integer, d decimal(8,2), f float, s char(6))
create table h (v lvarchar(100))
insert into h values ('held value')
insert into h values (null)
select v from h order by v desc
create table parent (id serial not null, code char(4) not null, primary key (id) constraint pk_parent, unique (code) constraint u_parent_code) in datadbs extent size 16 next size 16 lock mode row
create table child (id integer, parent_id integer references parent (id) on delete cascade constraint fk_child, note text in table, amount money(12,2) default 0 not null, born date default today, stamp datetime year to second default current year to second, flag boolean default 't', check (amount >= 0) constraint ck_amount) fragment by round robin in dbs1, dbs2
create distinct index child_ix on child (parent_id, id desc) using btree in idxdbs
insert into parent (code) values ('A1')
insert into child (id, parent_id) values (1, 1)
select amount, born = today, length(stamp), flag from child
insert into child (id, parent_id, amount) values (2, 1, -5)
delete from parent
select count(*) from child
create table blobs (k integer, b byte)
insert into blobs values (?, ?)
select b from blobs order by k
create table fit (d decimal(8,2), c char(3), v varchar(4), f decimal(10))
insert into fit values (12.345, 'abcdef', 'vwxyz', 1.23456)
select count(*) from fit where d = 12.35 and c = 'abc' and v = 'vwxy' and f = 1.23456
update fit set d = 0.005, v = 'longer text'
select d, v from fit
create table ht (ch char(6), vc varchar(10), i integer, f float, d date, m money(8,2), b boolean)
insert into ht values ('ab', 'long value', 42, 2.5, '07/04/1976', 19.99, 't')
create table tr (v varchar(10))
insert into tr values ('long value')
select v from tr
create table kw (default char(4), primary integer, type char(2), size integer, level smallint, user char(8))
insert into kw (default, primary, type, size, level, user) values ('d', 1, 'T', 10, 3, 'bob')
update kw set default = 'e', user = 'ann' where primary = 1 and size > 5
select default, primary, type, size, level, kw.user from kw where default = 'e' order by level
select default, size from kw
select user from kw
create table lapse (interval interval day(3) to day)
insert into lapse values ('12')
select lapse.interval + 1 units day from lapse
select count(*) from 'informix'.systables where tabname = 'lapse'
create table dflt (c char(3) default 'x')
select default from sysdefaults where tabid = (select tabid from systables where tabname = 'dflt')
create table rw (primary integer, unique integer, index char(2), add integer, drop integer)
insert into rw values (1, 10, 'a', 5, 0)
insert into rw values (2, 10, 'b', 6, 0)
insert into rw (primary, unique, index, add, drop) values (3, 20, 'a', 7, 1)
select primary from rw where primary = 1
select primary, unique, index from rw where unique = 20 and index = 'a'
select count(*), unique from rw where drop = 0 group by unique order by unique
select add + primary from rw where primary in (1, 3) order by add desc
select count(unique unique) from rw
select primary from rw where unique in (select unique unique from rw where drop = 1)
update rw set unique = 30, drop = 2 where primary = 2 and add = 6
select drop, unique from rw where primary = 2
delete from rw where unique = 30
select count(*) from rw
select nosuch, primary from rw
select primary, unique, nosuch from rw
select primary from rw where unique = 1 and nosuch = 2
create table "Mixed" ("Key" integer, name char(5))
insert into "Mixed" values (1, 'Key')
select name from "Mixed" where name = "Key"
select count(*) from "informix".systables where tabname = "systables"
select "Key", name from "Mixed" where "Key" = 1
select count(*) from "informix".systables where tabname = 'systables'
select "Key" from "Mixed"
create database stores with log
create temp table demo_size (big_rows integer) with no log
create table states ( code char(2) not null, sname varchar(20) not null, primary key (code) constraint pk_states )
insert into states values ('AK', 'Alaska')
insert into states values ('AZ', 'Arizona')
insert into states values ('CA', 'California')
insert into states values ('CO', 'Colorado')
insert into states values ('FL', 'Florida')
insert into states values ('IL', 'Illinois')
insert into states values ('MA', 'Massachusetts')
insert into states values ('ME', 'Maine')
insert into states values ('MN', 'Minnesota')
insert into states values ('NM', 'New Mexico')
insert into states values ('NY', 'New York')
insert into states values ('OR', 'Oregon')
insert into states values ('TX', 'Texas')
insert into states values ('UT', 'Utah')
insert into states values ('VT', 'Vermont')
insert into states values ('WA', 'Washington')
insert into states values ('WY', 'Wyoming')
create table call_types ( call_code char(1) not null, code_descr varchar(30) not null, primary key (call_code) constraint pk_call_types )
insert into call_types values ('B', 'billing question')
insert into call_types values ('D', 'damaged goods')
insert into call_types values ('L', 'late shipment')
insert into call_types values ('O', 'other')
insert into call_types values ('R', 'return request')
insert into call_types values ('W', 'wrong item shipped')
create table manufacturers ( manu_code char(3) not null, manu_name varchar(30) not null, lead_time interval day(3) to day, country char(2) default 'US', primary key (manu_code) constraint pk_manufacturers ) lock mode row
insert into manufacturers values ('ALP', 'Alpenglow Outfitters', '12', 'CH')
insert into manufacturers values ('BRK', 'Birchwood Racquets', '5', 'US')
insert into manufacturers values ('CSD', 'Cascade Dynamics', '7', 'US')
insert into manufacturers values ('FJD', 'Fjordline Gear', '21', 'NO')
insert into manufacturers values ('KTR', 'Kestrel Trail Works', '4', 'US')
insert into manufacturers values ('MRD', 'Meridian Cycles', '30', 'TW')
insert into manufacturers values ('PNW', 'Pinewater Paddles', null, 'CA')
insert into manufacturers values ('SLT', 'Saltmarsh Angling', '9', 'US')
create table customers ( customer_num serial(101) not null, fname char(15), lname char(15) not null, company varchar(30), address1 varchar(30), address2 varchar(30), city varchar(20), state char(2), zipcode char(5), phone char(18), email varchar(40), since date default today, credit_limit money(10,2) default 5000.00, primary key (customer_num) constraint pk_customers, unique (email) constraint u_customers_email, foreign key (state) references states (code) constraint fk_customers_state, check (credit_limit >= 0) constraint ck_customers_credit )
insert into customers values (0, 'Maren', 'Okafor', 'Trailhead Supply', '418 Juniper Ave', null, 'Boulder', 'CO', '80302', '303-555-0147', 'maren@trailhead.example', '03/14/2016', 12000.00)
insert into customers values (0, 'Desmond', 'Vasquez', 'Riverbend Sports', '77 Mill Street', 'Suite 4', 'Bend', 'OR', '97701', '541-555-0193', 'dvasquez@riverbend.example', '07/02/2015', 8000.00)
insert into customers values (0, 'Ingrid', 'Halvorsen', null, '1902 Lakeshore Dr', null, 'Duluth', 'MN', '55802', '218-555-0110', 'ingrid.h@mailbox.example', '11/23/2019', 1500.00)
insert into customers values (0, 'Tobias', 'Renner', 'Summit & Ridge', '5 Quarry Road', null, 'Burlington', 'VT', '05401', '802-555-0168', null, '01/09/2018', 6000.00)
insert into customers values (0, 'Aiyana', 'Begay', 'Mesa Outdoor Co', '230 Canyon Blvd', null, 'Flagstaff', 'AZ', '86001', '928-555-0121', 'aiyana@mesaoutdoor.example', '05/30/2017', 9500.00)
insert into customers values (0, 'Percival', 'Nakamura-Lee', 'Harbor Paddle Club', '9 Wharf Lane', 'Pier 3', 'Portland', 'ME', '04101', '207-555-0155', 'percy@harborpaddle.example', '08/18/2020', 4000.00)
insert into customers values (0, 'Lucia', 'Ferreira', null, '661 Orchard Way', null, 'Sacramento', 'CA', '95814', null, 'lucia.ferreira@mailbox.example', '02/27/2021', 1000.00)
insert into customers values (0, 'Gideon', 'Abernathy', 'Bighorn Guides', '1400 Elk Run', null, 'Cody', 'WY', '82414', '307-555-0132', 'gideon@bighorn.example', '06/11/2014', 15000.00)
insert into customers values (0, 'Saoirse', 'Quinlan', 'Quinlan Cycle Repair', '58 Spoke Street', null, 'Somerville', 'MA', '02143', '617-555-0176', 'shop@quinlancycle.example', '09/05/2016', 3500.00)
insert into customers values (0, 'Rafael', 'Montoya', 'High Desert Climbing', '3121 Sandia Rd', null, 'Albuquerque', 'NM', '87110', '505-555-0109', 'rafa@highdesert.example', '04/21/2018', 7000.00)
insert into customers values (0, 'Beatrix', 'Lindqvist', null, '27 Birch Court', null, 'Seattle', 'WA', '98103', '206-555-0184', null, '12/01/2022', 500.00)
insert into customers values (0, 'Kwame', 'Asante', 'Lakeview Rowing', '800 Harbor Dr', 'Boathouse', 'Chicago', 'IL', '60611', '312-555-0117', 'kwame@lakeviewrowing.example', '10/14/2015', 11000.00)
insert into customers values (0, 'Odette', 'Marchand', 'Bayou Bait & Tackle', '14 Levee Road', null, 'Galveston', 'TX', '77550', '409-555-0162', 'odette@bayoubait.example', '03/03/2019', 2500.00)
insert into customers values (0, 'Hiroshi', 'Tanabe', null, '402 Pine Street', 'Apt 12B', 'New York', 'NY', '10013', '212-555-0141', 'h.tanabe@mailbox.example', '07/27/2023', 800.00)
insert into customers values (0, 'Winona', 'Blackfeather', 'Red Rock Rentals', '99 Slickrock Trail', null, 'Moab', 'UT', '84532', '435-555-0129', 'winona@redrockrentals.example', '05/08/2017', 9000.00)
insert into customers values (0, 'Emil', 'Kowalczyk', 'Northwoods Ski Shop', '1 Chairlift Lane', null, 'Stowe', 'VT', '05672', '802-555-0190', 'emil@northwoodsski.example', '11/30/2013', 13000.00)
insert into customers values (0, 'Priya', 'Raghunathan', null, '75 Sunset Blvd', null, 'San Diego', 'CA', '92101', '619-555-0102', 'priya.r@mailbox.example', null, 2000.00)
insert into customers values (0, 'Caspian', 'Whitlock', 'Glacier Point Expeditions', '600 Icefield Pkwy', null, 'Anchorage', 'AK', '99501', '907-555-0158', 'caspian@glacierpoint.example', '08/08/2012', 20000.00)
insert into customers values (0, 'Fiona', 'MacAllister', 'Tidewater Kayak', '31 Marina Way', null, 'Key West', 'FL', '33040', '305-555-0136', 'fiona@tidewaterkayak.example', '01/19/2021', 5500.00)
insert into customers values (0, 'Zoltan', 'Horvath', null, null, null, 'Denver', 'CO', null, '720-555-0173', null, '09/29/2024', 0.00)
insert into customers values (0, 'Amara', 'Eze', 'Prairie Trail Runners', '212 Main Street', null, 'Austin', 'TX', '78701', '512-555-0150', 'amara@prairietrail.example', '06/16/2020', 4500.00)
insert into customers values (0, 'Lorenzo', 'Bianchi', 'Columbia Gorge Windsports', '18 River Road', null, 'Hood River', 'OR', '97031', '541-555-0114', 'lorenzo@gorgewind.example', '04/04/2016', 10000.00)
insert into customers values (0, 'Nadia', 'Petrova', null, '5520 Aspen Circle', null, 'Park City', 'UT', '84060', '435-555-0187', 'nadia.petrova@mailbox.example', '02/14/2018', 3000.00)
insert into customers values (0, 'Jonah', 'O''Sullivan', 'Harborline Marine', '7 Dock Street', null, 'Gloucester', 'MA', '01930', '978-555-0125', 'jonah@harborline.example', '10/31/2017', 7500.00)
create table stock ( stock_num smallint not null, manu_code char(3) not null, description varchar(30) not null, unit_price money(8,2), unit char(4), unit_descr varchar(20), primary key (stock_num, manu_code) constraint pk_stock, foreign key (manu_code) references manufacturers constraint fk_stock_manu, check (unit_price > 0) constraint ck_stock_price )
insert into stock values (1, 'ALP', 'trekking poles', 89.00, 'pair', 'pair')
insert into stock values (1, 'KTR', 'trekking poles', 64.50, 'pair', 'pair')
insert into stock values (2, 'ALP', 'climbing harness', 74.95, 'each', 'each')
insert into stock values (2, 'CSD', 'climbing harness', 59.00, 'each', 'each')
insert into stock values (3, 'CSD', 'dynamic rope 60m', 219.00, 'each', 'coil')
insert into stock values (4, 'CSD', 'carabiners', 48.00, 'box', 'box of 6')
insert into stock values (4, 'KTR', 'carabiners', 42.50, 'box', 'box of 6')
insert into stock values (5, 'BRK', 'tennis racquet', 129.00, 'each', 'each')
insert into stock values (6, 'BRK', 'tennis balls', 18.75, 'case', 'case of 12 cans')
insert into stock values (7, 'BRK', 'squash racquet', 96.00, 'each', 'each')
insert into stock values (8, 'PNW', 'touring kayak paddle', 185.00, 'each', 'each')
insert into stock values (9, 'PNW', 'canoe paddle', 72.00, 'each', 'each')
insert into stock values (10, 'PNW', 'spray skirt', 88.00, 'each', 'each')
insert into stock values (10, 'FJD', 'spray skirt', 104.00, 'each', 'each')
insert into stock values (11, 'FJD', 'dry bag 20 l', 29.90, 'each', 'each')
insert into stock values (12, 'FJD', 'down sleeping bag', 349.00, 'each', 'each')
insert into stock values (13, 'KTR', 'day pack 28 l', 79.00, 'each', 'each')
insert into stock values (14, 'KTR', 'headlamp', 34.95, 'each', 'each')
insert into stock values (15, 'MRD', 'gravel bike frame', 899.00, 'each', 'each')
insert into stock values (16, 'MRD', 'bike helmet', 69.00, 'each', 'each')
insert into stock values (17, 'MRD', 'tubeless tire 700c', 54.00, 'pair', 'pair')
insert into stock values (18, 'SLT', 'fly rod 9 ft', 245.00, 'each', 'each')
insert into stock values (19, 'SLT', 'fly reel', 159.00, 'each', 'each')
insert into stock values (20, 'SLT', 'tippet spools', 22.00, 'box', 'box of 3')
insert into stock values (21, 'ALP', 'mountaineering boots', 389.00, 'pair', 'pair')
insert into stock values (22, 'FJD', 'merino base layer', 89.00, 'each', 'each')
insert into stock values (23, 'CSD', 'chalk bag', 19.50, 'each', 'each')
insert into stock values (24, 'KTR', 'water filter', 44.00, 'each', 'each')
create table orders ( order_num serial(1001) not null, order_date date default today, customer_num integer not null, ship_instruct varchar(40), backlog boolean default 'f', po_num char(10), ship_date date, ship_weight decimal(8,2), ship_charge money(6,2), paid_date date, primary key (order_num) constraint pk_orders, foreign key (customer_num) references customers constraint fk_orders_customer )
insert into orders values (0, '01/08/2024', 101, 'leave at loading dock', 'f', 'TS-2024-01', '01/11/2024', 12.40, 18.50, '02/02/2024')
insert into orders values (0, '01/15/2024', 102, null, 'f', 'RB7781', '01/16/2024', 4.10, 9.00, '01/30/2024')
insert into orders values (0, '01/22/2024', 105, 'call before delivery', 'f', null, '01/29/2024', 22.75, 31.00, '03/01/2024')
insert into orders values (0, '02/03/2024', 108, 'ship to the lodge, not the office', 'f', 'BG-0042', '02/05/2024', 40.00, 55.00, '02/20/2024')
insert into orders values (0, '02/10/2024', 103, null, 'f', null, '02/14/2024', 2.30, 6.50, '02/14/2024')
insert into orders values (0, '02/19/2024', 112, 'express', 'f', 'LR-19', '02/20/2024', 18.00, 42.00, null)
insert into orders values (0, '03/01/2024', 109, null, 't', 'Q-301', null, null, null, null)
insert into orders values (0, '03/07/2024', 118, 'crate the frames', 'f', 'GPX-77', '03/15/2024', 65.50, 120.00, '04/10/2024')
insert into orders values (0, '03/12/2024', 110, null, 'f', 'HDC-3', '03/13/2024', 9.80, 14.00, '03/28/2024')
insert into orders values (0, '03/28/2024', 101, 'leave at loading dock', 'f', 'TS-2024-07', '04/02/2024', 30.10, 38.00, '04/25/2024')
insert into orders values (0, '04/05/2024', 115, null, 'f', null, '04/08/2024', 14.60, 21.00, '05/01/2024')
insert into orders values (0, '04/18/2024', 116, 'side entrance', 'f', 'NWS-118', '04/19/2024', 7.25, 11.00, '05/03/2024')
insert into orders values (0, '05/02/2024', 119, null, 'f', 'TK-502', '05/06/2024', 11.00, 19.00, null)
insert into orders values (0, '05/20/2024', 121, null, 't', null, null, null, null, null)
insert into orders values (0, '06/04/2024', 122, 'hold for pickup', 'f', 'CGW-6', '06/04/2024', 5.50, 0.00, '06/04/2024')
insert into orders values (0, '06/21/2024', 104, null, 'f', 'SR-88', '06/25/2024', 19.90, 27.50, '07/19/2024')
insert into orders values (0, '07/09/2024', 113, 'keep dry', 'f', null, '07/12/2024', 3.60, 8.00, '08/01/2024')
insert into orders values (0, '07/30/2024', 124, null, 'f', 'HM-730', '08/02/2024', 26.40, 33.00, '08/30/2024')
insert into orders values (0, '08/14/2024', 106, null, 'f', 'HPC-14', '08/15/2024', 8.00, 12.00, '09/02/2024')
insert into orders values (0, '09/03/2024', 108, 'ship to the lodge, not the office', 'f', 'BG-0057', '09/06/2024', 52.30, 70.00, '10/01/2024')
insert into orders values (0, '09/26/2024', 111, null, 'f', null, '09/30/2024', 1.20, 5.00, '09/30/2024')
insert into orders values (0, '10/11/2024', 102, null, 'f', 'RB7913', '10/14/2024', 6.70, 10.00, null)
insert into orders values (0, '11/05/2024', 118, 'crate the frames', 't', 'GPX-91', null, null, null, null)
insert into orders values (0, '11/19/2024', 107, null, 'f', null, '11/22/2024', 2.90, 6.50, '12/10/2024')
insert into orders values (0, '12/02/2024', 116, 'side entrance', 'f', 'NWS-131', '12/03/2024', 16.80, 24.00, '12/20/2024')
insert into orders values (0, '12/16/2024', 105, 'call before delivery', 'f', 'MO-1216', '12/20/2024', 13.30, 19.50, '01/15/2025')
insert into orders values (0, '01/07/2025', 112, 'express', 'f', 'LR-31', '01/08/2025', 21.00, 44.00, '01/28/2025')
insert into orders values (0, '02/11/2025', 120, null, 'f', null, '02/13/2025', 0.80, 5.00, null)
insert into orders values (0, '03/04/2025', 110, null, 'f', 'HDC-9', '03/05/2025', 11.40, 15.00, '03/20/2025')
insert into orders values (0, '03/25/2025', 101, null, 't', 'TS-2025-03', null, null, null, null)
alter table orders add constraint check (ship_date is null or ship_date >= order_date) constraint ck_orders_ship
create table items ( item_num smallint not null, order_num integer not null, stock_num smallint not null, manu_code char(3) not null, quantity smallint not null, total_price money(8,2), primary key (item_num, order_num) constraint pk_items, foreign key (order_num) references orders on delete cascade constraint fk_items_order, foreign key (stock_num, manu_code) references stock constraint fk_items_stock, check (quantity >= 1) constraint ck_items_quantity )
create table digits (d smallint not null, primary key (d) constraint pk_digits)
insert into digits values (0)
insert into digits values (1)
insert into digits values (2)
insert into digits values (3)
insert into digits values (4)
insert into digits values (5)
insert into digits values (6)
insert into digits values (7)
insert into digits values (8)
insert into digits values (9)
create temp table stock_pick (pick integer, stock_num smallint, manu_code char(3)) with no log
insert into stock_pick (pick, stock_num, manu_code) select a.d * 10 + b.d, s.stock_num, s.manu_code from digits a, digits b, stock s where a.d < 3 and s.stock_num = 1 + mod(a.d * 10 + b.d, 24) and s.manu_code = (select min(manu_code) from stock x where x.stock_num = s.stock_num)
insert into items (item_num, order_num, stock_num, manu_code, quantity, total_price) select i.d + 1, o.order_num, p.stock_num, p.manu_code, 1 + mod(o.order_num * 7 + i.d * 3, 5), (1 + mod(o.order_num * 7 + i.d * 3, 5)) * s.unit_price from orders o, digits i, stock_pick p, stock s where i.d <= mod(o.order_num, 4) and p.pick = mod(o.order_num * 3 + i.d * 11, 24) and s.stock_num = p.stock_num and s.manu_code = p.manu_code
create table cust_calls ( customer_num integer not null, call_dtime datetime year to minute not null, user_id char(32) default user, call_code char(1), call_descr varchar(240), res_dtime datetime year to minute, res_descr varchar(240), primary key (customer_num, call_dtime) constraint pk_cust_calls, foreign key (customer_num) references customers constraint fk_calls_customer, foreign key (call_code) references call_types constraint fk_calls_type )
insert into cust_calls values (101, '2024-01-19 09:42', 'mgarcia', 'D', 'Two of the six carabiners arrived with bent gates.', '2024-01-19 16:05', 'Replacement box sent; bent ones to be returned with the prepaid label.')
insert into cust_calls values (105, '2024-02-02 14:10', 'tbrooks', 'L', 'Order 1003 promised for January 26, still not here.', '2024-02-02 15:30', 'Carrier lost a day in Albuquerque; delivered the next morning.')
insert into cust_calls values (108, '2024-02-07 08:15', 'mgarcia', 'B', 'Invoice shows freight twice.', '2024-02-08 10:00', 'Duplicate freight line credited.')
insert into cust_calls values (112, '2024-02-26 11:55', 'jchen', 'W', 'Received squash racquets instead of tennis racquets.', null, null)
insert into cust_calls values (118, '2024-03-20 17:40', 'tbrooks', 'D', 'Frame crate arrived crushed on one corner; frame looks fine, asks for inspection.', '2024-03-22 09:15', 'Photos checked, no damage to the frame; 10% discount on the freight given.')
insert into cust_calls values (103, '2024-04-02 10:05', 'jchen', 'O', 'Asks whether the sleeping bag comes in a long size.', '2024-04-02 10:20', 'Long size orderable from Fjordline, six weeks.')
insert into cust_calls values (116, '2024-05-06 13:30', 'mgarcia', 'R', 'Wants to return one headlamp, unopened.', '2024-05-07 09:00', 'Return authorised, RMA 5107.')
insert into cust_calls values (121, '2024-06-01 09:00', 'tbrooks', 'L', 'Backordered trail items: any date yet?', null, null)
insert into cust_calls values (124, '2024-08-05 15:45', 'jchen', 'B', 'Asks for net 45 instead of net 30.', '2024-08-09 11:10', 'Approved for orders over $1000.')
insert into cust_calls values (101, '2024-09-12 08:30', 'mgarcia', 'O', null, '2024-09-12 08:31', 'Call dropped, customer called back later.')
insert into cust_calls values (107, '2024-11-25 19:20', 'tbrooks', 'W', 'Kayak paddle shipped in the wrong length.', '2024-11-27 12:00', 'Exchanged; courier pickup arranged.')
insert into cust_calls values (113, '2025-01-06 12:12', 'jchen', 'D', 'Dry bag seam leaks.', null, null)
create table catalog ( catalog_num serial(10001) not null, stock_num smallint not null, manu_code char(3) not null, cat_descr lvarchar(400), cat_advert varchar(255, 65), cat_notes text, cat_picture byte, primary key (catalog_num) constraint pk_catalog, foreign key (stock_num, manu_code) references stock constraint fk_catalog_stock )
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 1, 'ALP', 'Three-section aluminium poles with cork grips and carbide tips; collapse to 62 cm.', 'Lighter steps on the long way up.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 1, 'KTR', 'Folding trail poles, 280 g each, foam grips.', 'Fold, stow, run.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 3, 'CSD', 'Single rope, 9.8 mm, 60 m, dry-treated sheath, middle mark.', 'The rope you will not think about.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 5, 'BRK', 'Graphite frame, 100 square inch head, 16x19 string pattern, strung.', null)
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 8, 'PNW', 'Two-piece carbon shaft, fibreglass blades, 220 to 230 cm adjustable.', 'Miles feel shorter.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 12, 'FJD', 'Goose down 800 fill, comfort -7 C, 1.1 kg, compression sack included.', 'Warm nights, light pack.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 15, 'MRD', 'Aluminium gravel frame with carbon fork, clearance for 45 mm tires.', 'Pavement is optional.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 18, 'SLT', '5-weight, four pieces, medium-fast action, aluminium tube.', null)
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 21, 'ALP', 'Insulated leather boots, semi-automatic crampon compatible, Vibram-style sole.', 'For the last thousand metres.')
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 24, 'KTR', 'Hollow-fibre squeeze filter, 0.1 micron, 1 l pouch.', 'Drink from any stream.')
create table all_types ( id serial not null, c_char char(10), c_nchar nchar(10), c_varchar varchar(40, 4), c_nvarchar nvarchar(40), c_lvarchar lvarchar(2000), c_smallint smallint, c_integer integer, c_int8 int8, c_bigint bigint, c_serial8 serial8, c_smallfloat smallfloat, c_float float, c_decimal decimal(16,4), c_decimal_float decimal(12), c_money money(12,2), c_date date, c_datetime datetime year to fraction(3), c_dt_hour datetime hour to second, c_interval_ym interval year(3) to month, c_interval_ds interval day(4) to second, c_boolean boolean, c_text text, c_byte byte, c_blob blob, c_clob clob, primary key (id) constraint pk_all_types )
insert into all_types (id, c_char, c_nchar, c_varchar, c_nvarchar, c_lvarchar, c_smallint, c_integer, c_int8, c_bigint, c_serial8, c_smallfloat, c_float, c_decimal, c_decimal_float, c_money, c_date, c_datetime, c_dt_hour, c_interval_ym, c_interval_ds, c_boolean, c_text) values (0, 'fixed', 'Zürich', 'varying text', 'Ærøskøbing', 'a long text that needs more room than a varchar', -32767, 2147483647, 9223372036854775807, -9223372036854775807, 0, 3.25, 2.718281828459045, 123456789012.3456, 0.000125, 1234567.89, '02/29/2024', '2024-02-29 23:59:58.125', '07:45:00', '12-11', '1234 23:59:59', 't', 'text kept in a simple large object')
insert into all_types (id, c_char, c_varchar, c_smallint, c_integer, c_int8, c_bigint, c_serial8, c_smallfloat, c_float, c_decimal, c_decimal_float, c_money, c_date, c_datetime, c_dt_hour, c_interval_ym, c_interval_ds, c_boolean) values (0, '', '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '12/31/1899', '1900-01-01 00:00:00.000', '00:00:00', '0-00', '0 00:00:00', 'f')
insert into all_types (id) values (0)
create table gear_kits ( kit_code char(4) not null, sizes set(char(3) not null), parts list(smallint not null), tags multiset(varchar(20) not null), origin row(country char(2), city varchar(20)), primary key (kit_code) constraint pk_gear_kits )
insert into gear_kits values ('HIKE', SET, LIST, MULTISET, ROW('US', 'Boulder'))
insert into gear_kits values ('PADL', SET, LIST, MULTISET, ROW('CA', 'Kelowna'))
insert into gear_kits values ('BIKE', "SET{'L','XL'}", 'LIST{15}', MULTISET, ROW('DE', null))
insert into gear_kits values ('FISH', null, LIST, null, null)
create table ledger ( entry_num serial not null, entry_date date not null, customer_num integer, account char(6) not null, kind char(1) not null, amount money(12,2) not null, quantity integer, rate decimal(8,5), memo varchar(60), posted datetime year to second, primary key (entry_num) constraint pk_ledger, check (kind in ('C', 'D', 'T', 'F')) constraint ck_ledger_kind ) extent size 1024 next size 1024 lock mode row
insert into ledger (entry_num, entry_date, customer_num, account, kind, amount, quantity, rate, memo, posted) select n + 1, mdy(1, 1, 2016) + mod(n * 7, 3653), decode(mod(n, 11), 0, null, 101 + mod(n * 13, 24)), 'AC' || substr(11000 + mod(n * 37, 900) || '', 2, 4), decode(mod(n, 4), 0, 'C', 1, 'D', 2, 'T', 'F'), (mod(n * 7919, 250000) - 60000) / 100, decode(mod(n, 5), 0, null, 1 + mod(n, 97)), mod(n * 31, 100000) / 100000, decode(mod(n, 6), 0, null, 1, 'opening balance', 2, 'transfer ' || substr(1000 + mod(n, 313) || '', 2, 3), 3, 'fee', 4, 'refund for order ' || substr(11001 + mod(n, 30) || '', 2, 4), 'payment ' || n), substr(12016 + mod(n, 9) || '', 2, 4) || '-' || substr(100 + 1 + mod(n, 12) || '', 2, 2) || '-' || substr(100 + 1 + mod(n, 28) || '', 2, 2) || ' ' || substr(100 + mod(n * 7, 24) || '', 2, 2) || ':' || substr(100 + mod(n * 11, 60) || '', 2, 2) || ':' || substr(100 + mod(n * 13, 60) || '', 2, 2) from (select a.d + 10 * b.d + 100 * c.d + 1000 * e.d + 10000 * f.d + 100000 * g.d as n from digits a, digits b, digits c, digits e, digits f, digits g where 100000 * g.d < (select big_rows from demo_size)) numbers where n < (select big_rows from demo_size)
create index ix_ledger_date on ledger (entry_date, account)
create index ix_ledger_customer on ledger (customer_num)
create index ix_customers_lname on customers (lname, fname)
create index ix_customers_upper_lname on customers (upper(lname))
create index ix_orders_customer on orders (customer_num, order_date desc)
create unique index ux_stock_description on stock (description, manu_code)
create cluster index ix_items_order on items (order_num)
create view customer_order_totals (customer_num, company, city, orders, items, total) as select c.customer_num, c.company, c.city, count(distinct o.order_num), count(i.item_num), sum(i.total_price) from customers c, orders o, items i where o.customer_num = c.customer_num and i.order_num = o.order_num group by c.customer_num, c.company, c.city
create view open_orders as select o.order_num, o.order_date, c.company, c.lname, o.po_num from orders o, customers c where c.customer_num = o.customer_num and o.ship_date is null
create synonym clients for customers
create private synonym my_ledger for ledger
create table region_sales ( region char(2) not null, sale_month date not null, revenue money(12,2) ) fragment by expression region < 'M' in dbs_west, region >= 'M' in dbs_east lock mode page
insert into region_sales values ('AZ', '01/01/2024', 18250.00)
insert into region_sales values ('CO', '01/01/2024', 24410.50)
insert into region_sales values ('OR', '01/01/2024', 15990.00)
insert into region_sales values ('VT', '01/01/2024', 9875.25)
insert into region_sales values ('AZ', '02/01/2024', 16720.00)
insert into region_sales values ('WA', '02/01/2024', null)
create table audit_notes ( note_id serial not null, noted_at datetime year to second default current year to second, noted_by char(32) default user, note varchar(200) ) fragment by round robin in dbs_west, dbs_east
insert into audit_notes (note_id, note) values (0, 'demo database created')
create role sales_staff
grant select on customers to public
grant select on orders to public
grant select, insert, update on orders to sales_staff
grant select, update (ship_date, ship_instruct) on orders to sales_staff
grant select on customer_order_totals to sales_staff
create procedure reprice_stock(p_manu char(3), p_percent decimal(5,2)) update stock set unit_price = unit_price * (1 + p_percent / 100) where manu_code = p_manu
create function customer_balance(p_customer integer) returning money(12,2)
select nvl(sum(amount), 0) into v_total from ledger where customer_num = p_customer
grant execute on reprice_stock to sales_staff
grant execute on customer_balance to public
create trigger trg_orders_ship update of ship_date on orders referencing old as pre new as post for each row when (post.ship_date is not null and pre.ship_date is null) (insert into audit_notes (note_id, note) values (0, 'order ' || post.order_num || ' shipped'))
create trigger trg_customers_delete delete on customers referencing old as gone for each row (insert into audit_notes (note_id, note) values (0, 'customer ' || gone.customer_num || ' deleted'))
drop table stock_pick
drop table demo_size
