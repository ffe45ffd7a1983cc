#pragma once

#include <optional>
#include <string>
#include <vector>

// A run made by an ordinary user, so that file permissions hold even where
// the tests run as root: in a child process that drops to the user nobody
// (65534) first. Gives the calls the sink saw, or nothing when the child
// could not drop its privileges.
//
// With threads refused, the child may not start a thread (its user's process
// limit is 0), as on a system out of threads; it gives nothing when that
// limit does not hold.
enum class Threads { Allowed, Refused };
std::optional<std::vector<std::string>> RunAsUnprivilegedUser(const std::string& sourcePath,
                                                              const std::string& outputName,
                                                              Threads threads = Threads::Allowed);

// Why RunAsUnprivilegedUser gave nothing, for the skip message.
inline constexpr const char* kCannotDropPrivileges =
    "running as root, and the child cannot switch to uid 65534, or cannot be kept from threads";
