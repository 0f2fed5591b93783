#include "FuzzTargets.h"

#include <cstdio>
#include <cstdlib>

namespace tc::fuzz {

void propertyFailed(const std::string& what) {
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace tc::fuzz
