#pragma once

#include <string>
#include <vector>

// No shell on Windows expands wildcards, so the command does it as a shell
// does on Linux: an argument with * or ? in its last part becomes the names
// in its folder that the pattern matches, sorted; one that matches nothing
// stays as it is. Only the long names count, not the short 8.3 names, by
// which *.dxf would also match plan.dxf1 and plan.dxf~.
std::vector<std::string> ExpandWildcards(const std::vector<std::string>& arguments);
