-- Keeps each processing run's period label and officials beside its rows, so
-- any run prints again as it was. Runs made before this kept only the
-- officials' names in their rows: those are taken over, NIPs and ranks stay
-- empty, and a run without rows gets an empty label.
CREATE TABLE nasn_process_run_variabel (
    run_id BIGINT UNSIGNED PRIMARY KEY,
    periode_label VARCHAR(32) NOT NULL,
    pa_nama VARCHAR(128) NOT NULL,
    pa_nip VARCHAR(64) NOT NULL,
    pa_pangkat VARCHAR(128) NOT NULL,
    bp_nama VARCHAR(128) NOT NULL,
    bp_nip VARCHAR(64) NOT NULL,
    bp_pangkat VARCHAR(128) NOT NULL,
    FOREIGN KEY (run_id) REFERENCES nasn_process_run (id)
) ENGINE = InnoDB;

INSERT IGNORE INTO nasn_process_run_variabel
    (run_id, periode_label, pa_nama, pa_nip, pa_pangkat, bp_nama, bp_nip, bp_pangkat)
SELECT r.id, COALESCE(MIN(h.periode_label), ''), COALESCE(MIN(h.direktur), ''), '', '',
       COALESCE(MIN(h.bendahara), ''), '', ''
FROM nasn_process_run r
LEFT JOIN nasn_process_history h ON h.run_id = r.id
GROUP BY r.id;
