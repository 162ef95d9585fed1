-- Product catalogue of MOX NORVANTE: cameras, distribution-point boxes and cable types.
-- Built into moxproducts.db beside the editor.
--
-- Rows are returned in insertion order (no statement sorts), and the model
-- selection takes the FIRST distribution point that fits. That is why the pd
-- rows of every group below run from the smallest box to the largest, and why
-- no index may be put on table pd: an index would change the order in which
-- SQLite returns the rows.
--
-- Numeric columns are INTEGER so that the selection's quoted numbers
-- (camera_slots >= "6") are compared as numbers, not as text.
--
-- Values marked "E" in a comment are estimates that no datasheet confirmed.

CREATE TABLE camera (
    model   TEXT,     -- shown in the camera model list, matched as stored
    power   INTEGER,  -- maximum power drawn, whole watts (datasheet rounded up)
    bitrate INTEGER   -- typical main stream, kbit/s (H.265)
);

CREATE TABLE pd (
    name                   TEXT,     -- shown in the distribution point's model list
    boxtype                TEXT,     -- enclosure, matched against the point's "Rodzaj obudowy"; no double quotes
    power_backup           INTEGER,  -- 1: battery backup inside
    camera_slots           INTEGER,  -- cables the box takes, see below
    power230               INTEGER,  -- 1: fed from 230 V mains, 0: fed over PoE (extender)
    camera_total_power_max INTEGER,  -- PoE budget of all slots together, W
    bitrate                INTEGER   -- switching throughput, kbit/s
);

CREATE TABLE wire (
    model TEXT,     -- shown in the cable type list
    awg   INTEGER   -- conductor gauge
);

-- ---------------------------------------------------------------------------
-- Cameras. Typical main-stream bitrates as storage calculators use them:
-- 2 MP 2048, 4 MP 4096 at 25-30 fps (3072 at 20 fps), 5 MP 4608, 8 MP 8192.
-- ---------------------------------------------------------------------------

-- Hikvision ColorVu/EasyIP value line (DS-2CD1xxx), datasheets: 6.5 W max, PoE class 3.
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1023G2-LIUF', 7, 2048);
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1027G2H-LIUF', 7, 2048);
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1043G2-LIUF', 7, 3072);  -- 4 MP at 20 fps
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1343G2-LIUF', 7, 3072);  -- 4 MP at 20 fps
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1123G2-LIUF', 7, 2048);  -- power E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1143G2-LIUF', 7, 4096);  -- power E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD1047G0-LUF', 7, 3072);   -- power E

-- Hikvision AcuSense line (DS-2CD2xxx): powers E, bitrates by resolution.
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2043G2-I', 8, 4096);     -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2143G2-I', 7, 4096);     -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2343G2-I', 7, 4096);     -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2047G2-LU', 10, 4096);   -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2T47G2-L', 12, 4096);    -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2387G2-LU', 12, 8192);   -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2CD2086G2-IU', 10, 8192);   -- E

-- Hikvision PTZ, PoE+ (802.3at) datasheet.
INSERT INTO camera (model, power, bitrate) VALUES ('Hikvision DS-2DE4A425IWG-E', 25, 4096);

-- Dahua Lite/WizSense lines: powers E, bitrates by resolution.
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HFW1230S-S5', 5, 2048);        -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HFW2431S-S-S2', 6, 4096);      -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HDW2431T-AS-S2', 6, 4096);     -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HDBW2431E-S-S2', 6, 4096);     -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HDW2441TM-S', 7, 4096);        -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HDW5442TM-ASE', 9, 4096);      -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Dahua IPC-HFW2841S-S', 8, 8192);         -- E

-- Axis datasheets: M2036-LE PoE class 3 (12.95 W), P1344 6.4 W, P1346 9.6 W, P1347 9.0 W.
INSERT INTO camera (model, power, bitrate) VALUES ('Axis M2036-LE', 13, 4096);
INSERT INTO camera (model, power, bitrate) VALUES ('Axis M3106-L Mk II', 6, 4096);           -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Axis P1344', 7, 2048);
INSERT INTO camera (model, power, bitrate) VALUES ('Axis P1346', 10, 4096);
INSERT INTO camera (model, power, bitrate) VALUES ('Axis P1347', 9, 4608);

-- Uniview and Reolink: powers E.
INSERT INTO camera (model, power, bitrate) VALUES ('Uniview IPC2124LB-SF28KM-G', 6, 4096);   -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Uniview IPC322LB-SF28-A', 5, 2048);      -- E
INSERT INTO camera (model, power, bitrate) VALUES ('Reolink RLC-81PA', 12, 8192);            -- E

-- ---------------------------------------------------------------------------
-- Distribution points.
--
-- camera_slots counts the cables a box takes the way the editor counts a
-- point's slots: every camera, every other point, the PC and the recorder.
-- A box therefore has its PoE outputs plus one port for the cable towards the
-- feeding or recording side (an extender: its PoE input).
--
-- Switches that feed PoE on the spare pairs are 100 Mbit/s devices: their
-- throughput is 100000 kbit/s; gigabit uplinks give 1000000.
-- ---------------------------------------------------------------------------

-- PoE-fed extender boxes (no mains, no battery: a point without mains cannot
-- carry a backup). Own box line; budgets are what an 802.3at (25.5 W) or
-- 802.3bt (51 W) input leaves for the outputs. Budgets E.
INSERT INTO pd VALUES ('PD-EXT-3/25/IP20', 'Wewnętrzna (IP20)', 0, 4, 0, 25, 100000);   -- E
INSERT INTO pd VALUES ('PD-EXT-3/25/IP65', 'Zewnętrzna (IP65)', 0, 4, 0, 25, 100000);   -- E
INSERT INTO pd VALUES ('PD-EXT-4/45/IP20', 'Wewnętrzna (IP20)', 0, 5, 0, 45, 100000);   -- E, 802.3bt input
INSERT INTO pd VALUES ('PD-EXT-4/45/IP66', 'Zewnętrzna (IP66)', 0, 5, 0, 45, 100000);   -- E, 802.3bt input
-- Ubiquiti USW-Ultra, datasheet: powered over PoE, 7 PoE outputs, 42 W budget.
INSERT INTO pd VALUES ('Ubiquiti USW-Ultra', 'Wewnętrzna (IP20)', 0, 8, 0, 42, 1000000);
INSERT INTO pd VALUES ('PD-EXT-7/42/IP65', 'Zewnętrzna (IP65)', 0, 8, 0, 42, 1000000);  -- USW-Ultra in an outdoor box

-- Indoor mains-fed switches without backup, vendor datasheets (4-port models
-- have 4 PoE outputs; 8-port models 8; GS316PP 15).
INSERT INTO pd VALUES ('Hikvision DS-3E0105P-E/M', 'Wewnętrzna (IP20)', 0, 5, 1, 35, 100000);     -- budget E
INSERT INTO pd VALUES ('Dahua PFS3005-4ET-36', 'Wewnętrzna (IP20)', 0, 5, 1, 36, 100000);
INSERT INTO pd VALUES ('Ubiquiti USW-Lite-8-PoE', 'Wewnętrzna (IP20)', 0, 5, 1, 52, 1000000);     -- 4 of 8 ports give PoE
INSERT INTO pd VALUES ('TP-Link TL-SF1005P', 'Wewnętrzna (IP20)', 0, 5, 1, 58, 100000);
INSERT INTO pd VALUES ('Dahua PFS3006-4ET-60', 'Wewnętrzna (IP20)', 0, 5, 1, 60, 100000);
INSERT INTO pd VALUES ('Dahua PFS3106-4ET-60', 'Wewnętrzna (IP20)', 0, 5, 1, 60, 1000000);        -- industrial, DIN rail
INSERT INTO pd VALUES ('TP-Link TL-SF1006P', 'Wewnętrzna (IP20)', 0, 5, 1, 67, 100000);
INSERT INTO pd VALUES ('Netgear GS305PP', 'Wewnętrzna (IP20)', 0, 5, 1, 83, 1000000);
INSERT INTO pd VALUES ('Hikvision DS-3E0109P-E/M', 'Wewnętrzna (IP20)', 0, 9, 1, 60, 100000);     -- budget E
INSERT INTO pd VALUES ('Dahua PFS3110-8ET-96', 'Wewnętrzna (IP20)', 0, 9, 1, 96, 1000000);
INSERT INTO pd VALUES ('Dahua PFS3211-8GT-120', 'Wewnętrzna (IP20)', 0, 9, 1, 120, 1000000);
INSERT INTO pd VALUES ('Netgear GS316PP', 'Wewnętrzna (IP20)', 0, 16, 1, 183, 1000000);

-- 19-inch rack switches, vendor datasheets. The enclosure text carries no
-- double quote: the model selection puts it between double quotes in its
-- statement, and a quote inside would break that statement.
INSERT INTO pd VALUES ('Hikvision DS-3E0318P-E/M', 'Szafa RACK 19 cali', 0, 17, 1, 130, 1000000);     -- budget E
INSERT INTO pd VALUES ('Dahua S3218-16ET-135', 'Szafa RACK 19 cali', 0, 17, 1, 135, 1000000);
INSERT INTO pd VALUES ('Dahua S3226-24ET-240', 'Szafa RACK 19 cali', 0, 25, 1, 240, 1000000);

-- Own box line with battery backup: the switch of the comment behind a
-- 13.8 V buffer supply with a 12 V battery and a 48 V step-up. Budgets are
-- those of the switch.
INSERT INTO pd VALUES ('PD-4/60/IP20/UPS', 'Wewnętrzna (IP20)', 1, 5, 1, 60, 100000);       -- Dahua PFS3006-4ET-60
INSERT INTO pd VALUES ('PD-8/96/IP20/UPS', 'Wewnętrzna (IP20)', 1, 9, 1, 96, 1000000);      -- Dahua PFS3110-8ET-96
INSERT INTO pd VALUES ('PD-8/120/IP20/UPS', 'Wewnętrzna (IP20)', 1, 9, 1, 120, 1000000);    -- Dahua PFS3211-8GT-120
INSERT INTO pd VALUES ('PD-16/135/RACK/UPS', 'Szafa RACK 19 cali', 1, 17, 1, 135, 1000000);     -- Dahua S3218-16ET-135
INSERT INTO pd VALUES ('PD-24/240/RACK/UPS', 'Szafa RACK 19 cali', 1, 25, 1, 240, 1000000);     -- Dahua S3226-24ET-240

-- Own box line for outdoor mounting (pole or wall), mains-fed, without battery.
INSERT INTO pd VALUES ('PD-4/60/IP65', 'Zewnętrzna (IP65)', 0, 5, 1, 60, 100000);           -- Dahua PFS3006-4ET-60
INSERT INTO pd VALUES ('PD-8/96/IP65', 'Zewnętrzna (IP65)', 0, 9, 1, 96, 1000000);          -- Dahua PFS3110-8ET-96
INSERT INTO pd VALUES ('PD-8/120/IP66', 'Zewnętrzna (IP66)', 0, 9, 1, 120, 1000000);        -- Dahua PFS3211-8GT-120
INSERT INTO pd VALUES ('PD-15/183/IP66', 'Zewnętrzna (IP66)', 0, 16, 1, 183, 1000000);      -- Netgear GS316PP

-- Own box line for outdoor mounting with battery backup.
INSERT INTO pd VALUES ('PD-4/60/IP65/UPS', 'Zewnętrzna (IP65)', 1, 5, 1, 60, 100000);       -- Dahua PFS3006-4ET-60
INSERT INTO pd VALUES ('PD-8/96/IP65/UPS', 'Zewnętrzna (IP65)', 1, 9, 1, 96, 1000000);      -- Dahua PFS3110-8ET-96
INSERT INTO pd VALUES ('PD-8/120/IP66/UPS', 'Zewnętrzna (IP66)', 1, 9, 1, 120, 1000000);    -- Dahua PFS3211-8GT-120
INSERT INTO pd VALUES ('PD-16/135/IP66/UPS', 'Zewnętrzna (IP66)', 1, 17, 1, 135, 1000000);  -- Dahua S3218-16ET-135

-- ---------------------------------------------------------------------------
-- Cable types. Cat5e 24 AWG (0.51 mm, 0.20 mm2); Cat6 and Cat6A 23 AWG
-- (0.57 mm, 0.26 mm2); outdoor types with a PE jacket.
-- ---------------------------------------------------------------------------
INSERT INTO wire VALUES ('UTP kat.5E', 24);
INSERT INTO wire VALUES ('FTP kat.5E zewnętrzny', 24);
INSERT INTO wire VALUES ('UTP kat.6', 23);
INSERT INTO wire VALUES ('FTP kat.6 zewnętrzny', 23);
INSERT INTO wire VALUES ('UTP kat.6A', 23);
