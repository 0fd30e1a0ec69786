#pragma once
// An immutable, reference-counted UTF-8 string the size of one pointer.
//
// Item and sub-item records carry several strings that are usually empty (tag, string data,
// tooltip) or shared by thousands of records (the font name copied from the default font).
// A std::string costs 32 bytes each; this costs 8, an empty one allocates nothing, and copying
// shares the text. Records of a million-item list stay well under a kilobyte this way.

#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

namespace glv {

class SharedString {
public:
    SharedString() noexcept = default;
    SharedString(std::string_view text) : rep_(Make(text)) {}  // NOLINT: implicit by design
    SharedString(const std::string& text) : SharedString(std::string_view(text)) {}
    SharedString(const char* text) : SharedString(std::string_view(text ? text : "")) {}

    SharedString(const SharedString& other) noexcept : rep_(other.rep_) { Retain(); }
    SharedString(SharedString&& other) noexcept : rep_(other.rep_) { other.rep_ = nullptr; }
    SharedString& operator=(const SharedString& other) noexcept {
        if (rep_ != other.rep_) {
            Release();
            rep_ = other.rep_;
            Retain();
        }
        return *this;
    }
    SharedString& operator=(SharedString&& other) noexcept {
        if (this != &other) {
            Release();
            rep_ = other.rep_;
            other.rep_ = nullptr;
        }
        return *this;
    }
    ~SharedString() { Release(); }

    std::string_view view() const noexcept {
        return rep_ ? std::string_view(rep_->chars(), rep_->size) : std::string_view();
    }
    operator std::string_view() const noexcept { return view(); }  // NOLINT
    std::string str() const { return std::string(view()); }
    bool empty() const noexcept { return rep_ == nullptr; }
    std::size_t size() const noexcept { return rep_ ? rep_->size : 0; }

    friend bool operator==(const SharedString& a, const SharedString& b) noexcept {
        return a.rep_ == b.rep_ || a.view() == b.view();
    }
    friend bool operator==(const SharedString& a, std::string_view b) noexcept { return a.view() == b; }

private:
    struct Rep {
        std::atomic<uint32_t> refs;
        uint32_t size;
        char* chars() noexcept { return reinterpret_cast<char*>(this + 1); }
    };

    static Rep* Make(std::string_view text) {
        if (text.empty()) return nullptr;
        void* block = ::operator new(sizeof(Rep) + text.size() + 1);
        Rep* rep = new (block) Rep{{1}, static_cast<uint32_t>(text.size())};
        std::memcpy(rep->chars(), text.data(), text.size());
        rep->chars()[text.size()] = '\0';
        return rep;
    }
    void Retain() noexcept {
        if (rep_) rep_->refs.fetch_add(1, std::memory_order_relaxed);
    }
    void Release() noexcept {
        if (rep_ && rep_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            rep_->~Rep();
            ::operator delete(rep_);
        }
        rep_ = nullptr;
    }

    Rep* rep_ = nullptr;
};

}  // namespace glv
