#pragma once

#include <string>
#include <vector>

struct CommandResult {
    int exitStatus = -1;  // -1 when the command did not exit normally
    std::string standardOutput;
    std::string standardError;
};

// Runs a program with the arguments, exactly as given, and no input.
CommandResult RunCommand(const std::string& program, const std::vector<std::string>& arguments);
