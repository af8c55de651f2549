#include "report_engine/design.h"

#include <algorithm>

namespace report_engine {

QSizeF ReportPage::pageSize() const
{
    const double longer = std::max(paperWidth, paperHeight);
    const double shorter = std::min(paperWidth, paperHeight);
    return landscape ? QSizeF(longer, shorter) : QSizeF(shorter, longer);
}

const Band *ReportPage::band(BandKind kind) const
{
    for (const Band &b : bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

} // namespace report_engine
