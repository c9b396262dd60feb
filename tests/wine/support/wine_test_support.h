// Until every test includes scenario.h directly.
#pragma once
#include "scenario.h"
