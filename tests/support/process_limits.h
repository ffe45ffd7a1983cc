#pragma once

// Limits a forked child puts on itself before it goes on.

// Switches to the user nobody (65534) when running as root, so that file
// permissions hold; true when the child now runs as an ordinary user.
bool DropToNobody();

// Sets the process limit to 0; true when the child can no longer start a
// thread (which holds for an ordinary user only).
bool RefuseThreads();
