// The built-in number formats both file formats refer to by number alone.
#pragma once

#include "sheets.h"

namespace sheets {

// The built-in format of this number; General for a number that names none.
NumberFormat builtInFormat(uint32_t id);

// Gives each distinct format one index of the builder's, and each style
// (xf) of the file the index of its format.
class FormatTable {
public:
    void define(uint32_t id, QString code) { custom_.push_back({id, std::move(code)}); }
    void addStyle(uint32_t formatId)
    {
        styleFormats_.push_back(formatId);
        styleIndex_.push_back(-1);
    }
    // The builder's index of the style's format; General for an unknown style.
    uint16_t formatOfStyle(uint32_t style, class SheetBuilder &sheet);

private:
    std::vector<NumberFormat> custom_;
    std::vector<uint32_t> styleFormats_;
    std::vector<int32_t> styleIndex_;                    // the builder's index once asked for, else -1
    std::vector<std::pair<uint32_t, uint16_t>> indexOf_; // format id to builder index
};

} // namespace sheets
