#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/Image.h"

namespace glv::test {
namespace {

bool UpdateRequested() {
    const char* v = std::getenv("GLV_UPDATE_GOLDENS");
    return v && std::string(v) == "1";
}

std::string Hex(uint32_t pixel) {
    std::ostringstream out;
    out << "#" << std::hex << std::uppercase;
    out.width(6);
    out.fill('0');
    out << (pixel & 0xFFFFFFu);
    return out.str();
}

Surface DiffImage(const Surface& expected, const Surface& actual) {
    Surface diff(expected.Width(), expected.Height());
    for (int32_t i = 0, n = expected.Width() * expected.Height(); i < n; ++i) {
        const uint32_t e = expected.Pixels()[i];
        diff.Pixels()[i] = e == actual.Pixels()[i] ? BlendPixel(e, 0xFFFFFF, 192) : 0xFF0000;
    }
    return diff;
}

}  // namespace

void ExpectMatchesGolden(const Surface& surface, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path golden = fs::path(GLV_TEST_DATA_DIR) / "golden" / (name + ".png");
    if (UpdateRequested()) {
        fs::create_directories(golden.parent_path());
        SavePng(surface, golden.string());
        return;
    }
    const fs::path outDir = GLV_TEST_OUT_DIR;
    fs::create_directories(outDir);
    const std::string actualPath = (outDir / (name + ".actual.png")).string();
    Surface expected;
    try {
        expected = LoadPngSurface(golden.string());
    } catch (const std::exception& e) {
        SavePng(surface, actualPath);
        ADD_FAILURE() << "golden " << name << " unreadable (" << e.what()
                      << "); run with GLV_UPDATE_GOLDENS=1 to create it; actual: " << actualPath;
        return;
    }
    if (expected.Width() != surface.Width() || expected.Height() != surface.Height()) {
        SavePng(surface, actualPath);
        ADD_FAILURE() << "golden " << name << " is " << expected.Width() << "x"
                      << expected.Height() << ", actual is " << surface.Width() << "x"
                      << surface.Height() << "; actual: " << actualPath;
        return;
    }
    int64_t differing = 0;
    int32_t first = -1;
    for (int32_t i = 0, n = surface.Width() * surface.Height(); i < n; ++i) {
        if (expected.Pixels()[i] != surface.Pixels()[i]) {
            if (first < 0) first = i;
            ++differing;
        }
    }
    if (differing == 0) return;
    const std::string diffPath = (outDir / (name + ".diff.png")).string();
    SavePng(surface, actualPath);
    SavePng(DiffImage(expected, surface), diffPath);
    const int32_t x = first % surface.Width();
    const int32_t y = first / surface.Width();
    ADD_FAILURE() << "golden " << name << ": " << differing << " pixels differ, first at (" << x
                  << "," << y << "): expected " << Hex(expected.Pixels()[first]) << ", actual "
                  << Hex(surface.Pixels()[first]) << "; actual: " << actualPath
                  << ", diff: " << diffPath;
}

std::string HexColor(COLORREF c) {
    if (c == CLR_INVALID) return "none";
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

std::string PixelMap(const Surface& surface, const std::map<COLORREF, char>& legend) {
    std::string out = "\n";
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x) {
            const COLORREF c = FromPixel(surface.Pixels()[y * surface.Width() + x]);
            if (auto it = legend.find(c); it != legend.end()) {
                out += it->second;
            } else {
                out += c == RGB(0, 0, 0) ? '.' : c == RGB(255, 255, 255) ? '#' : '?';
            }
        }
        out += '\n';
    }
    return out;
}

}  // namespace glv::test
