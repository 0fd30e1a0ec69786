#pragma once
// Picture checks for tests: whole-image goldens and tiny pixel maps.
#include <map>
#include <string>

#include "platform/Color.h"
#include "platform/Surface.h"

namespace glv::test {

// Compares the surface exactly with tests/golden/<name>.png. On a mismatch writes
// <name>.actual.png and <name>.diff.png (differing pixels red over a faded copy of the
// golden) under the build's test output folder and fails, naming how many pixels differ and
// the first of them. With GLV_UPDATE_GOLDENS=1 in the environment it writes the golden.
void ExpectMatchesGolden(const Surface& surface, const std::string& name);

// The surface as text, one character per pixel and a newline after each row (plus one before
// the first, so a raw string literal lines up): '.' for black, '#' for white, legend entries
// for other colours and '?' for anything else.
// "RRGGBB" for a colour, "none" for CLR_INVALID: short enough for compact state strings.
std::string HexColor(COLORREF c);

std::string PixelMap(const Surface& surface, const std::map<COLORREF, char>& legend = {});

}  // namespace glv::test
