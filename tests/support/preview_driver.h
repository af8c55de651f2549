// The preview is modal: this acts on it once it is on show, then closes it.
#pragma once

#include "report_engine/preview/preview_window.h"

#include <functional>

void whenPreviewShows(std::function<void(report_engine::PreviewWindow &)> act = {});
