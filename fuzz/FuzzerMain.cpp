// libFuzzer entry point; FUZZ_TARGET names the target function.
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tc::fuzz::FUZZ_TARGET(data, size);
    return 0;
}
