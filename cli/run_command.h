#pragma once

#include <string>
#include <vector>

// The whole command, given its arguments as UTF-8 (the program's name left
// out); returns the exit status.
int RunCommand(const std::vector<std::string>& arguments);
