-- The questions the client asks before a change. The same rules are enforced
-- again by the changing procedures and the row triggers.
DELIMITER ;;

-- nilai '1': now lies outside every input period; restricted '1': maintenance runs.
CREATE OR REPLACE PROCEDURE util_input_answer()
    READS SQL DATA
    SELECT IF(EXISTS (SELECT 1 FROM nasn_waktu_input w WHERE SYSDATE() BETWEEN w.mulai AND w.selesai), '0', '1') AS nilai,
           IF(EXISTS (SELECT 1 FROM nasn_maintenance m WHERE SYSDATE() BETWEEN m.mulai AND m.selesai), '1', '0') AS restricted;;

CREATE OR REPLACE PROCEDURE nasn_cek_waktu_input()
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'cek jadwal input', 'baca', v_aktor, v_level);
    CALL util_input_answer();
END;;

CREATE OR REPLACE PROCEDURE nasn_waktu_input_cek()
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'cek jadwal input', 'baca', v_aktor, v_level);
    CALL util_input_answer();
END;;

-- 'F' for a locked submission, 'D' otherwise; no row for an unknown one.
CREATE OR REPLACE PROCEDURE nasn_cek_status_pengajuan(IN var_id VARCHAR(255))
    SQL SECURITY DEFINER MODIFIES SQL DATA
BEGIN
    DECLARE v_aktor VARCHAR(18);
    DECLARE v_level VARCHAR(32);
    CALL util_enter(NULL, 'cek status pengajuan', 'baca', v_aktor, v_level);
    SELECT p.status FROM nasn_pengajuan p WHERE p.id = util_id(var_id);
END;;

DELIMITER ;
