#include "platform/Version.h"

namespace glv {

const char* LibraryVersion() { return GLV_VERSION; }

}  // namespace glv
