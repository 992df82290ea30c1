#pragma once

#include <string>

#include "CacheStatistics.h"

// Text of the "Properties" box for the frame's published record: a hint while no walk has
// counted an entry, else the figures and the space the cache uses.
std::string PropertiesBoxText(const CacheStatistics& statistics);
