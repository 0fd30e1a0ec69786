#pragma once
#include "render/Paint.h"
#include "core/Records.h"
