// What Tfmain hands to every page.
#pragma once

#include "data/operator_context.h"
#include "data/server_step.h"
#include "data/tdm.h"
#include "ui/file_chooser.h"
#include "ui/messages.h"
#include "ui/shell.h"

#include <QDateTime>
#include <functional>

struct Services {
    Tdm &dm;
    ConnectionHost &host;
    Messages &messages;
    FileChooser &files;
    OperatorContext &context;
    Shell &shell;
    std::function<QDateTime()> now;
};
