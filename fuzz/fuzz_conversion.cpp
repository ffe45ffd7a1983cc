#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "conversion_oracle.h"

namespace {
// A real, empty source file for the run's existence checks; the bytes
// themselves come from memory.
std::string sourcePath;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string folder = "/tmp/dxfconv-fuzz-XXXXXX";
    if (::mkdtemp(folder.data()) == nullptr) std::abort();
    sourcePath = folder + "/source.dxf";
    std::FILE* file = std::fopen(sourcePath.c_str(), "w");
    if (file == nullptr) std::abort();
    std::fclose(file);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The read size follows the input's size, so that the fuzzer meets
    // every way a line can straddle two reads; one input in 101 is read whole.
    const std::size_t readChunk = size % 101;
    const std::string fault = CheckConversion(
        std::string_view(reinterpret_cast<const char*>(data), size), sourcePath, readChunk);
    if (!fault.empty()) {
        std::fprintf(stderr, "conversion fault: %s\n", fault.c_str());
        std::abort();
    }
    return 0;
}
