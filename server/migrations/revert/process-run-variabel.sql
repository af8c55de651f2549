-- Earlier runs keep only what their rows carry.
DROP TABLE nasn_process_run_variabel;
