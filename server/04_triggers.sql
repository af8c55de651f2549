-- Every path that changes recipient rows (procedures and the import's direct
-- insert) passes these. A SIGNAL here fails the whole statement, so an import
-- into a locked submission stores nothing.
DELIMITER ;;

CREATE OR REPLACE PROCEDURE util_guard_rows(IN p_id_pengajuan BIGINT UNSIGNED)
    READS SQL DATA
BEGIN
    IF util_is_locked(p_id_pengajuan) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Pengajuan dikunci oleh Administrator';
    END IF;
    IF NOT util_input_open() THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Di luar jadwal input atau sedang maintenance';
    END IF;
END;;

-- The guard of util_guard_rows for a new row, and the second it found the
-- submission open remembered (see nasn_pengajuan_buka).
CREATE OR REPLACE PROCEDURE util_guard_new_row(IN p_id_pengajuan BIGINT UNSIGNED)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_versi BIGINT UNSIGNED
        DEFAULT (SELECT b.versi FROM nasn_pengajuan_buka b WHERE b.id_pengajuan = p_id_pengajuan);
    -- A share lock, as the foreign key takes anyway: the lock is read as
    -- committed, and locking the submission waits for this statement.
    IF (SELECT p.status FROM nasn_pengajuan p WHERE p.id = p_id_pengajuan LOCK IN SHARE MODE) = 'F' THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Pengajuan dikunci oleh Administrator';
    END IF;
    IF NOT util_input_open() THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Di luar jadwal input atau sedang maintenance';
    END IF;
    -- Matches nothing when a change raised versi after it was read above.
    UPDATE nasn_pengajuan_buka b SET b.buka_pada = SYSDATE()
    WHERE b.id_pengajuan = p_id_pengajuan AND b.versi = v_versi;
END;;

-- An import fires this for each of up to 100 000 rows, so the whole guard runs
-- only when the submission was not yet found open this very second: within
-- one second the verdict cannot change unless the submission or the schedule
-- does, and both clear the memory. Every other row costs one lookup.
CREATE OR REPLACE TRIGGER nasn_pengajuan_detail_before_insert BEFORE INSERT ON nasn_pengajuan_detail
FOR EACH ROW
    IF NOT ((SELECT b.buka_pada FROM nasn_pengajuan_buka b WHERE b.id_pengajuan = NEW.id_pengajuan) <=> SYSDATE()) THEN
        CALL util_guard_new_row(NEW.id_pengajuan);
    END IF;;

-- The import carries no NIP; it is logged once per statement with the client host.
-- @@timestamp is the statement's start (as SYSDATE(6)), so it tells one import
-- statement from the next; user variables belong to the connection already.
-- Two numbers compared per row, not a key string built for each.
CREATE OR REPLACE TRIGGER nasn_pengajuan_detail_after_insert AFTER INSERT ON nasn_pengajuan_detail
FOR EACH ROW
BEGIN
    IF NEW.nip_operator IS NULL
       AND NOT (@util_import_at <=> @@timestamp AND @util_import_id <=> NEW.id_pengajuan) THEN
        SET @util_import_at = @@timestamp, @util_import_id = NEW.id_pengajuan;
        CALL util_log('', 'impor', CONCAT('Impor data Excel ke pengajuan ', NEW.id_pengajuan));
    END IF;
END;;

CREATE OR REPLACE TRIGGER nasn_pengajuan_detail_before_update BEFORE UPDATE ON nasn_pengajuan_detail
FOR EACH ROW
BEGIN
    CALL util_guard_rows(OLD.id_pengajuan);
    IF NEW.id_pengajuan <> OLD.id_pengajuan THEN
        CALL util_guard_rows(NEW.id_pengajuan);
    END IF;
END;;

CREATE OR REPLACE TRIGGER nasn_pengajuan_detail_before_delete BEFORE DELETE ON nasn_pengajuan_detail
FOR EACH ROW CALL util_guard_rows(OLD.id_pengajuan);;

-- What clears the guard's memory: a new submission gets its row, and every
-- change of a submission (its lock) or of an input or maintenance period
-- forgets what was found and raises versi.
CREATE OR REPLACE TRIGGER nasn_pengajuan_after_insert AFTER INSERT ON nasn_pengajuan
FOR EACH ROW INSERT INTO nasn_pengajuan_buka (id_pengajuan) VALUES (NEW.id);;

CREATE OR REPLACE TRIGGER nasn_pengajuan_after_update AFTER UPDATE ON nasn_pengajuan
FOR EACH ROW UPDATE nasn_pengajuan_buka b SET b.versi = b.versi + 1, b.buka_pada = NULL
             WHERE b.id_pengajuan IN (OLD.id, NEW.id);;

CREATE OR REPLACE PROCEDURE util_schedule_changed()
    MODIFIES SQL DATA
    UPDATE nasn_pengajuan_buka b SET b.versi = b.versi + 1, b.buka_pada = NULL;;

CREATE OR REPLACE TRIGGER nasn_waktu_input_after_insert AFTER INSERT ON nasn_waktu_input
FOR EACH ROW CALL util_schedule_changed();;
CREATE OR REPLACE TRIGGER nasn_waktu_input_after_update AFTER UPDATE ON nasn_waktu_input
FOR EACH ROW CALL util_schedule_changed();;
CREATE OR REPLACE TRIGGER nasn_waktu_input_after_delete AFTER DELETE ON nasn_waktu_input
FOR EACH ROW CALL util_schedule_changed();;
CREATE OR REPLACE TRIGGER nasn_maintenance_after_insert AFTER INSERT ON nasn_maintenance
FOR EACH ROW CALL util_schedule_changed();;
CREATE OR REPLACE TRIGGER nasn_maintenance_after_update AFTER UPDATE ON nasn_maintenance
FOR EACH ROW CALL util_schedule_changed();;
CREATE OR REPLACE TRIGGER nasn_maintenance_after_delete AFTER DELETE ON nasn_maintenance
FOR EACH ROW CALL util_schedule_changed();;

DELIMITER ;
