-- The year's database on a PostgreSQL server: the same tables, fields and keys as the file.
-- citext under the "C" collation compares and sorts as the file does: letters without regard
-- to case, every other character by its code. Each statement may run again without harm.
CREATE EXTENSION IF NOT EXISTS citext;

CREATE TABLE IF NOT EXISTS FRONTESPIZIO (
    CODAZI citext COLLATE "C",
    CFD    citext COLLATE "C",
    FR_1   citext COLLATE "C",
    FR_2   citext COLLATE "C",
    FR_3   citext COLLATE "C",
    fr_14  citext COLLATE "C",
    FR_46  citext COLLATE "C"
);
CREATE UNIQUE INDEX IF NOT EXISTS FRONTESPIZIO_CHIAVE ON FRONTESPIZIO (CODAZI, CFD);

CREATE TABLE IF NOT EXISTS QUADROSX (
    CODAZI citext COLLATE "C",
    CFD    citext COLLATE "C",
    SEQ    citext COLLATE "C",
    SX_1   citext COLLATE "C",
    SX_2   citext COLLATE "C",
    SX_3   citext COLLATE "C",
    SX_4   citext COLLATE "C",
    SX_5   citext COLLATE "C",
    SX_6   citext COLLATE "C",
    SX_7   citext COLLATE "C",
    SX_8   citext COLLATE "C",
    SX_9   citext COLLATE "C",
    SX_10  citext COLLATE "C"
);
CREATE UNIQUE INDEX IF NOT EXISTS QUADROSX_CHIAVE ON QUADROSX (CODAZI, CFD, SEQ);
