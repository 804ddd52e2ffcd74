// The download server's base location: the one place that says where the
// preset indexes, presets, factory pad levels and firmware are fetched from.
#pragma once

#include <QString>

// The base location, always ending in "/" (its path ends in "tvsuite/").
// The environment variable TAVRO_SERVER_BASE, when set and not empty, replaces
// the default chosen at build time (CMake cache variable
// TAVRO_SERVER_BASE_DEFAULT); tests point it at their local server.
QString serverBaseUrl();
