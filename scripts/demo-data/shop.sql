-- The demo's sample database: a small shop. Every MySQL column type appears at least once,
-- with primary, unique and multiple-column keys, a view, awkward names and awkward values.
-- The rows are generated here so that the file stays small and the data is the same each time.
SET NAMES utf8mb4;
SET sql_mode = 'STRICT_ALL_TABLES,NO_ENGINE_SUBSTITUTION';
SET SESSION max_recursive_iterations = 100000;

DROP DATABASE IF EXISTS shop_demo;
CREATE DATABASE shop_demo CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
USE shop_demo;

-- A login that can read the shop and nothing else, for the operator to type in.
CREATE USER IF NOT EXISTS 'demo'@'%' IDENTIFIED BY 'demo-mysql';
GRANT SELECT, SHOW VIEW ON shop_demo.* TO 'demo'@'%';

CREATE TABLE customers (
    id INT UNSIGNED NOT NULL AUTO_INCREMENT,
    email VARCHAR(120) NOT NULL,
    first_name VARCHAR(40) NOT NULL,
    last_name VARCHAR(40) NOT NULL,
    `Straße & Nr.` VARCHAR(100) NULL,
    city VARCHAR(60) NOT NULL,
    country CHAR(2) NOT NULL,
    phone VARCHAR(30) NULL,
    birth_date DATE NULL,
    newsletter TINYINT(1) NOT NULL DEFAULT 0,
    created_at TIMESTAMP NOT NULL DEFAULT CURRENT_TIMESTAMP,
    notes TEXT NULL,
    PRIMARY KEY (id),
    UNIQUE KEY customers_email (email),
    KEY customers_name (last_name, first_name)
);

CREATE TABLE products (
    sku CHAR(12) NOT NULL,
    name VARCHAR(200) NOT NULL,
    description MEDIUMTEXT NULL,
    price DECIMAL(10, 2) NOT NULL,
    weight_kg FLOAT NULL,
    rating DOUBLE NULL,
    stock SMALLINT NOT NULL,
    reorder_level MEDIUMINT UNSIGNED NOT NULL,
    flags BIT(8) NOT NULL DEFAULT b'0',
    category ENUM('books', 'garden', 'kitchen', 'toys', 'tools') NOT NULL,
    tags SET('new', 'sale', 'fragile', 'bulky', 'gift') NOT NULL DEFAULT '',
    ean BINARY(13) NULL,
    thumbnail BLOB NULL,
    PRIMARY KEY (sku),
    UNIQUE KEY products_name (name),
    KEY products_category_price (category, price)
);

CREATE TABLE orders (
    id BIGINT UNSIGNED NOT NULL AUTO_INCREMENT,
    customer_id INT UNSIGNED NOT NULL,
    ordered_at DATETIME NOT NULL,
    delivery_window TIME NULL,
    fiscal_year YEAR NOT NULL,
    status ENUM('open', 'paid', 'shipped', 'cancelled') NOT NULL,
    total DECIMAL(12, 2) NOT NULL,
    coupon VARCHAR(16) NULL,
    PRIMARY KEY (id),
    UNIQUE KEY orders_number (customer_id, ordered_at),
    KEY orders_status (status, fiscal_year)
);

-- A blank in the table name and in a column name.
CREATE TABLE `order items` (
    order_id BIGINT UNSIGNED NOT NULL,
    line_no TINYINT UNSIGNED NOT NULL,
    sku CHAR(12) NOT NULL,
    quantity MEDIUMINT NOT NULL,
    `unit price` DECIMAL(10, 2) NOT NULL,
    gift_note VARCHAR(255) NULL,
    PRIMARY KEY (order_id, line_no),
    KEY order_items_sku (sku)
);

-- Non-ASCII table and column names, a quote in a column name.
CREATE TABLE `Lieferanten_Übersicht` (
    nummer SMALLINT UNSIGNED NOT NULL,
    `Firmenname` VARCHAR(80) NOT NULL,
    `Ansprechpartner’s Name` VARCHAR(80) NULL,
    `it's` VARCHAR(20) NULL,
    land CHAR(2) NOT NULL,
    PRIMARY KEY (nummer),
    UNIQUE KEY lieferanten_firma (`Firmenname`)
);

-- One table with every remaining column type and the values that are hardest to carry over:
-- extremes, NULL, empty and blank-only texts, quotes, backslashes, line breaks, non-ASCII.
CREATE TABLE all_types (
    id INT NOT NULL,
    c_tinyint TINYINT NULL,
    c_tinyint_u TINYINT UNSIGNED NULL,
    c_smallint SMALLINT NULL,
    c_mediumint MEDIUMINT NULL,
    c_int INT NULL,
    c_int_u INT UNSIGNED NULL,
    c_bigint BIGINT NULL,
    c_bigint_u BIGINT UNSIGNED NULL,
    c_decimal DECIMAL(30, 10) NULL,
    c_numeric NUMERIC(5, 0) NULL,
    c_float FLOAT NULL,
    c_double DOUBLE NULL,
    c_bit1 BIT(1) NULL,
    c_bit64 BIT(64) NULL,
    c_bool BOOLEAN NULL,
    c_date DATE NULL,
    c_time TIME NULL,
    c_time3 TIME(3) NULL,
    c_datetime DATETIME NULL,
    c_datetime6 DATETIME(6) NULL,
    c_timestamp TIMESTAMP NULL DEFAULT NULL,
    c_year YEAR NULL,
    c_char CHAR(10) NULL,
    c_char1 CHAR(1) NULL,
    c_varchar VARCHAR(255) NULL,
    c_varchar_latin1 VARCHAR(50) CHARACTER SET latin1 NULL,
    c_varchar_long VARCHAR(3000) NULL,
    c_binary BINARY(4) NULL,
    c_varbinary VARBINARY(32) NULL,
    c_tinyblob TINYBLOB NULL,
    c_blob BLOB NULL,
    c_mediumblob MEDIUMBLOB NULL,
    c_longblob LONGBLOB NULL,
    c_tinytext TINYTEXT NULL,
    c_text TEXT NULL,
    c_mediumtext MEDIUMTEXT NULL,
    c_longtext LONGTEXT NULL,
    c_enum ENUM('small', 'medium', 'large', 'x''l') NULL,
    c_set SET('red', 'green', 'blue') NULL,
    c_json JSON NULL,
    PRIMARY KEY (id),
    UNIQUE KEY all_types_char (c_char)
);

-- Spatial columns have no counterpart among the converted types.
CREATE TABLE store_locations (
    id INT NOT NULL,
    name VARCHAR(60) NOT NULL,
    position POINT NULL,
    delivery_area POLYGON NULL,
    route LINESTRING NULL,
    anything GEOMETRY NULL,
    PRIMARY KEY (id)
);

-- A table without rows.
CREATE TABLE returns (
    id INT NOT NULL,
    order_id BIGINT UNSIGNED NOT NULL,
    reason VARCHAR(200) NULL,
    PRIMARY KEY (id)
);

INSERT INTO customers (email, first_name, last_name, `Straße & Nr.`, city, country, phone,
                       birth_date, newsletter, created_at, notes)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 600)
SELECT CONCAT('customer', n, '@shop.example'),
       ELT(1 + MOD(n, 10), 'Anna', 'Jörg', 'Zoë', 'Seán', 'Åsa', 'Łukasz', 'Chloé', 'Renée',
           'Mary Ann', 'O''Neil'),
       ELT(1 + MOD(n * 7, 12), 'Müller', 'Smith', 'Dvořák', 'García', 'Øster', 'O''Brien',
           'van der Berg', 'Nguyễn', 'Schröder', 'Żak', 'Lefèvre', 'Ibáñez'),
       CASE WHEN MOD(n, 17) = 0 THEN NULL
            WHEN MOD(n, 19) = 0 THEN ''
            ELSE CONCAT(ELT(1 + MOD(n, 5), 'Hauptstraße ', 'Rue de l''Église ', 'Main St. ',
                            'Ulica Długa ', 'Calle Mayor '), 1 + MOD(n * 13, 250)) END,
       ELT(1 + MOD(n * 3, 8), 'Berlin', 'Zürich', 'Kraków', 'Paris', 'São Paulo', 'Malmö',
           'Dublin', 'Québec'),
       ELT(1 + MOD(n * 3, 8), 'DE', 'CH', 'PL', 'FR', 'BR', 'SE', 'IE', 'CA'),
       IF(MOD(n, 4) = 0, NULL, CONCAT('+49 30 ', LPAD(MOD(n * 7919, 1000000), 6, '0'))),
       IF(MOD(n, 9) = 0, NULL, DATE '1950-01-01' + INTERVAL MOD(n * 97, 20000) DAY),
       MOD(n, 2),
       TIMESTAMP '2023-01-01 08:00:00' + INTERVAL n * 3571 SECOND,
       CASE MOD(n, 50)
           WHEN 0 THEN 'Prefers delivery after 6 p.m.\nRing twice.'
           WHEN 1 THEN '   '
           WHEN 2 THEN 'Said: "Don''t leave it at the door" \\ back door ok'
           WHEN 3 THEN 'Stammkunde 😀 seit 2019'
           ELSE NULL END
FROM seq;

INSERT INTO products (sku, name, description, price, weight_kg, rating, stock, reorder_level,
                      flags, category, tags, ean, thumbnail)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 150)
SELECT CONCAT('SKU-', LPAD(n, 8, '0')),
       CONCAT(ELT(1 + MOD(n, 6), 'Garden hose', 'Teapot', 'Kinderbuch „Der Mond“',
                  'Spanner 10 mm', 'Toy train', 'Café crème cups'), ' #', n),
       IF(MOD(n, 10) = 0, NULL,
          CONCAT('Item ', n, ': ', REPEAT('Sturdy, well made & tested. ', 1 + MOD(n, 20)))),
       ROUND(0.99 + MOD(n * 37, 20000) / 100, 2),
       IF(MOD(n, 7) = 0, NULL, MOD(n * 13, 5000) / 1000),
       IF(MOD(n, 11) = 0, NULL, 1 + MOD(n * 31, 400) / 100),
       MOD(n * 29, 500) - 20,
       MOD(n * 5, 100),
       MOD(n * 43, 256),
       ELT(1 + MOD(n, 5), 'books', 'garden', 'kitchen', 'toys', 'tools'),
       MOD(n * 3, 32),
       IF(MOD(n, 3) = 0, NULL, LPAD(n * 1000003, 13, '4')),
       IF(MOD(n, 4) = 0, NULL, UNHEX(SHA2(CONCAT('thumb', n), 256)))
FROM seq;

INSERT INTO orders (customer_id, ordered_at, delivery_window, fiscal_year, status, total, coupon)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 1000)
SELECT 1 + MOD(n * 7, 600),
       TIMESTAMP '2024-01-01 00:00:00' + INTERVAL n * 12577 SECOND,
       IF(MOD(n, 5) = 0, NULL, MAKETIME(8 + MOD(n, 10), MOD(n * 15, 60), 0)),
       YEAR(TIMESTAMP '2024-01-01 00:00:00' + INTERVAL n * 12577 SECOND),
       ELT(1 + MOD(n, 4), 'open', 'paid', 'shipped', 'cancelled'),
       0,
       CASE MOD(n, 30) WHEN 0 THEN 'SUMMER24' WHEN 1 THEN '' ELSE NULL END
FROM seq;

INSERT INTO `order items` (order_id, line_no, sku, quantity, `unit price`, gift_note)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 3)
SELECT o.id, seq.n, p.sku, 1 + MOD(o.id * seq.n, 5), p.price,
       CASE MOD(o.id + seq.n, 40)
           WHEN 0 THEN 'Alles Gute zum Geburtstag! 🎂'
           WHEN 1 THEN 'It''s for "you"'
           ELSE NULL END
FROM orders AS o
JOIN seq ON seq.n <= 1 + MOD(o.id, 3)
JOIN products AS p ON p.sku = CONCAT('SKU-', LPAD(1 + MOD(o.id * 11 + seq.n * 17, 150), 8, '0'));

UPDATE orders AS o
SET o.total = (SELECT COALESCE(SUM(i.quantity * i.`unit price`), 0)
               FROM `order items` AS i WHERE i.order_id = o.id);

INSERT INTO `Lieferanten_Übersicht` VALUES
    (1, 'Gärtnerei Blümchen GmbH', 'Jürgen Weiß', 'yes', 'DE'),
    (2, 'L''Atelier du Thé', 'Hélène Dubois', 'it''s ok', 'FR'),
    (3, 'Łódź Narzędzia', NULL, NULL, 'PL'),
    (4, 'Nordic Toys AB', '   ', '', 'SE'),
    (5, '"Quoted" Supplies Ltd.', 'Mr. O''Hara', 'n/a', 'IE'),
    (6, '東京キッチン', '佐藤 花子', NULL, 'JP');

INSERT INTO all_types VALUES
    (1, -128, 0, -32768, -8388608, -2147483648, 0, -9223372036854775808, 0,
     -99999999999999999999.9999999999, -99999, -3.40282e38, -1.7976931348623157e308,
     b'0', b'0', FALSE, '1000-01-01', '-838:59:59', '-838:59:59.000', '1000-01-01 00:00:00',
     '1000-01-01 00:00:00.000000', '1970-01-01 00:00:01', 1901, 'min', '', '', '', '',
     x'00000000', x'', x'', x'', x'', x'', '', '', '', '', 'small', '', '{}'),
    (2, 127, 255, 32767, 8388607, 2147483647, 4294967295, 9223372036854775807,
     18446744073709551615, 99999999999999999999.9999999999, 99999, 3.40282e38,
     1.7976931348623157e308, b'1', b'1111111111111111111111111111111111111111111111111111111111111111',
     TRUE, '9999-12-31', '838:59:59', '838:59:59.999', '9999-12-31 23:59:59',
     '9999-12-31 23:59:59.999999', '2038-01-19 03:14:07', 2155, 'max', 'Z',
     REPEAT('x', 255), REPEAT('é', 50), REPEAT('ü', 3000), x'FFFFFFFF', REPEAT(x'FF', 32),
     REPEAT(x'AB', 255), REPEAT(x'CD', 4000), REPEAT(x'EF', 70000), REPEAT(x'01', 100000),
     REPEAT('t', 255), REPEAT('Text ', 2000), REPEAT('Mittel ', 10000), REPEAT('Lang ', 40000),
     'x''l', 'red,green,blue', '{"a": [1, 2, 3], "b": null}'),
    (3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
     NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
    (4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, b'0', b'101', FALSE, '2024-02-29', '00:00:00',
     '00:00:00.5', '2024-02-29 12:00:00', '2024-02-29 12:00:00.123456', '2024-02-29 12:00:00',
     2000, '  blanks', ' ', '   ', ' ', ' leading and trailing  ', x'00410042',
     x'0D0A09', x'27', x'5C', x'22', x'60', 'tab\there', 'line\nbreak', 'cr\r\nlf', '\\',
     'medium', 'green', '[]'),
    (5, 1, 1, 1, 1, 1, 1, 1, 1, 0.0000000001, 1, 1.5e-38, 4.9e-324, b'1', b'10000000', TRUE,
     '2000-01-01', '12:34:56', '12:34:56.789', '2000-01-01 00:00:00', '2000-01-01 00:00:00.000001',
     '2000-01-01 00:00:00', 1999, 'quote''s', '''', 'O''Brien said "hi" \\ `tick`',
     'Fußgängerübergänge', 'Ελληνικά, русский, 日本語, עברית', x'27272727', x'27',
     'binary''quote', x'00', x'0000', x'FF00FF', 'Zoë''s', 'emoji 😀🎉 and ✓',
     'NULL', 'null', 'large', 'red,blue', '{"quote": "it''s \\"fine\\""}'),
    (6, -1, 200, -1, -1, -1, 3000000000, -1, 10000000000000000000, -0.5, -1, -0.0, -0.0,
     b'0', b'11111111', FALSE, '1969-12-31', '-00:00:01', '-00:00:00.001', '1969-12-31 23:59:59',
     '1969-12-31 23:59:59.999999', NULL, 1970, 'ÄÖÜäöüß', 'ß', 'SELECT * FROM "x"; --',
     'ÿ', '&lt;b&gt; <b>bold</b>', x'0A0D0900', x'FE', x'00', NULL, NULL, NULL,
     '%_*?', '''; DROP TABLE all_types; --', ' ', '', NULL, '', 'null');

INSERT INTO store_locations VALUES
    (1, 'Berlin Mitte', ST_GeomFromText('POINT(13.4050 52.5200)'),
     ST_GeomFromText('POLYGON((13.3 52.4, 13.5 52.4, 13.5 52.6, 13.3 52.6, 13.3 52.4))'),
     ST_GeomFromText('LINESTRING(13.3 52.4, 13.4 52.5, 13.5 52.6)'),
     ST_GeomFromText('POINT(0 0)')),
    (2, 'Zürich HB', ST_GeomFromText('POINT(8.5402 47.3782)'), NULL, NULL, NULL);

CREATE VIEW customer_order_totals AS
SELECT c.id AS customer_id, c.email, COUNT(o.id) AS orders, COALESCE(SUM(o.total), 0) AS spent
FROM customers AS c
LEFT JOIN orders AS o ON o.customer_id = c.id
GROUP BY c.id, c.email;
