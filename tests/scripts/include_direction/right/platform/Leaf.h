#pragma once
// A leaf: includes nothing of the project.
#include <cstdint>
