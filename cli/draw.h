// The drawing step of the diagr command: the planned diagrams drawn by the library's calls.
#pragma once

#include "options.h"
#include "plan.h"

namespace cli {

// Opens the output OPTIONS name, draws every diagram of PLAN on a page of its own and closes it.
void draw_plan(const Options& options, const Plan& plan);

}  // namespace cli
