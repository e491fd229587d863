-- The demo database "stores" of the demo server: a small shop that sells
-- outdoor and sports gear, with its customers, orders, stock and service
-- calls, plus a large ledger for trying out the result grid and the
-- benchmarks. Every row here is made up for this script.
--
-- Run it on an empty server:   DBDATE=MDY4/ ifxsql -s demo - stores_demo.sql
-- (dates are written month/day/year, as DBDATE MDY4/ reads them).
--
-- Size of the large table: the value inserted into demo_size below
-- (100000 by default; 1000000 for the benchmarks; at most 1000000).

create database stores with log;

create temp table demo_size (big_rows integer) with no log;
insert into demo_size values (100000);  -- big_rows: rows of the table ledger

-- ---------------------------------------------------------------- lookups

create table states (
    code    char(2) not null,
    sname   varchar(20) not null,
    primary key (code) constraint pk_states
);

insert into states values ('AK', 'Alaska');
insert into states values ('AZ', 'Arizona');
insert into states values ('CA', 'California');
insert into states values ('CO', 'Colorado');
insert into states values ('FL', 'Florida');
insert into states values ('IL', 'Illinois');
insert into states values ('MA', 'Massachusetts');
insert into states values ('ME', 'Maine');
insert into states values ('MN', 'Minnesota');
insert into states values ('NM', 'New Mexico');
insert into states values ('NY', 'New York');
insert into states values ('OR', 'Oregon');
insert into states values ('TX', 'Texas');
insert into states values ('UT', 'Utah');
insert into states values ('VT', 'Vermont');
insert into states values ('WA', 'Washington');
insert into states values ('WY', 'Wyoming');

create table call_types (
    call_code   char(1) not null,
    code_descr  varchar(30) not null,
    primary key (call_code) constraint pk_call_types
);

insert into call_types values ('B', 'billing question');
insert into call_types values ('D', 'damaged goods');
insert into call_types values ('L', 'late shipment');
insert into call_types values ('O', 'other');
insert into call_types values ('R', 'return request');
insert into call_types values ('W', 'wrong item shipped');

create table manufacturers (
    manu_code   char(3) not null,
    manu_name   varchar(30) not null,
    lead_time   interval day(3) to day,
    country     char(2) default 'US',
    primary key (manu_code) constraint pk_manufacturers
) lock mode row;

insert into manufacturers values ('ALP', 'Alpenglow Outfitters', '12', 'CH');
insert into manufacturers values ('BRK', 'Birchwood Racquets', '5', 'US');
insert into manufacturers values ('CSD', 'Cascade Dynamics', '7', 'US');
insert into manufacturers values ('FJD', 'Fjordline Gear', '21', 'NO');
insert into manufacturers values ('KTR', 'Kestrel Trail Works', '4', 'US');
insert into manufacturers values ('MRD', 'Meridian Cycles', '30', 'TW');
insert into manufacturers values ('PNW', 'Pinewater Paddles', null, 'CA');
insert into manufacturers values ('SLT', 'Saltmarsh Angling', '9', 'US');

-- ---------------------------------------------------------------- customers

create table customers (
    customer_num    serial(101) not null,
    fname           char(15),
    lname           char(15) not null,
    company         varchar(30),
    address1        varchar(30),
    address2        varchar(30),
    city            varchar(20),
    state           char(2),
    zipcode         char(5),
    phone           char(18),
    email           varchar(40),
    since           date default today,
    credit_limit    money(10,2) default 5000.00,
    primary key (customer_num) constraint pk_customers,
    unique (email) constraint u_customers_email,
    foreign key (state) references states (code) constraint fk_customers_state,
    check (credit_limit >= 0) constraint ck_customers_credit
);

insert into customers values (0, 'Maren', 'Okafor', 'Trailhead Supply', '418 Juniper Ave', null, 'Boulder', 'CO', '80302', '303-555-0147', 'maren@trailhead.example', '03/14/2016', 12000.00);
insert into customers values (0, 'Desmond', 'Vasquez', 'Riverbend Sports', '77 Mill Street', 'Suite 4', 'Bend', 'OR', '97701', '541-555-0193', 'dvasquez@riverbend.example', '07/02/2015', 8000.00);
insert into customers values (0, 'Ingrid', 'Halvorsen', null, '1902 Lakeshore Dr', null, 'Duluth', 'MN', '55802', '218-555-0110', 'ingrid.h@mailbox.example', '11/23/2019', 1500.00);
insert into customers values (0, 'Tobias', 'Renner', 'Summit & Ridge', '5 Quarry Road', null, 'Burlington', 'VT', '05401', '802-555-0168', null, '01/09/2018', 6000.00);
insert into customers values (0, 'Aiyana', 'Begay', 'Mesa Outdoor Co', '230 Canyon Blvd', null, 'Flagstaff', 'AZ', '86001', '928-555-0121', 'aiyana@mesaoutdoor.example', '05/30/2017', 9500.00);
insert into customers values (0, 'Percival', 'Nakamura-Lee', 'Harbor Paddle Club', '9 Wharf Lane', 'Pier 3', 'Portland', 'ME', '04101', '207-555-0155', 'percy@harborpaddle.example', '08/18/2020', 4000.00);
insert into customers values (0, 'Lucia', 'Ferreira', null, '661 Orchard Way', null, 'Sacramento', 'CA', '95814', null, 'lucia.ferreira@mailbox.example', '02/27/2021', 1000.00);
insert into customers values (0, 'Gideon', 'Abernathy', 'Bighorn Guides', '1400 Elk Run', null, 'Cody', 'WY', '82414', '307-555-0132', 'gideon@bighorn.example', '06/11/2014', 15000.00);
insert into customers values (0, 'Saoirse', 'Quinlan', 'Quinlan Cycle Repair', '58 Spoke Street', null, 'Somerville', 'MA', '02143', '617-555-0176', 'shop@quinlancycle.example', '09/05/2016', 3500.00);
insert into customers values (0, 'Rafael', 'Montoya', 'High Desert Climbing', '3121 Sandia Rd', null, 'Albuquerque', 'NM', '87110', '505-555-0109', 'rafa@highdesert.example', '04/21/2018', 7000.00);
insert into customers values (0, 'Beatrix', 'Lindqvist', null, '27 Birch Court', null, 'Seattle', 'WA', '98103', '206-555-0184', null, '12/01/2022', 500.00);
insert into customers values (0, 'Kwame', 'Asante', 'Lakeview Rowing', '800 Harbor Dr', 'Boathouse', 'Chicago', 'IL', '60611', '312-555-0117', 'kwame@lakeviewrowing.example', '10/14/2015', 11000.00);
insert into customers values (0, 'Odette', 'Marchand', 'Bayou Bait & Tackle', '14 Levee Road', null, 'Galveston', 'TX', '77550', '409-555-0162', 'odette@bayoubait.example', '03/03/2019', 2500.00);
insert into customers values (0, 'Hiroshi', 'Tanabe', null, '402 Pine Street', 'Apt 12B', 'New York', 'NY', '10013', '212-555-0141', 'h.tanabe@mailbox.example', '07/27/2023', 800.00);
insert into customers values (0, 'Winona', 'Blackfeather', 'Red Rock Rentals', '99 Slickrock Trail', null, 'Moab', 'UT', '84532', '435-555-0129', 'winona@redrockrentals.example', '05/08/2017', 9000.00);
insert into customers values (0, 'Emil', 'Kowalczyk', 'Northwoods Ski Shop', '1 Chairlift Lane', null, 'Stowe', 'VT', '05672', '802-555-0190', 'emil@northwoodsski.example', '11/30/2013', 13000.00);
insert into customers values (0, 'Priya', 'Raghunathan', null, '75 Sunset Blvd', null, 'San Diego', 'CA', '92101', '619-555-0102', 'priya.r@mailbox.example', null, 2000.00);
insert into customers values (0, 'Caspian', 'Whitlock', 'Glacier Point Expeditions', '600 Icefield Pkwy', null, 'Anchorage', 'AK', '99501', '907-555-0158', 'caspian@glacierpoint.example', '08/08/2012', 20000.00);
insert into customers values (0, 'Fiona', 'MacAllister', 'Tidewater Kayak', '31 Marina Way', null, 'Key West', 'FL', '33040', '305-555-0136', 'fiona@tidewaterkayak.example', '01/19/2021', 5500.00);
insert into customers values (0, 'Zoltan', 'Horvath', null, null, null, 'Denver', 'CO', null, '720-555-0173', null, '09/29/2024', 0.00);
insert into customers values (0, 'Amara', 'Eze', 'Prairie Trail Runners', '212 Main Street', null, 'Austin', 'TX', '78701', '512-555-0150', 'amara@prairietrail.example', '06/16/2020', 4500.00);
insert into customers values (0, 'Lorenzo', 'Bianchi', 'Columbia Gorge Windsports', '18 River Road', null, 'Hood River', 'OR', '97031', '541-555-0114', 'lorenzo@gorgewind.example', '04/04/2016', 10000.00);
insert into customers values (0, 'Nadia', 'Petrova', null, '5520 Aspen Circle', null, 'Park City', 'UT', '84060', '435-555-0187', 'nadia.petrova@mailbox.example', '02/14/2018', 3000.00);
insert into customers values (0, 'Jonah', 'O''Sullivan', 'Harborline Marine', '7 Dock Street', null, 'Gloucester', 'MA', '01930', '978-555-0125', 'jonah@harborline.example', '10/31/2017', 7500.00);

-- ---------------------------------------------------------------- stock

create table stock (
    stock_num   smallint not null,
    manu_code   char(3) not null,
    description varchar(30) not null,
    unit_price  money(8,2),
    unit        char(4),
    unit_descr  varchar(20),
    primary key (stock_num, manu_code) constraint pk_stock,
    foreign key (manu_code) references manufacturers constraint fk_stock_manu,
    check (unit_price > 0) constraint ck_stock_price
);

insert into stock values (1, 'ALP', 'trekking poles', 89.00, 'pair', 'pair');
insert into stock values (1, 'KTR', 'trekking poles', 64.50, 'pair', 'pair');
insert into stock values (2, 'ALP', 'climbing harness', 74.95, 'each', 'each');
insert into stock values (2, 'CSD', 'climbing harness', 59.00, 'each', 'each');
insert into stock values (3, 'CSD', 'dynamic rope 60m', 219.00, 'each', 'coil');
insert into stock values (4, 'CSD', 'carabiners', 48.00, 'box', 'box of 6');
insert into stock values (4, 'KTR', 'carabiners', 42.50, 'box', 'box of 6');
insert into stock values (5, 'BRK', 'tennis racquet', 129.00, 'each', 'each');
insert into stock values (6, 'BRK', 'tennis balls', 18.75, 'case', 'case of 12 cans');
insert into stock values (7, 'BRK', 'squash racquet', 96.00, 'each', 'each');
insert into stock values (8, 'PNW', 'touring kayak paddle', 185.00, 'each', 'each');
insert into stock values (9, 'PNW', 'canoe paddle', 72.00, 'each', 'each');
insert into stock values (10, 'PNW', 'spray skirt', 88.00, 'each', 'each');
insert into stock values (10, 'FJD', 'spray skirt', 104.00, 'each', 'each');
insert into stock values (11, 'FJD', 'dry bag 20 l', 29.90, 'each', 'each');
insert into stock values (12, 'FJD', 'down sleeping bag', 349.00, 'each', 'each');
insert into stock values (13, 'KTR', 'day pack 28 l', 79.00, 'each', 'each');
insert into stock values (14, 'KTR', 'headlamp', 34.95, 'each', 'each');
insert into stock values (15, 'MRD', 'gravel bike frame', 899.00, 'each', 'each');
insert into stock values (16, 'MRD', 'bike helmet', 69.00, 'each', 'each');
insert into stock values (17, 'MRD', 'tubeless tire 700c', 54.00, 'pair', 'pair');
insert into stock values (18, 'SLT', 'fly rod 9 ft', 245.00, 'each', 'each');
insert into stock values (19, 'SLT', 'fly reel', 159.00, 'each', 'each');
insert into stock values (20, 'SLT', 'tippet spools', 22.00, 'box', 'box of 3');
insert into stock values (21, 'ALP', 'mountaineering boots', 389.00, 'pair', 'pair');
insert into stock values (22, 'FJD', 'merino base layer', 89.00, 'each', 'each');
insert into stock values (23, 'CSD', 'chalk bag', 19.50, 'each', 'each');
insert into stock values (24, 'KTR', 'water filter', 44.00, 'each', 'each');

-- ---------------------------------------------------------------- orders and items

create table orders (
    order_num       serial(1001) not null,
    order_date      date default today,
    customer_num    integer not null,
    ship_instruct   varchar(40),
    backlog         boolean default 'f',
    po_num          char(10),
    ship_date       date,
    ship_weight     decimal(8,2),
    ship_charge     money(6,2),
    paid_date       date,
    primary key (order_num) constraint pk_orders,
    foreign key (customer_num) references customers constraint fk_orders_customer
);

insert into orders values (0, '01/08/2024', 101, 'leave at loading dock', 'f', 'TS-2024-01', '01/11/2024', 12.40, 18.50, '02/02/2024');
insert into orders values (0, '01/15/2024', 102, null, 'f', 'RB7781', '01/16/2024', 4.10, 9.00, '01/30/2024');
insert into orders values (0, '01/22/2024', 105, 'call before delivery', 'f', null, '01/29/2024', 22.75, 31.00, '03/01/2024');
insert into orders values (0, '02/03/2024', 108, 'ship to the lodge, not the office', 'f', 'BG-0042', '02/05/2024', 40.00, 55.00, '02/20/2024');
insert into orders values (0, '02/10/2024', 103, null, 'f', null, '02/14/2024', 2.30, 6.50, '02/14/2024');
insert into orders values (0, '02/19/2024', 112, 'express', 'f', 'LR-19', '02/20/2024', 18.00, 42.00, null);
insert into orders values (0, '03/01/2024', 109, null, 't', 'Q-301', null, null, null, null);
insert into orders values (0, '03/07/2024', 118, 'crate the frames', 'f', 'GPX-77', '03/15/2024', 65.50, 120.00, '04/10/2024');
insert into orders values (0, '03/12/2024', 110, null, 'f', 'HDC-3', '03/13/2024', 9.80, 14.00, '03/28/2024');
insert into orders values (0, '03/28/2024', 101, 'leave at loading dock', 'f', 'TS-2024-07', '04/02/2024', 30.10, 38.00, '04/25/2024');
insert into orders values (0, '04/05/2024', 115, null, 'f', null, '04/08/2024', 14.60, 21.00, '05/01/2024');
insert into orders values (0, '04/18/2024', 116, 'side entrance', 'f', 'NWS-118', '04/19/2024', 7.25, 11.00, '05/03/2024');
insert into orders values (0, '05/02/2024', 119, null, 'f', 'TK-502', '05/06/2024', 11.00, 19.00, null);
insert into orders values (0, '05/20/2024', 121, null, 't', null, null, null, null, null);
insert into orders values (0, '06/04/2024', 122, 'hold for pickup', 'f', 'CGW-6', '06/04/2024', 5.50, 0.00, '06/04/2024');
insert into orders values (0, '06/21/2024', 104, null, 'f', 'SR-88', '06/25/2024', 19.90, 27.50, '07/19/2024');
insert into orders values (0, '07/09/2024', 113, 'keep dry', 'f', null, '07/12/2024', 3.60, 8.00, '08/01/2024');
insert into orders values (0, '07/30/2024', 124, null, 'f', 'HM-730', '08/02/2024', 26.40, 33.00, '08/30/2024');
insert into orders values (0, '08/14/2024', 106, null, 'f', 'HPC-14', '08/15/2024', 8.00, 12.00, '09/02/2024');
insert into orders values (0, '09/03/2024', 108, 'ship to the lodge, not the office', 'f', 'BG-0057', '09/06/2024', 52.30, 70.00, '10/01/2024');
insert into orders values (0, '09/26/2024', 111, null, 'f', null, '09/30/2024', 1.20, 5.00, '09/30/2024');
insert into orders values (0, '10/11/2024', 102, null, 'f', 'RB7913', '10/14/2024', 6.70, 10.00, null);
insert into orders values (0, '11/05/2024', 118, 'crate the frames', 't', 'GPX-91', null, null, null, null);
insert into orders values (0, '11/19/2024', 107, null, 'f', null, '11/22/2024', 2.90, 6.50, '12/10/2024');
insert into orders values (0, '12/02/2024', 116, 'side entrance', 'f', 'NWS-131', '12/03/2024', 16.80, 24.00, '12/20/2024');
insert into orders values (0, '12/16/2024', 105, 'call before delivery', 'f', 'MO-1216', '12/20/2024', 13.30, 19.50, '01/15/2025');
insert into orders values (0, '01/07/2025', 112, 'express', 'f', 'LR-31', '01/08/2025', 21.00, 44.00, '01/28/2025');
insert into orders values (0, '02/11/2025', 120, null, 'f', null, '02/13/2025', 0.80, 5.00, null);
insert into orders values (0, '03/04/2025', 110, null, 'f', 'HDC-9', '03/05/2025', 11.40, 15.00, '03/20/2025');
insert into orders values (0, '03/25/2025', 101, null, 't', 'TS-2025-03', null, null, null, null);

-- A shipment never leaves before its order was taken.
alter table orders add constraint
    check (ship_date is null or ship_date >= order_date) constraint ck_orders_ship;

create table items (
    item_num    smallint not null,
    order_num   integer not null,
    stock_num   smallint not null,
    manu_code   char(3) not null,
    quantity    smallint not null,
    total_price money(8,2),
    primary key (item_num, order_num) constraint pk_items,
    foreign key (order_num) references orders on delete cascade constraint fk_items_order,
    foreign key (stock_num, manu_code) references stock constraint fk_items_stock,
    check (quantity >= 1) constraint ck_items_quantity
);

create table digits (d smallint not null, primary key (d) constraint pk_digits);
insert into digits values (0);
insert into digits values (1);
insert into digits values (2);
insert into digits values (3);
insert into digits values (4);
insert into digits values (5);
insert into digits values (6);
insert into digits values (7);
insert into digits values (8);
insert into digits values (9);

-- One to four items per order, the stock chosen by the order's number.
create temp table stock_pick (pick integer, stock_num smallint, manu_code char(3)) with no log;
insert into stock_pick (pick, stock_num, manu_code)
    select a.d * 10 + b.d, s.stock_num, s.manu_code
      from digits a, digits b, stock s
     where a.d < 3
       and s.stock_num = 1 + mod(a.d * 10 + b.d, 24)
       and s.manu_code = (select min(manu_code) from stock x where x.stock_num = s.stock_num);
insert into items (item_num, order_num, stock_num, manu_code, quantity, total_price)
    select i.d + 1, o.order_num, p.stock_num, p.manu_code, 1 + mod(o.order_num * 7 + i.d * 3, 5),
           (1 + mod(o.order_num * 7 + i.d * 3, 5)) * s.unit_price
      from orders o, digits i, stock_pick p, stock s
     where i.d <= mod(o.order_num, 4)
       and p.pick = mod(o.order_num * 3 + i.d * 11, 24)
       and s.stock_num = p.stock_num and s.manu_code = p.manu_code;

-- ---------------------------------------------------------------- customer calls

create table cust_calls (
    customer_num    integer not null,
    call_dtime      datetime year to minute not null,
    user_id         char(32) default user,
    call_code       char(1),
    call_descr      varchar(240),
    res_dtime       datetime year to minute,
    res_descr       varchar(240),
    primary key (customer_num, call_dtime) constraint pk_cust_calls,
    foreign key (customer_num) references customers constraint fk_calls_customer,
    foreign key (call_code) references call_types constraint fk_calls_type
);

insert into cust_calls values (101, '2024-01-19 09:42', 'mgarcia', 'D', 'Two of the six carabiners arrived with bent gates.', '2024-01-19 16:05', 'Replacement box sent; bent ones to be returned with the prepaid label.');
insert into cust_calls values (105, '2024-02-02 14:10', 'tbrooks', 'L', 'Order 1003 promised for January 26, still not here.', '2024-02-02 15:30', 'Carrier lost a day in Albuquerque; delivered the next morning.');
insert into cust_calls values (108, '2024-02-07 08:15', 'mgarcia', 'B', 'Invoice shows freight twice.', '2024-02-08 10:00', 'Duplicate freight line credited.');
insert into cust_calls values (112, '2024-02-26 11:55', 'jchen', 'W', 'Received squash racquets instead of tennis racquets.', null, null);
insert into cust_calls values (118, '2024-03-20 17:40', 'tbrooks', 'D', 'Frame crate arrived crushed on one corner; frame looks fine, asks for inspection.', '2024-03-22 09:15', 'Photos checked, no damage to the frame; 10% discount on the freight given.');
insert into cust_calls values (103, '2024-04-02 10:05', 'jchen', 'O', 'Asks whether the sleeping bag comes in a long size.', '2024-04-02 10:20', 'Long size orderable from Fjordline, six weeks.');
insert into cust_calls values (116, '2024-05-06 13:30', 'mgarcia', 'R', 'Wants to return one headlamp, unopened.', '2024-05-07 09:00', 'Return authorised, RMA 5107.');
insert into cust_calls values (121, '2024-06-01 09:00', 'tbrooks', 'L', 'Backordered trail items: any date yet?', null, null);
insert into cust_calls values (124, '2024-08-05 15:45', 'jchen', 'B', 'Asks for net 45 instead of net 30.', '2024-08-09 11:10', 'Approved for orders over $1000.');
insert into cust_calls values (101, '2024-09-12 08:30', 'mgarcia', 'O', null, '2024-09-12 08:31', 'Call dropped, customer called back later.');
insert into cust_calls values (107, '2024-11-25 19:20', 'tbrooks', 'W', 'Kayak paddle shipped in the wrong length.', '2024-11-27 12:00', 'Exchanged; courier pickup arranged.');
insert into cust_calls values (113, '2025-01-06 12:12', 'jchen', 'D', 'Dry bag seam leaks.', null, null);

-- ---------------------------------------------------------------- catalog

create table catalog (
    catalog_num     serial(10001) not null,
    stock_num       smallint not null,
    manu_code       char(3) not null,
    cat_descr       lvarchar(400),
    cat_advert      varchar(255, 65),
    cat_notes       text,
    cat_picture     byte,
    primary key (catalog_num) constraint pk_catalog,
    foreign key (stock_num, manu_code) references stock constraint fk_catalog_stock
);

insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 1, 'ALP', 'Three-section aluminium poles with cork grips and carbide tips; collapse to 62 cm.', 'Lighter steps on the long way up.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 1, 'KTR', 'Folding trail poles, 280 g each, foam grips.', 'Fold, stow, run.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 3, 'CSD', 'Single rope, 9.8 mm, 60 m, dry-treated sheath, middle mark.', 'The rope you will not think about.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 5, 'BRK', 'Graphite frame, 100 square inch head, 16x19 string pattern, strung.', null);
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 8, 'PNW', 'Two-piece carbon shaft, fibreglass blades, 220 to 230 cm adjustable.', 'Miles feel shorter.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 12, 'FJD', 'Goose down 800 fill, comfort -7 C, 1.1 kg, compression sack included.', 'Warm nights, light pack.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 15, 'MRD', 'Aluminium gravel frame with carbon fork, clearance for 45 mm tires.', 'Pavement is optional.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 18, 'SLT', '5-weight, four pieces, medium-fast action, aluminium tube.', null);
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 21, 'ALP', 'Insulated leather boots, semi-automatic crampon compatible, Vibram-style sole.', 'For the last thousand metres.');
insert into catalog (catalog_num, stock_num, manu_code, cat_descr, cat_advert) values (0, 24, 'KTR', 'Hollow-fibre squeeze filter, 0.1 micron, 1 l pouch.', 'Drink from any stream.');

-- ---------------------------------------------------------------- every Informix type

create table all_types (
    id              serial not null,
    c_char          char(10),
    c_nchar         nchar(10),
    c_varchar       varchar(40, 4),
    c_nvarchar      nvarchar(40),
    c_lvarchar      lvarchar(2000),
    c_smallint      smallint,
    c_integer       integer,
    c_int8          int8,
    c_bigint        bigint,
    c_serial8       serial8,
    c_smallfloat    smallfloat,
    c_float         float,
    c_decimal       decimal(16,4),
    c_decimal_float decimal(12),
    c_money         money(12,2),
    c_date          date,
    c_datetime      datetime year to fraction(3),
    c_dt_hour       datetime hour to second,
    c_interval_ym   interval year(3) to month,
    c_interval_ds   interval day(4) to second,
    c_boolean       boolean,
    c_text          text,
    c_byte          byte,
    c_blob          blob,
    c_clob          clob,
    primary key (id) constraint pk_all_types
);

insert into all_types (id, c_char, c_nchar, c_varchar, c_nvarchar, c_lvarchar, c_smallint, c_integer, c_int8, c_bigint, c_serial8,
                       c_smallfloat, c_float, c_decimal, c_decimal_float, c_money, c_date, c_datetime, c_dt_hour,
                       c_interval_ym, c_interval_ds, c_boolean, c_text)
    values (0, 'fixed', 'Zürich', 'varying text', 'Ærøskøbing', 'a long text that needs more room than a varchar', -32767, 2147483647,
            9223372036854775807, -9223372036854775807, 0, 3.25, 2.718281828459045, 123456789012.3456, 0.000125, 1234567.89,
            '02/29/2024', '2024-02-29 23:59:58.125', '07:45:00', '12-11', '1234 23:59:59', 't', 'text kept in a simple large object');
insert into all_types (id, c_char, c_varchar, c_smallint, c_integer, c_int8, c_bigint, c_serial8, c_smallfloat, c_float,
                       c_decimal, c_decimal_float, c_money, c_date, c_datetime, c_dt_hour, c_interval_ym, c_interval_ds, c_boolean)
    values (0, '', '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '12/31/1899', '1900-01-01 00:00:00.000', '00:00:00', '0-00', '0 00:00:00', 'f');
insert into all_types (id) values (0);

-- ---------------------------------------------------------------- collection and row types

create table gear_kits (
    kit_code    char(4) not null,
    sizes       set(char(3) not null),
    parts       list(smallint not null),
    tags        multiset(varchar(20) not null),
    origin      row(country char(2), city varchar(20)),
    primary key (kit_code) constraint pk_gear_kits
);

insert into gear_kits values ('HIKE', SET{'S', 'M', 'L', 'M'}, LIST{12, 21, 24}, MULTISET{'trail', 'summer', 'trail'}, ROW('US', 'Boulder'));
insert into gear_kits values ('PADL', SET{'M'}, LIST{8, 24}, MULTISET{'water'}, ROW('CA', 'Kelowna'));
insert into gear_kits values ('BIKE', "SET{'L','XL'}", 'LIST{15}', MULTISET{}, ROW('DE', null));
insert into gear_kits values ('FISH', null, LIST{18, 18}, null, null);

-- ---------------------------------------------------------------- the large table

create table ledger (
    entry_num       serial not null,
    entry_date      date not null,
    customer_num    integer,
    account         char(6) not null,
    kind            char(1) not null,
    amount          money(12,2) not null,
    quantity        integer,
    rate            decimal(8,5),
    memo            varchar(60),
    posted          datetime year to second,
    primary key (entry_num) constraint pk_ledger,
    check (kind in ('C', 'D', 'T', 'F')) constraint ck_ledger_kind
) extent size 1024 next size 1024 lock mode row;

-- Rows 0 .. big_rows-1 from the cross join of six digit tables; every column
-- is a different mix of the row number, so sorts and filters have work to do.
-- Numbers become text through substr() of a wider number: the digits stay
-- fixed-width and no decimal point of a computed value reaches the text.
insert into ledger (entry_num, entry_date, customer_num, account, kind, amount, quantity, rate, memo, posted)
    select n + 1,
           mdy(1, 1, 2016) + mod(n * 7, 3653),
           decode(mod(n, 11), 0, null, 101 + mod(n * 13, 24)),
           'AC' || substr(11000 + mod(n * 37, 900) || '', 2, 4),
           decode(mod(n, 4), 0, 'C', 1, 'D', 2, 'T', 'F'),
           (mod(n * 7919, 250000) - 60000) / 100,
           decode(mod(n, 5), 0, null, 1 + mod(n, 97)),
           mod(n * 31, 100000) / 100000,
           decode(mod(n, 6), 0, null, 1, 'opening balance', 2, 'transfer ' || substr(1000 + mod(n, 313) || '', 2, 3), 3, 'fee',
                  4, 'refund for order ' || substr(11001 + mod(n, 30) || '', 2, 4), 'payment ' || n),
           substr(12016 + mod(n, 9) || '', 2, 4) || '-' || substr(100 + 1 + mod(n, 12) || '', 2, 2) || '-'
               || substr(100 + 1 + mod(n, 28) || '', 2, 2) || ' ' || substr(100 + mod(n * 7, 24) || '', 2, 2)
               || ':' || substr(100 + mod(n * 11, 60) || '', 2, 2) || ':' || substr(100 + mod(n * 13, 60) || '', 2, 2)
      from (select a.d + 10 * b.d + 100 * c.d + 1000 * e.d + 10000 * f.d + 100000 * g.d as n
              from digits a, digits b, digits c, digits e, digits f, digits g
             where 100000 * g.d < (select big_rows from demo_size)) numbers
     where n < (select big_rows from demo_size);

create index ix_ledger_date on ledger (entry_date, account);
create index ix_ledger_customer on ledger (customer_num);

-- ---------------------------------------------------------------- indexes, views, synonyms

create index ix_customers_lname on customers (lname, fname);
create index ix_customers_upper_lname on customers (upper(lname));
create index ix_orders_customer on orders (customer_num, order_date desc);
create unique index ux_stock_description on stock (description, manu_code);
create cluster index ix_items_order on items (order_num);

create view customer_order_totals (customer_num, company, city, orders, items, total) as
    select c.customer_num, c.company, c.city, count(distinct o.order_num), count(i.item_num), sum(i.total_price)
      from customers c, orders o, items i
     where o.customer_num = c.customer_num
       and i.order_num = o.order_num
     group by c.customer_num, c.company, c.city;

create view open_orders as
    select o.order_num, o.order_date, c.company, c.lname, o.po_num
      from orders o, customers c
     where c.customer_num = o.customer_num
       and o.ship_date is null;

create synonym clients for customers;
create private synonym my_ledger for ledger;

-- ---------------------------------------------------------------- fragments, roles, grants

create table region_sales (
    region      char(2) not null,
    sale_month  date not null,
    revenue     money(12,2)
) fragment by expression
    region < 'M' in dbs_west,
    region >= 'M' in dbs_east
  lock mode page;

insert into region_sales values ('AZ', '01/01/2024', 18250.00);
insert into region_sales values ('CO', '01/01/2024', 24410.50);
insert into region_sales values ('OR', '01/01/2024', 15990.00);
insert into region_sales values ('VT', '01/01/2024', 9875.25);
insert into region_sales values ('AZ', '02/01/2024', 16720.00);
insert into region_sales values ('WA', '02/01/2024', null);

create table audit_notes (
    note_id     serial not null,
    noted_at    datetime year to second default current year to second,
    noted_by    char(32) default user,
    note        varchar(200)
) fragment by round robin in dbs_west, dbs_east;

insert into audit_notes (note_id, note) values (0, 'demo database created');

create role sales_staff;
grant select on customers to public;
grant select on orders to public;
grant select, insert, update on orders to sales_staff;
grant select, update (ship_date, ship_instruct) on orders to sales_staff;
grant select on customer_order_totals to sales_staff;

-- ---------------------------------------------------------------- routines and triggers
-- The stand-in server keeps routines and triggers in the catalog (with
-- their text) but does not run them: EXECUTE PROCEDURE fails, triggers do
-- not fire.

create procedure reprice_stock(p_manu char(3), p_percent decimal(5,2))
    update stock set unit_price = unit_price * (1 + p_percent / 100)
     where manu_code = p_manu;
end procedure;

create function customer_balance(p_customer integer) returning money(12,2);
    define v_total money(12,2);
    select nvl(sum(amount), 0) into v_total from ledger where customer_num = p_customer;
    return v_total;
end function;

grant execute on reprice_stock to sales_staff;
grant execute on customer_balance to public;

create trigger trg_orders_ship update of ship_date on orders
    referencing old as pre new as post
    for each row
    when (post.ship_date is not null and pre.ship_date is null)
        (insert into audit_notes (note_id, note)
            values (0, 'order ' || post.order_num || ' shipped'));

create trigger trg_customers_delete delete on customers
    referencing old as gone
    for each row
        (insert into audit_notes (note_id, note)
            values (0, 'customer ' || gone.customer_num || ' deleted'));

update statistics;

drop table stock_pick;
drop table demo_size;
