-- New rows take ids after the demo's.
DO $$
BEGIN
  PERFORM setval(pg_get_serial_sequence('fs_user', 'id'), (SELECT max(id) FROM fs_user));
  PERFORM setval(pg_get_serial_sequence('fs_document', 'id'), (SELECT max(id) FROM fs_document));
  PERFORM setval(pg_get_serial_sequence('rpt_report_spec', 'id'), (SELECT max(id) FROM rpt_report_spec));
  PERFORM setval(pg_get_serial_sequence('rpt_page_setup', 'id'), (SELECT max(id) FROM rpt_page_setup));
END
$$;
