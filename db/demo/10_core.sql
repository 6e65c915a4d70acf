-- Demo folders, servers and report groups.
INSERT INTO pm_folder (id, name, parent_id) VALUES (1, 'Reports', NULL);
INSERT INTO pm_folder (id, name, parent_id) VALUES (2, 'Schedules', NULL);
INSERT INTO pm_folder (id, name, parent_id) VALUES (3, 'O''Brien''s reports', 1);
INSERT INTO pm_folder (id, name, parent_id) VALUES (4, 'Daily', 1);

INSERT INTO ea_server_group (id, name) VALUES (1, 'East');
INSERT INTO ea_server_group (id, name) VALUES (2, 'West');
INSERT INTO ea_server (id, name, server_group_id) VALUES (1, 'ea-east-1', 1);
INSERT INTO ea_server (id, name, server_group_id) VALUES (2, 'ea-east-2', 1);
INSERT INTO ea_server (id, name, server_group_id) VALUES (3, 'ea-west-1', 2);
INSERT INTO ea_report_group_server (report_group_id, server_id) VALUES (12, 1);
INSERT INTO ea_report_group_server (report_group_id, server_id) VALUES (12, 2);
INSERT INTO ea_report_group_server (report_group_id, server_id) VALUES (12, 3);
INSERT INTO ea_report_group_server (report_group_id, server_id) VALUES (7, 3);
