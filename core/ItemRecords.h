#pragma once
// Item records copied out of a list at one moment: what SelectedItems and CheckedItems hand out.
//
// Copying every record up front costs most of a kilobyte and a few microseconds per item, so a
// million selected items took seconds and close to a gigabyte, nearly all of it for copies a
// host never reads. So the list notes which items it holds and makes each copy when an element
// is read. The store it came from keeps, while the list lives, the former state of any listed
// item it changes or removes afterwards (see ItemStore). Reading element k therefore gives the
// record exactly as it was when the list was made: before or after later changes, a sort, a
// deletion, or the control itself going away.
//
// Elements are read by value (there is no stored record to refer to). Iterating with
// `for (const tListItemInfo& item : records)` or `for (tListItemInfo item : records)` works as
// over a vector; ToVector() makes every copy at once.

#include <cstddef>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/Records.h"

namespace glv {

class ItemRecords {
public:
    // Where the copies come from.
    class Source {
    public:
        virtual ~Source() = default;
        virtual std::size_t Count() const = 0;
        // The record listed at k (0-based), as it was when the list was made.
        virtual tListItemInfo Record(std::size_t k) const = 0;
    };

    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = tListItemInfo;
        using difference_type = std::ptrdiff_t;
        using reference = tListItemInfo;
        using pointer = void;

        Iterator() = default;
        tListItemInfo operator*() const { return (*records_)[k_]; }
        Iterator& operator++() {
            ++k_;
            return *this;
        }
        Iterator operator++(int) { return std::exchange(*this, Iterator(records_, k_ + 1)); }
        bool operator==(const Iterator& other) const { return k_ == other.k_; }

    private:
        friend class ItemRecords;
        Iterator(const ItemRecords* records, std::size_t k) : records_(records), k_(k) {}
        const ItemRecords* records_ = nullptr;
        std::size_t k_ = 0;
    };

    ItemRecords() = default;
    explicit ItemRecords(std::shared_ptr<const Source> source) : source_(std::move(source)) {}

    std::size_t size() const { return source_ ? source_->Count() : 0; }
    bool empty() const { return size() == 0; }
    // Unchecked, as a vector's: k must be below size().
    tListItemInfo operator[](std::size_t k) const { return source_->Record(k); }
    tListItemInfo at(std::size_t k) const {
        if (k >= size()) throw std::out_of_range("ItemRecords::at: no element " + std::to_string(k));
        return source_->Record(k);
    }
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

    std::vector<tListItemInfo> ToVector() const {
        std::vector<tListItemInfo> out;
        out.reserve(size());
        for (std::size_t k = 0; k < size(); ++k) out.push_back(source_->Record(k));
        return out;
    }

private:
    std::shared_ptr<const Source> source_;
};

}  // namespace glv
