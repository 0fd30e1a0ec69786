#pragma once
#include "scrollbar/Bar.h"
