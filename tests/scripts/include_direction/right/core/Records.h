#pragma once
#include "core/Same.h"
#include "platform/Leaf.h"
