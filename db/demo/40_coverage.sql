-- Demo data availability: one market with two switches, three cell sites and five sectors;
-- hourly loads of four data types (Paging has none), with gaps.
INSERT INTO cov_entity_type (id, position, type_name, next_type_id, chain_count, no_column) VALUES (1, 1, 'MARKET', 0, 0, 0);
INSERT INTO cov_entity_type (id, position, type_name, next_type_id, chain_count, no_column) VALUES (2, 2, 'SWITCH', 3, 0, 0);
INSERT INTO cov_entity_type (id, position, type_name, next_type_id, chain_count, no_column) VALUES (3, 3, 'CELL SITE', 4, 0, 0);
INSERT INTO cov_entity_type (id, position, type_name, next_type_id, chain_count, no_column) VALUES (4, 4, 'SECTOR', 5, 2, 0);
INSERT INTO cov_entity_type (id, position, type_name, next_type_id, chain_count, no_column) VALUES (5, 5, 'ANTENNA FACE', 0, 0, 1);

INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (1, 'DAL', 'Dallas', 1, NULL, 1);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (2, 'DAL-MSC1', 'Dallas MSC 1', 2, 1, 2);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (3, 'DAL-MSC2', 'Dallas MSC 2', 2, 1, 3);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (4, 'S101', 'Site 101 Downtown', 3, 2, 4);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (5, 'S102', 'Site 102 Uptown', 3, 2, 5);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (6, 'S201', 'Site 201 Airport', 3, 3, 6);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (7, 'S101-A', 'Sector A', 4, 4, 7);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (8, 'S101-B', 'Sector B', 4, 4, 8);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (9, 'S102-A', 'Sector A', 4, 5, 9);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (10, 'S201-A', 'Sector A', 4, 6, 10);
INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) VALUES (11, 'S201-B', 'Sector B', 4, 6, 11);

INSERT INTO cov_data_type_column (position, title, width, field) VALUES (1, 'DATA TYPE', 140, 'name');
INSERT INTO cov_data_type_column (position, title, width, field) VALUES (2, 'description', 300, 'description');
INSERT INTO cov_data_type_column (position, title, width, field) VALUES (3, 'Loaded', 90, 'loaded');
INSERT INTO cov_data_type_column (position, title, width, field) VALUES (4, 'ID', 0, 'id');
INSERT INTO cov_data_type_column (position, title, width, field) VALUES (5, 'ENTITY TYPE', 0, 'entity_type');

INSERT INTO cov_data_type (id, name, description, entity_type_id, position) VALUES (1, 'Traffic', 'Carried traffic and call attempts, hourly', 4, 1);
INSERT INTO cov_data_type (id, name, description, entity_type_id, position) VALUES (2, 'Failures', 'Dropped and blocked calls, hourly', 4, 2);
INSERT INTO cov_data_type (id, name, description, entity_type_id, position) VALUES (3, 'Handovers', 'Handover attempts and successes, hourly', 3, 3);
INSERT INTO cov_data_type (id, name, description, entity_type_id, position) VALUES (4, 'Switch Load', 'Processor load of the switch, hourly', 2, 4);
INSERT INTO cov_data_type (id, name, description, entity_type_id, position) VALUES (5, 'Paging', 'Paging attempts of the switch, hourly', 2, 5);

-- Traffic: every sector, 1 to 7 March 2026, but S201-B lost 4 March.
WITH RECURSIVE h(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM h WHERE n < 167)
INSERT INTO cov_load (data_type_id, system_id, period_start, row_count)
SELECT 1, s.id, {{hours_after('2026-03-01 00:00:00', h.n)}}, 40 + (h.n * 7 + s.id) % 13
FROM h, cov_system s
WHERE s.type_id = 4 AND NOT (s.id = 11 AND h.n BETWEEN 72 AND 95);
-- Failures: the sectors of site 101, from 3 March.
WITH RECURSIVE h(n) AS (SELECT 48 UNION ALL SELECT n + 1 FROM h WHERE n < 167)
INSERT INTO cov_load (data_type_id, system_id, period_start, row_count)
SELECT 2, s.id, {{hours_after('2026-03-01 00:00:00', h.n)}}, 3 + (h.n + s.id) % 5
FROM h, cov_system s
WHERE s.id IN (7, 8);
-- Handovers: every cell site, 1 to 7 March 2026, but site 201 missed six hours on 5 March.
WITH RECURSIVE h(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM h WHERE n < 167)
INSERT INTO cov_load (data_type_id, system_id, period_start, row_count)
SELECT 3, s.id, {{hours_after('2026-03-01 00:00:00', h.n)}}, 20 + (h.n * 3 + s.id) % 11
FROM h, cov_system s
WHERE s.type_id = 3 AND NOT (s.id = 6 AND h.n BETWEEN 100 AND 105);
-- Switch load: both switches, 20 February to 7 March 2026.
WITH RECURSIVE h(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM h WHERE n < 383)
INSERT INTO cov_load (data_type_id, system_id, period_start, row_count)
SELECT 4, s.id, {{hours_after('2026-02-20 00:00:00', h.n)}}, 1
FROM h, cov_system s
WHERE s.type_id = 2;
