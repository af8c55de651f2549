#include "tests/support/preview_driver.h"

#include <QApplication>
#include <QTimer>

void whenPreviewShows(std::function<void(report_engine::PreviewWindow &)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto *preview = qobject_cast<report_engine::PreviewWindow *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        if (act)
            act(*preview);
        preview->reject();
    });
}
