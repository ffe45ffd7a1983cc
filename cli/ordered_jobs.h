#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Runs jobs 0 to count-1 on up to `threads` threads. Each job leaves its
// text in the string it is given and tells whether it succeeded. The texts
// are written in job order, each as soon as every earlier one is written, so
// the output reads as if the jobs had run one after another. Where the system
// gives fewer threads, the jobs run on those it gives, or on the calling
// thread when it gives none. True when every job succeeded.
bool RunOrderedJobs(std::size_t count, unsigned threads,
                    const std::function<bool(std::size_t job, std::string& text)>& run,
                    const std::function<void(const std::string& text)>& write);
