-- Demo documents: an ordinary and an express scenario, an ordinary and an express template.
-- The database numbers users, documents, specifications and page setups: 1, 2, ... in a fresh
-- schema, in the order inserted, which the reports below point at.
INSERT INTO fs_user (login_name) VALUES ('plexion');
INSERT INTO fs_document (doc_type_id, name, folder_id, owner_id, is_express)
VALUES (1, 'Busy hour traffic', 1, 1, 'N');
INSERT INTO fs_document (doc_type_id, name, folder_id, owner_id, is_express)
VALUES (1, 'Express traffic', 1, 1, 'Y');
INSERT INTO fs_document (doc_type_id, name, folder_id, owner_id, is_express)
VALUES (2, 'Standard layout', 1, 1, 'N');
INSERT INTO fs_document (doc_type_id, name, folder_id, owner_id, is_express)
VALUES (2, 'Express layout', 1, 1, 'Y');

-- Demo reports: an express one with its output objects and general attributes, and one whose
-- IncludeInactive attribute was written in lower case.
INSERT INTO rpt_report_spec (spec_kind, grouping_spec_id) VALUES (2, 5);
INSERT INTO rpt_page_setup (spec_kind, head_note, foot_note, remove_control_info)
VALUES (2, 'Weekly traffic', '', 'Y');
INSERT INTO rpt_report (id, name, app_name, scenario_id, template_id, page_setup_id,
  report_spec_id, grouping_spec_id, file_name, test_channels, equipped_only)
VALUES (1, 'Weekly traffic', 'Traffic', 2, 4, 1, 1, 5, 'weekly.csv', 'N', 'Y');
INSERT INTO rpt_report (id, name, app_name, scenario_id, template_id, test_channels, equipped_only)
VALUES (2, 'Failures by cell', 'Failure', 1, 3, 'N', 'Y');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (1, 1, 'IncludeInactive', 'Y');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (1, 2, 'ExpressType', 'Daily');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (1, 3, 'WebAuto-Organize', 'ByDate');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (1, 4, 'HeadNote', 'Weekly traffic');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (1, 5, 'RemoveControlInfo', 'True');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (2, 1, 'IncludeInactive', 'y');
INSERT INTO rpt_general_attr (report_id, seq, name, value) VALUES (2, 2, 'WebAuto-Organize', '');
