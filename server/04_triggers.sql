-- Every path that changes recipient rows (procedures and the import's direct
-- insert) passes these. A SIGNAL here fails the whole statement, so an import
-- into a locked submission stores nothing.
DELIMITER ;;

CREATE PROCEDURE util_guard_rows(IN p_id_pengajuan BIGINT UNSIGNED)
    READS SQL DATA
BEGIN
    IF util_is_locked(p_id_pengajuan) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Pengajuan dikunci oleh Administrator';
    END IF;
    IF NOT util_input_open() THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Di luar jadwal input atau sedang maintenance';
    END IF;
END;;

-- util_guard_rows written out: an import fires this for each of up to 100 000
-- rows, and a routine call per row costs several times the queries themselves.
CREATE TRIGGER nasn_pengajuan_detail_before_insert BEFORE INSERT ON nasn_pengajuan_detail
FOR EACH ROW
BEGIN
    IF (SELECT p.status FROM nasn_pengajuan p WHERE p.id = NEW.id_pengajuan) = 'F' THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Pengajuan dikunci oleh Administrator';
    END IF;
    IF NOT EXISTS (SELECT 1 FROM nasn_waktu_input w WHERE NOW() BETWEEN w.mulai AND w.selesai)
       OR EXISTS (SELECT 1 FROM nasn_maintenance m WHERE NOW() BETWEEN m.mulai AND m.selesai) THEN
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'Di luar jadwal input atau sedang maintenance';
    END IF;
END;;

-- The import carries no NIP; it is logged once per statement with the client host.
-- NOW(6) is the statement's start time, so it tells one import statement from the next.
CREATE TRIGGER nasn_pengajuan_detail_after_insert AFTER INSERT ON nasn_pengajuan_detail
FOR EACH ROW
BEGIN
    IF NEW.nip_operator IS NULL
       AND NOT (@util_import_logged <=> CONCAT(CONNECTION_ID(), '/', NOW(6), '/', NEW.id_pengajuan)) THEN
        SET @util_import_logged = CONCAT(CONNECTION_ID(), '/', NOW(6), '/', NEW.id_pengajuan);
        CALL util_log('', 'impor', CONCAT('Impor data Excel ke pengajuan ', NEW.id_pengajuan));
    END IF;
END;;

CREATE TRIGGER nasn_pengajuan_detail_before_update BEFORE UPDATE ON nasn_pengajuan_detail
FOR EACH ROW
BEGIN
    CALL util_guard_rows(OLD.id_pengajuan);
    IF NEW.id_pengajuan <> OLD.id_pengajuan THEN
        CALL util_guard_rows(NEW.id_pengajuan);
    END IF;
END;;

CREATE TRIGGER nasn_pengajuan_detail_before_delete BEFORE DELETE ON nasn_pengajuan_detail
FOR EACH ROW CALL util_guard_rows(OLD.id_pengajuan);;

DELIMITER ;
