#pragma once

// The fake search engine lives beside the demo program that serves it to people.
#include "demo-engine/fakeengine.h"
