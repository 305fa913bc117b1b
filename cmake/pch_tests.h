// What the test programs' files parse besides the libraries' system headers, precompiled once a
// build for all of them.
#pragma once

#include "cmake/pch_system.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <tuple>
