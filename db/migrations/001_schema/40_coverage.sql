-- Data availability: what the coverage search offers and what it searches.
-- Physical entity types. Those with a position are listed, in that order; a type whose
-- next_type_id is above 0 is a level of the system hierarchy and links to the next type of its
-- chain. A chained type (chain_count above 0) shows its chain's columns instead of a plain one;
-- no_column = 1 keeps a type of a chain out of the columns.
CREATE TABLE cov_entity_type (
  id integer PRIMARY KEY,
  position integer,
  type_name varchar(64) NOT NULL,
  next_type_id integer NOT NULL DEFAULT 0,
  chain_count integer NOT NULL DEFAULT 0,
  no_column integer NOT NULL DEFAULT 0
);

-- Systems (network elements); a system's parents are shown in front of it.
CREATE TABLE cov_system (
  id integer PRIMARY KEY,
  system_key varchar(64) NOT NULL UNIQUE,
  name varchar(128) NOT NULL,
  type_id integer NOT NULL REFERENCES cov_entity_type (id),
  parent_id integer REFERENCES cov_system (id),
  position integer
);

-- The columns of the data-type selector, in order; field names the data-type value a column
-- shows: name, description, loaded (the first hour loaded), id or entity_type. The last two
-- are never shown.
CREATE TABLE cov_data_type_column (
  position integer PRIMARY KEY,
  title varchar(64) NOT NULL,
  width integer NOT NULL,
  field varchar(32) NOT NULL
);

-- Kinds of data that are loaded, each per systems of one entity type.
CREATE TABLE cov_data_type (
  id integer PRIMARY KEY,
  name varchar(64) NOT NULL UNIQUE,
  description varchar(255) NOT NULL,
  entity_type_id integer REFERENCES cov_entity_type (id),
  position integer
);

-- One row per hour of data of one data type loaded for one system.
CREATE TABLE cov_load (
  data_type_id integer NOT NULL REFERENCES cov_data_type (id),
  system_id integer NOT NULL REFERENCES cov_system (id),
  period_start {{timestamp}} NOT NULL,
  row_count integer NOT NULL DEFAULT 0,
  PRIMARY KEY (data_type_id, system_id, period_start)
);
