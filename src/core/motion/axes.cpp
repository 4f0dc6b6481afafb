#include "core/motion/axes.h"

static_assert(axes::all[axes::Grip].channel == 4, "the table is indexed by channel");
