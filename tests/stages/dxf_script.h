#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A DXF file as a list of lines, together with what a run should make of it:
// - a plain line is in the source and in the output;
// - a line marked "+" is written by the run only (an inserted line);
// - a line marked "!" is the line the run stops on: it is in the source, and
//   the output ends before it; the lines after it are in the source only.
using Script = std::vector<std::string>;

enum class LineEnd { Lf, CrLf };

// The marked form of lines that the run inserts.
Script Inserted(const Script& lines);
// The line the run stops on.
std::string StopAt(std::string_view line);
Script Join(std::initializer_list<Script> parts);

// The source file's bytes: the unmarked and "!" lines, each ended by LF or
// CR LF.
std::string SourceOf(const Script& script, LineEnd lineEnd = LineEnd::Lf);
// The output file's bytes: the unmarked and "+" lines up to the "!" line,
// each ended by CR LF.
std::string OutputOf(const Script& script);
// The source's lines, without the marks.
Script SourceLines(const Script& script);

// Lines joined with a line end after each.
std::string JoinLines(const Script& lines, std::string_view lineEnd);

// Usual DXF pieces, with right-aligned group codes as writers produce them.
Script Section(std::string_view name, const Script& body);
Script TablesSection(const Script& tables);
// A LAYER table; its group 70 holds the number of entries.
Script LayerTableLines(const Script& entries, int count);
// A LAYER entry; an empty linetype leaves out group 6.
Script LayerEntryLines(std::string_view name, std::string_view linetype = "");
Script Eof();
