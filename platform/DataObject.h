#pragma once
// The data object of OLE drag and drop: the payload a drag carries, one value per clipboard
// format. The drag events hand it to the host, which may read or replace what it holds.
//
// Only the payload lives here; the drag session (allowed and chosen effects, routing of the
// start, over, drop, feedback and complete notifications between windows) is kept apart so that
// this object stays a plain value a test can build in one line.

#include <cstdint>
#include <map>
#include <string_view>

#include "platform/Variant.h"

namespace glv {

class DataObject {
public:
    // The plain-text format, the one format the control itself reads and writes.
    static constexpr int16_t kTextFormat = 1;

    DataObject() = default;
    // A data object holding plain text, as a drag from another control delivers it.
    static DataObject FromText(std::string_view text);

    void Clear() noexcept { formats_.clear(); }
    // Whether the object holds data in this format.
    bool GetFormat(int16_t format) const { return formats_.contains(format); }
    // The data held in this format; Empty when there is none.
    Variant GetData(int16_t format) const;
    // Stores (or replaces) the data of one format.
    void SetData(Variant value, int16_t format) { formats_[format] = std::move(value); }

private:
    std::map<int16_t, Variant> formats_;
};

}  // namespace glv
