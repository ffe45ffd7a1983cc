#pragma once

#include <string_view>

enum class StandardStream { Output, Error };

// Writes UTF-8 text to standard output or error at once, allocating
// nothing. A Windows console takes it as UTF-16, so that it reads right
// whatever the console's code page; anywhere else (a file, a pipe, a
// terminal on Linux) the bytes go as they are.
void WriteStandardText(StandardStream stream, std::string_view text);

// Whether standard error is a terminal (a console on Windows), where the
// progress line shows.
bool StandardErrorIsTerminal();

// Whether that terminal takes the escape sequences that redraw a line: a
// Linux terminal does; a Windows console only on some versions, and only
// when asked (Wine's not at all), so there lines are blanked out by hand.
bool TerminalTakesEscapes();
