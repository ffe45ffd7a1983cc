#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The read size and the mode follow the input's size, so that the fuzzer
    // meets every way a line can straddle two reads in both modes; one input
    // in 101 is read whole.
    const std::size_t readChunk = size % 101;
    const bool modern = (size / 101) % 2 == 1;
    const std::string fault = CheckConversion(
        std::string_view(reinterpret_cast<const char*>(data), size), readChunk, modern);
    if (!fault.empty()) {
        std::fprintf(stderr, "conversion fault: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
