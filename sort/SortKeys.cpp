#include "sort/SortKeys.h"

#include <array>
#include <cmath>

namespace glv {

SortKeyKind KeyKindOf(int32_t sortType) {
    switch (sortType) {
        case LVSortDouble: return SortKeyKind::Double;
        case LVSortNumeric:
        case LVSortIcon:
        case LVSortIndent: return SortKeyKind::Long;
        case LVSortString:
        case LVSortDate:
        case LVSortDateYearAccuracy:
        case LVSortDateMonthAccuracy:
        case LVSortDateDayAccuracy:
        case LVSortDateHourAccuracy:
        case LVSortDateMinuteAccuracy:
        case LVSortTag:
        case LVSortItemData: return SortKeyKind::String;
        default: return SortKeyKind::None;
    }
}

std::optional<double> DoubleSortKey(std::string_view text, bool column1, const Locale& locale) {
    if (column1) return TextToDouble(text, locale);
    const double value = LeadingNumber(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int32_t> NumericSortKey(std::string_view text, bool column1, const Locale& locale) {
    if (column1) return TextToLong(text, locale);
    return DoubleToLong(LeadingNumber(text));
}

std::optional<std::string> DateSortKey(std::string_view text, int32_t sortType,
                                       const Locale& locale) {
    if (sortType == LVSortDate) return std::string(text);
    if (sortType < LVSortDateYearAccuracy || sortType > LVSortDateMinuteAccuracy) {
        return std::nullopt;
    }
    const std::optional<double> date = TextToDate(text, locale);
    if (!date) return std::nullopt;
    const std::optional<DateParts> p = DateToParts(*date);
    if (!p) return std::nullopt;
    // Year, month, day, hour, minute: the accuracy keeps the first `kept` of them.
    const std::array<int, 5> parts = {p->year, p->month, p->day, p->hour, p->minute};
    std::array<int, 5> rebuilt = {0, 1, 1, 0, 0};
    const auto kept = static_cast<size_t>(sortType - LVSortDateYearAccuracy + 1);
    for (size_t i = 0; i < kept; ++i) rebuilt[i] = parts[i];
    const std::optional<double> cut =
        DateFromParts(rebuilt[0], rebuilt[1], rebuilt[2], rebuilt[3], rebuilt[4], 0);
    if (!cut) return std::nullopt;
    return DateToText(*cut, locale);
}

void SortKeyBuilder::Start(int32_t sortType, bool column1, const Locale& locale) {
    sortType_ = sortType;
    column1_ = column1;
    locale_ = &locale;
    kind_ = KeyKindOf(sortType);
    doubles_.clear();
    longs_.clear();
    strings_.Clear();
}

size_t SortKeyBuilder::size() const {
    switch (kind_) {
        case SortKeyKind::Double: return doubles_.size();
        case SortKeyKind::Long: return longs_.size();
        case SortKeyKind::String: return strings_.size();
        case SortKeyKind::None: break;
    }
    return 0;
}

void SortKeyBuilder::Reserve(size_t items, size_t textBytes) {
    switch (kind_) {
        case SortKeyKind::Double: doubles_.reserve(items); break;
        case SortKeyKind::Long: longs_.reserve(items); break;
        case SortKeyKind::String: strings_.Reserve(items, textBytes); break;
        case SortKeyKind::None: break;
    }
}

namespace {

template <class T>
bool Push(std::pmr::vector<T>& keys, const std::optional<T>& key) {
    if (!key) return false;
    keys.push_back(*key);
    return true;
}

}  // namespace

bool SortKeyBuilder::Add(const SortFieldValues& item) {
    switch (sortType_) {
        case LVSortString:
        case LVSortDate: return strings_.Add(item.text);
        case LVSortDouble: return Push(doubles_, DoubleSortKey(item.text, column1_, *locale_));
        case LVSortNumeric: return Push(longs_, NumericSortKey(item.text, column1_, *locale_));
        case LVSortDateYearAccuracy:
        case LVSortDateMonthAccuracy:
        case LVSortDateDayAccuracy:
        case LVSortDateHourAccuracy:
        case LVSortDateMinuteAccuracy: {
            const std::optional<std::string> key = DateSortKey(item.text, sortType_, *locale_);
            return key && strings_.Add(*key);
        }
        case LVSortIcon: return Push(longs_, std::optional<int32_t>(item.iconIndex));
        case LVSortIndent: return Push(longs_, std::optional<int32_t>(item.indent));
        case LVSortTag: return strings_.Add(item.tag);
        case LVSortItemData: return item.itemData && strings_.Add(*item.itemData);
        default: return true;
    }
}

bool SortKeyBuilder::Order(std::span<int32_t> index, bool descending, int64_t firstPosition) {
    switch (kind_) {
        case SortKeyKind::Double:
            return SortIndexes(std::span<const double>(doubles_), index, descending, firstPosition, &scratch_);
        case SortKeyKind::Long:
            return SortIndexes(std::span<const int32_t>(longs_), index, descending, firstPosition, &scratch_);
        case SortKeyKind::String: return SortIndexes(strings_, index, descending, firstPosition, &scratch_);
        case SortKeyKind::None: break;
    }
    return false;
}

}  // namespace glv
