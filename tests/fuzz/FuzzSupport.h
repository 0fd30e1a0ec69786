#pragma once
// What the fuzz targets share: a control on its own platform, kept from one input to the next
// (creating one per input would spend most of the run on set-up), and a reader that takes typed
// values off the front of the input.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "control/GlideListView.h"
#include "platform/Container.h"
#include "platform/Platform.h"

namespace glv::fuzz {

struct Host {
    Platform platform;
    Container container;
    std::unique_ptr<GlideListView> control;

    Host(int32_t width, int32_t height) {
        container.UserMode = true;
        control = std::make_unique<GlideListView>(platform, container, width, height);
        control->InitProperties();
    }
};

// Takes bytes off the front of the input; past the end every read gives zero or empty.
class Reader {
public:
    Reader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Done() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    template <class T>
    T Raw() {
        T value{};
        uint8_t bytes[sizeof(T)] = {};
        for (uint8_t& b : bytes) b = Byte();
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }
    // A string of up to `max` bytes, its length taken from the input.
    std::string Text(std::size_t max) {
        const std::size_t length = std::min<std::size_t>(Byte() % (max + 1), size_ - std::min(pos_, size_));
        std::string text(reinterpret_cast<const char*>(data_ + pos_), length);
        pos_ += length;
        return text;
    }
    std::string_view Rest() {
        const std::size_t at = std::min(pos_, size_);
        pos_ = size_;
        return {reinterpret_cast<const char*>(data_ + at), size_ - at};
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A broken property of the input: report it the way a sanitizer reports a fault, so libFuzzer
// keeps the input as a crash.
[[noreturn]] inline void Broken(const std::string& what) {
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::abort();
}

}  // namespace glv::fuzz
