#pragma once

#include <cstddef>
#include <vector>

#include "file_ops.h"

// Which file operations fail, or deliver less than asked, in one run.
struct FaultPlan {
    bool openSourceFails = false;
    bool createOutputFails = false;
    int failingRead = 0;   // the 1-based read call that fails; 0 for none
    int failingWrite = 0;  // likewise for writes
    bool everyWriteFails = false;
    bool sourceCloseFails = false;
    bool outputCloseFails = false;
    std::size_t readChunk = 0;  // at most this many bytes per read; 0 for no limit
    std::size_t writeChunk = 0;
};

// The real file system with the faults of a plan. Every file is really
// closed, also when its close is made to fail, so that what was written
// reaches the disk and the test can count the closes.
class FaultyFiles {
public:
    explicit FaultyFiles(const FaultPlan& plan);
    FaultyFiles(const FaultyFiles&) = delete;
    FaultyFiles& operator=(const FaultyFiles&) = delete;

    const FileOps& ops() const { return ops_; }

    // Descriptors opened and not closed exactly once.
    std::vector<int> unbalancedDescriptors() const;
    int readCalls() const { return readCalls_; }

private:
    FaultPlan plan_;
    FileOps real_;
    FileOps ops_;
    int sourceFd_ = -1;
    int outputFd_ = -1;
    int readCalls_ = 0;
    int writeCalls_ = 0;
    std::vector<int> opened_;
    std::vector<int> closed_;
};
