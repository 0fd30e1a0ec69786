#include "resources/Bitmaps.h"

#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/BitmapTables.h"

namespace glv {

namespace {

std::string_view TrimRow(std::string_view row) {
    while (!row.empty() && (row.front() == ' ' || row.front() == '\t')) row.remove_prefix(1);
    while (!row.empty() && (row.back() == ' ' || row.back() == '\t' || row.back() == '\r'))
        row.remove_suffix(1);
    return row;
}

}  // namespace

Image BuildBitmap(const BitmapSource& source) {
    auto fail = [&](const std::string& what) {
        throw std::invalid_argument("bitmap " + std::string(source.name) + ": " + what);
    };
    uint32_t colours[256] = {};
    bool known[256] = {};
    for (const PaletteEntry& entry : source.palette) {
        const auto key = static_cast<unsigned char>(entry.key);
        colours[key] = 0xFF000000u | (entry.rgb & 0xFFFFFFu);
        known[key] = true;
    }
    Image image(source.width, source.height);
    int32_t y = 0;
    std::string_view rest = source.pixels;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view row = TrimRow(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (row.empty()) continue;
        if (y >= source.height) fail("more than " + std::to_string(source.height) + " rows");
        if (static_cast<int32_t>(row.size()) != source.width)
            fail("row " + std::to_string(y) + " has " + std::to_string(row.size()) + " pixels");
        for (int32_t x = 0; x < source.width; ++x) {
            const auto key = static_cast<unsigned char>(row[static_cast<std::size_t>(x)]);
            // Appended rather than prefixed: GCC 12 at -O3 reports a false overlap (-Wrestrict)
            // for a literal + std::string.
            if (!known[key])
                fail(std::string(1, '\'').append(1, static_cast<char>(key)).append("' is not in the palette"));
            image.At(x, y) = colours[key];
        }
        ++y;
    }
    if (y != source.height) fail("has " + std::to_string(y) + " rows");
    return image;
}

std::span<const BitmapSource> AllBitmapSources() {
    static const std::vector<BitmapSource> all = [] {
        std::vector<BitmapSource> sources;
        for (auto table : kBitmapTables)
            for (const BitmapSource& source : table()) sources.push_back(source);
        return sources;
    }();
    return all;
}

const Image* FindBitmap(std::string_view name) {
    // Built images are immutable once made; the cache only grows.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<Image>, std::less<>> cache;
    std::lock_guard lock(mutex);
    if (auto it = cache.find(name); it != cache.end()) return it->second.get();
    for (const BitmapSource& source : AllBitmapSources()) {
        if (source.name == name) {
            auto image = std::make_unique<Image>(BuildBitmap(source));
            const Image* result = image.get();
            cache.emplace(std::string(name), std::move(image));
            return result;
        }
    }
    return nullptr;
}

}  // namespace glv
