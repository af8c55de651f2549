// Runs the bands of a design over the datasets into prepared pages.
#pragma once

#include "report_engine/dataset.h"
#include "report_engine/design.h"
#include "report_engine/prepared.h"

#include <QDateTime>
#include <QHash>
#include <QVariant>

#include <functional>

namespace report_engine {

// Asked for every name the engine does not know; may leave `value` invalid.
using VariableCallback = std::function<void(const QString &name, QVariant &value)>;

struct PrepareInput {
    const Design &design;
    const QHash<QString, Dataset *> &datasets; // by user name
    const VariableCallback &variables;
    QDateTime now;
};

// Returns false with a message (a field not found names dataset and field).
bool prepareReport(const PrepareInput &input, PreparedReport &out, QString &error);

} // namespace report_engine
