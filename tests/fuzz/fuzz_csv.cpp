// A file opened with `glv view`: any bytes as delimited text, the separator guessed from a file
// name and the first line as LoadTableFile guesses it, loaded into a list in one of the locales.
// The first byte picks the name (b % 3: .csv, .tsv, .txt) and the locale (b / 3 % 3).
//
// Whatever the bytes, the load either reports why the file cannot be shown or shows all of it:
// a column per header field, an item per further record, the summary's count agreeing, every
// text valid UTF-8; each column then sorts by the keys the loader gave it, and the list paints.
#include <span>

#include "apps/viewer/Delimited.h"
#include "apps/viewer/TableLoader.h"
#include "platform/Locale.h"
#include "sort/SortTypes.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace glv;

namespace {

bool ValidUtf8(const std::string& text) {
    std::string copy = text;
    return !viewer::RepairUtf8(copy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const char* const kNames[] = {"data.csv", "data.tsv", "data.txt"};
    static const char* const kLocales[] = {"en-US", "en-GB", "de-DE"};
    static fuzz::Host host(320, 200);
    GlideListView& list = *host.control;
    fuzz::Reader in(data, size);
    const uint8_t pick = in.Byte();
    host.platform.system.locale = Locale::Find(kLocales[pick / 3 % 3]);
    const std::string_view text = in.Rest();
    const char separator = viewer::GuessSeparator(kNames[pick % 3], text);

    // The reader's own count of records and header fields, to hold the load against.
    int64_t records = 0;
    std::size_t headerFields = 0;
    const viewer::ReadResult read = viewer::ReadDelimited(text, separator, [&](std::span<const std::string> fields) {
        if (records++ == 0) headerFields = fields.size();
    });
    const viewer::TableSummary summary = viewer::LoadTable(list, text, separator);

    if (summary.rows != list.ItemCount()) fuzz::Broken("the summary's row count is not the list's");
    if (read.error.empty() && records > 0) {
        if (list.ItemCount() != records - 1) fuzz::Broken("a record was lost or made twice");
        if (static_cast<std::size_t>(list.ColumnCount()) != headerFields) fuzz::Broken("a column per header field");
    } else if (summary.error.empty()) {
        fuzz::Broken("a file without records loaded without a message");
    }
    if (summary.kinds.size() != static_cast<std::size_t>(list.ColumnCount())) fuzz::Broken("a kind per column");
    for (int32_t c = 1; c <= list.ColumnCount(); ++c)
        if (!ValidUtf8(list.ColumnRecord(c).cHCaption)) fuzz::Broken("a caption is not valid UTF-8");
    for (int32_t i = 1; i <= list.ItemCount(); ++i) {
        const tListItemInfo& item = list.ItemRecord(i);
        if (!ValidUtf8(item.cLIText)) fuzz::Broken("an item's text is not valid UTF-8");
        for (const tSubListItemInfo& sub : item.cLISubListItemInfo)
            if (!ValidUtf8(sub.cSIText)) fuzz::Broken("a cell's text is not valid UTF-8");
    }

    // A sort by each column, the first twice (ascending, then descending).
    const int32_t count = list.ItemCount();
    for (int32_t c = 1; c <= std::min(list.ColumnCount(), 6); ++c) list.SortColumn(c, LVSortOrderAscending);
    if (list.ColumnCount() > 0) list.SortColumn(1, LVSortOrderDescending);
    if (list.ItemCount() != count) fuzz::Broken("a sort changed the item count");
    list.Refresh();
    return 0;
}
