// diagr [OPTIONS] FILE...: draws data tables as one diagram (or one page per file), running its steps
// in order: the options, reading the files, the plan, the drawing.
//
// Every file is read whole and every diagram planned before the plot is opened, so a file that
// cannot be read or drawn leaves no output behind. Statuses: 0 drawn, 1 a file could not be read
// or drawn (or the help not written), 2 a bad option.
#include <cstdio>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "draw.h"
#include "options.h"
#include "plan.h"
#include "read.h"

namespace {

constexpr int kDrawn = 0;
constexpr int kUnreadable = 1;  // a file could not be read or drawn
constexpr int kBadOption = 2;

int run(cli::Options options) {
    std::vector<cli::Curve> curves;
    if (!cli::read_files(options, curves)) {
        return kUnreadable;
    }
    cli::Plan plan;
    switch (cli::make_plan(options, curves, plan)) {
        case cli::PlanFailure::none:
            break;
        case cli::PlanFailure::data:
            return kUnreadable;
        case cli::PlanFailure::option:
            return kBadOption;
    }
    cli::draw_plan(options, plan);
    return kDrawn;
}

}  // namespace

int main(int argc, char** argv) {
    cli::Options options;
    if (const std::optional<int> status = cli::parse_options(argc, argv, options)) {
        return *status;
    }
    try {
        return run(std::move(options));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "diagr: out of memory\n");
        return kUnreadable;
    }
}
