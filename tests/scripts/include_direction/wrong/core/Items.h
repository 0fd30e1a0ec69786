#pragma once
#include "render/Layout.h"
