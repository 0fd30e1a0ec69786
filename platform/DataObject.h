#pragma once
// The data object of OLE drag and drop: the payload a drag carries, one value per clipboard
// format. The drag events hand it to the host, which may read or replace what it holds.
//
// Only the payload lives here; the drag session (allowed and chosen effects, routing of the
// start, over, drop, feedback and complete notifications between windows) is kept apart so that
// this object stays a plain value a test can build in one line.

#include <cstdint>
#include <functional>
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
    // The same for a reader that may fill a promised format: when the format holds an Empty
    // value (a source announced it without data) the supplier runs first and may store it.
    Variant GetData(int16_t format);
    // Stores (or replaces) the data of one format.
    void SetData(Variant value, int16_t format) { formats_[format] = std::move(value); }

    // Who fills promised formats: the drag session, which passes the request on to the source.
    using Supplier = std::function<void(DataObject& data, int16_t format)>;
    void SetSupplier(Supplier supplier) { supplier_ = std::move(supplier); }

private:
    std::map<int16_t, Variant> formats_;
    Supplier supplier_;
};

}  // namespace glv
