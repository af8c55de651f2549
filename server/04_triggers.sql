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

-- A direct insert (the import) carries no NIP: it acts as the host's latest
-- login, which must be allowed to change data. Checked like util_guard_rows,
-- and logged with that NIP; the verdict of this second is remembered for
-- this connection (see nasn_pengajuan_buka) in the same transaction as the
-- log entry, so every stored row is covered by an entry.
CREATE OR REPLACE PROCEDURE util_guard_import(IN p_id_pengajuan BIGINT UNSIGNED)
    MODIFIES SQL DATA
BEGIN
    DECLARE v_nip VARCHAR(18) DEFAULT util_host_nip();
    DECLARE v_versi BIGINT UNSIGNED DEFAULT (SELECT b.versi FROM nasn_pengajuan_buka b
                                             WHERE b.id_pengajuan = p_id_pengajuan AND b.koneksi = CONNECTION_ID());
    IF v_nip IS NULL THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Belum ada yang login dari komputer ini';
    END IF;
    IF NOT (SELECT l.boleh_ubah FROM nasn_level l WHERE l.user_level = util_session_level(v_nip)) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Level user hanya boleh melihat data';
    END IF;
    -- A share lock, as the foreign key takes anyway: the lock is read as
    -- committed, and locking the submission waits for this statement.
    IF (SELECT p.status FROM nasn_pengajuan p WHERE p.id = p_id_pengajuan LOCK IN SHARE MODE) = 'F' THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Pengajuan dikunci oleh Administrator';
    END IF;
    IF NOT util_input_open() THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Di luar jadwal input atau sedang maintenance';
    END IF;
    CALL util_log_login(v_nip, 'impor', CONCAT('Impor data Excel ke pengajuan ', p_id_pengajuan));
    -- Stores nothing when a change raised versi after it was read above.
    INSERT INTO nasn_pengajuan_buka (id_pengajuan, koneksi, buka_pada)
    VALUES (p_id_pengajuan, CONNECTION_ID(), SYSDATE())
    ON DUPLICATE KEY UPDATE buka_pada = IF(versi <=> v_versi, VALUES(buka_pada), buka_pada);
END;;

-- An import fires this for each of up to 100 000 rows, so the whole guard runs
-- only when this connection's import into the submission was not yet found
-- allowed this very second: within one second the verdict cannot change
-- unless the submission or the schedule does, and both clear the memory.
-- Every other row costs one lookup. A row a procedure adds (it names its
-- operator) is guarded whole and logged by that procedure. The session's
-- settings are read for every row, since a session may change them between
-- two statements of one second; its clock never reaches the row.
CREATE OR REPLACE TRIGGER nasn_pengajuan_detail_before_insert BEFORE INSERT ON nasn_pengajuan_detail
FOR EACH ROW
BEGIN
    -- One chain of tests: each statement of a trigger costs per row.
    IF NOT (@@check_constraint_checks AND @@foreign_key_checks AND @@unique_checks AND @@insert_id = 0
            AND @@session.time_zone = @@global.time_zone) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Ditolak: pengaturan sesi diubah';
    ELSEIF NEW.nip_operator IS NOT NULL THEN
        CALL util_guard_rows(NEW.id_pengajuan);
    ELSEIF NOT ((SELECT b.buka_pada FROM nasn_pengajuan_buka b
                 WHERE b.id_pengajuan = NEW.id_pengajuan AND b.koneksi = CONNECTION_ID()) <=> SYSDATE()) THEN
        CALL util_guard_import(NEW.id_pengajuan);
    END IF;
    SET NEW.diubah = SYSDATE();
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

-- What clears the guard's memory: every change of a submission (its lock) or
-- of an input or maintenance period forgets what was found and raises versi.
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
