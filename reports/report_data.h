// The report object and what its templates read: the datasets, and the eight
// variables answered by frGetValue.
#pragma once

#include "data/operator_context.h"
#include "data/tdm.h"
#include "report_engine/report.h"
#include "reports/report_datasets.h"

// The officials of one processing run.
struct Officials {
    QString pa_nama, pa_nip, pa_pangkat;
    QString bp_nama, bp_nip, bp_pangkat;
};

// One processing run as its documents print it.
struct ProcessedRun {
    QueryResult rows;
    Officials officials;
    QString periodLabel;
};

class ReportData {
public:
    ReportData(Tdm &dm, const OperatorContext &context);
    ReportData(const ReportData &) = delete;
    ReportData &operator=(const ReportData &) = delete;

    // Written by each processing as it goes.
    Officials officials;

    // What the print buttons show: the rows of the last successful processing with
    // that run's officials and label.
    void keepRun(const QueryResult &rows, const QString &periodLabel);
    const ProcessedRun &keptRun() const { return kept_; }
    // Prepares the loaded template over `run` and shows the preview.
    void showRun(const ProcessedRun &run, report_engine::PreviewHost &host);
    void frGetValue(const QString &name, QVariant &value) const;

    report_engine::Report fr;

private:
    const OperatorContext &context_;
    ProcessedRowsDataset frxReport_;
    QueryDataset frxPjb_;
    ProcessedRun kept_;
    const ProcessedRun *printing_ = &kept_;
};
