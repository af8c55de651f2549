-- The session every other file is loaded in, by a fresh load and by an upgrade
-- alike: strict mode is captured by every routine and trigger created after this.
SET SESSION sql_mode = 'STRICT_ALL_TABLES,ERROR_FOR_DIVISION_BY_ZERO,NO_ZERO_DATE,NO_ZERO_IN_DATE,NO_ENGINE_SUBSTITUTION,NO_AUTO_CREATE_USER';
SET NAMES utf8mb4 COLLATE utf8mb4_unicode_ci;
