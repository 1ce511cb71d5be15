// Internal: the legend entries of the current diagram.
#pragma once

namespace diagr::legend {

// Forgets the entries: a new diagram was set up.
void clear();

}  // namespace diagr::legend
