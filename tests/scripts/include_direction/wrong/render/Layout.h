#pragma once
#include "../control/View.h"
