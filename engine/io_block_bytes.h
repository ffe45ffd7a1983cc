#pragma once

#include <cstddef>

// The size of the blocks the source is read in and the output written in.
// The fuzzing build takes small ones: its inputs are a few KiB, and blocks
// of half a megabyte would be mapped and unmapped for every one of them.
#ifndef DXFCONV_IO_BLOCK_BYTES
#define DXFCONV_IO_BLOCK_BYTES (512 * 1024)
#endif

inline constexpr std::size_t kIoBlockBytes = DXFCONV_IO_BLOCK_BYTES;
