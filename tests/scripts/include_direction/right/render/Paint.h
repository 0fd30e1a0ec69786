#pragma once
#include "core/Records.h"
#include "platform/Leaf.h"
