#pragma once
#include "control/View.h"
#include "neighbour.h"
