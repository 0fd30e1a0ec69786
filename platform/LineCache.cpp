#include "platform/LineCache.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace glv {

namespace {

// What an entry costs beyond its coverage: the key's text, the entry and its slots.
size_t EntryBytes(std::string_view text, size_t coverageBytes) { return coverageBytes + text.size() + 160; }

uint64_t Mix(uint64_t h) {
    h ^= h >> 32;
    h *= 0xd6e8feb86659fd93ULL;
    h ^= h >> 32;
    return h;
}

}  // namespace

// Eight bytes at a time: texts in a list are short, and this runs for every line drawn.
uint64_t LineCache::Hash(const Face& face, bool prefix, std::string_view text) {
    constexpr uint64_t kMul = 0x9e3779b97f4a7c15ULL;
    uint64_t h = reinterpret_cast<uintptr_t>(&face) * kMul ^ (text.size() << 1 | (prefix ? 1 : 0));
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t chunk;
        std::memcpy(&chunk, text.data() + i, sizeof chunk);
        h = (h ^ chunk) * kMul;
        h ^= h >> 29;
    }
    if (i < text.size()) {
        uint64_t chunk = 0;
        std::memcpy(&chunk, text.data() + i, text.size() - i);
        h = (h ^ chunk) * kMul;
    }
    return Mix(h);
}

const LineCache::Line* LineCache::Find(const Face& face, bool prefix, std::string_view text) const {
    if (entries_.empty()) return nullptr;
    const Slot slot = slots_[SlotOf(Hash(face, prefix, text), face, prefix, text)];
    return slot.entry == 0 ? nullptr : &entries_[slot.entry - 1].line;
}

size_t LineCache::SlotOf(uint64_t h, const Face& face, bool prefix, std::string_view text) const {
    const auto check = static_cast<uint32_t>(h >> 32);
    const size_t mask = slots_.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot.entry == 0) return i;
        if (slot.check != check) continue;
        const Entry& e = entries_[slot.entry - 1];
        if (e.face == &face && e.prefix == prefix && e.text == text) return i;
    }
}

// One hash for both the look-up and the insertion: this runs for every line drawn the first
// time, which is every line of a page scrolled into view.
const LineCache::Line* LineCache::Keep(const Face& face, bool prefix, std::string_view text, Line line) {
    const size_t cost = EntryBytes(text, line.coverage.capacity());
    if (cost > budget_) return nullptr;
    const uint64_t h = Hash(face, prefix, text);
    if (slots_.empty()) Grow();
    size_t at = SlotOf(h, face, prefix, text);
    if (const uint32_t kept = slots_[at].entry; kept != 0) {
        Entry& e = entries_[kept - 1];
        if (bytes_ - e.cost + cost <= budget_) {
            bytes_ = bytes_ - e.cost + cost;
            e.cost = cost;
            e.line = std::move(line);
            return &e.line;
        }
        Clear();
        at = SlotOf(h, face, prefix, text);
    } else if (bytes_ + cost > budget_) {
        Clear();
        at = SlotOf(h, face, prefix, text);
    }
    if ((entries_.size() + 1) * 2 > slots_.size()) {
        Grow();
        at = SlotOf(h, face, prefix, text);
    }
    entries_.push_back({&face, prefix, std::string(text), std::move(line), cost});
    bytes_ += cost;
    slots_[at] = {static_cast<uint32_t>(h >> 32), static_cast<uint32_t>(entries_.size())};
    return &entries_.back().line;
}

void LineCache::Grow() {
    slots_.assign(std::max<size_t>(64, slots_.size() * 2), Slot{});
    const size_t mask = slots_.size() - 1;
    for (size_t k = 0; k < entries_.size(); ++k) {
        const Entry& e = entries_[k];
        const uint64_t h = Hash(*e.face, e.prefix, e.text);
        size_t i = h & mask;
        while (slots_[i].entry != 0) i = (i + 1) & mask;
        slots_[i] = {static_cast<uint32_t>(h >> 32), static_cast<uint32_t>(k + 1)};
    }
}

void LineCache::Clear() {
    entries_.clear();
    std::fill(slots_.begin(), slots_.end(), Slot{});
    bytes_ = 0;
}

void LineCache::SetBudget(size_t bytes) {
    budget_ = bytes;
    if (bytes_ > budget_) Clear();
}

}  // namespace glv
