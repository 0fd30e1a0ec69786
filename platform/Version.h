#pragma once

namespace glv {

// The library's version, as "major.minor.patch".
const char* LibraryVersion();

}  // namespace glv
