#include "number_formats.h"

#include "sheet_builder.h"

#include <algorithm>

namespace sheets {

NumberFormat builtInFormat(uint32_t id)
{
    static const std::pair<uint32_t, const char *> codes[] = {
        {0, "General"},
        {1, "0"},
        {2, "0.00"},
        {3, "#,##0"},
        {4, "#,##0.00"},
        {5, "#,##0_);(#,##0)"},
        {6, "#,##0_);[Red](#,##0)"},
        {7, "#,##0.00_);(#,##0.00)"},
        {8, "#,##0.00_);[Red](#,##0.00)"},
        {9, "0%"},
        {10, "0.00%"},
        {11, "0.00E+00"},
        {12, "# ?/?"},
        {13, "# ?\?/?\?"}, // written so no trigraph reads it
        {14, "mm-dd-yy"},
        {15, "d-mmm-yy"},
        {16, "d-mmm"},
        {17, "mmm-yy"},
        {18, "h:mm AM/PM"},
        {19, "h:mm:ss AM/PM"},
        {20, "h:mm"},
        {21, "h:mm:ss"},
        {22, "m/d/yy h:mm"},
        {37, "#,##0 ;(#,##0)"},
        {38, "#,##0 ;[Red](#,##0)"},
        {39, "#,##0.00;(#,##0.00)"},
        {40, "#,##0.00;[Red](#,##0.00)"},
        {41, "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
        {42, "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
        {43, "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
        {44, "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)"},
        {45, "mm:ss"},
        {46, "[h]:mm:ss"},
        {47, "mmss.0"},
        {48, "##0.0E+0"},
        {49, "@"},
    };
    if ((id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return {id, QString()};
    for (const auto &[number, code] : codes)
        if (number == id)
            return {id, QString::fromLatin1(code)};
    return {};
}

uint16_t FormatTable::formatOfStyle(uint32_t style, SheetBuilder &sheet)
{
    if (style >= styleFormats_.size())
        return 0;
    if (styleIndex_[style] >= 0)
        return uint16_t(styleIndex_[style]);
    uint32_t id = styleFormats_[style];
    auto known =
        std::find_if(indexOf_.begin(), indexOf_.end(), [id](const auto &entry) { return entry.first == id; });
    uint16_t index = 0;
    if (known != indexOf_.end()) {
        index = known->second;
    } else if (id != 0) {
        // A file may define a number below 164 again; its own definition wins.
        auto own = std::find_if(custom_.rbegin(), custom_.rend(),
                                [id](const NumberFormat &f) { return f.id == id; });
        index = sheet.addFormat(own != custom_.rend() ? *own : builtInFormat(id));
        indexOf_.push_back({id, index});
    }
    styleIndex_[style] = index;
    return index;
}

} // namespace sheets
