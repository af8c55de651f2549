// Reads a comma-separated UTF-8 file whose first line names the fields.
#pragma once

#include "report_engine/dataset.h"

#include <memory>

std::unique_ptr<report_engine::TableDataset> readCsvTable(const QString &name, const QString &path,
                                                          QString &error);
