// Reads a verb list's bytes into the table exactly as a lesson reads them (through the
// lesson's own reader), and writes the table back as a verb list: right by construction
// for what was edited, byte for byte for what was not.
#pragma once

#include "editor/VerbTable.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One row per record the lesson's reader takes (with every group), in file order; the
// header's leading '#' lines become the comments, its first other line the title. Every
// byte of the file is kept somewhere (header, a row's comments or file lines, the tail),
// so that WriteVerText gives them back unchanged.
VerbTable ReadVerText(std::string_view bytes);

// The list as a lesson reads it: the header (the one read, while title and comments are
// unchanged; else the comments, the title and the two '#' lines), each row as its file
// lines or as four lines (tag, Past Tense, Infinitive, Past Participle) in the origin's
// encoding and line ends, then the tail. pRowLines, when given, receives the line (from 1)
// of each row's tag.
std::string WriteVerText(const VerbTable& table, std::vector<std::size_t>* pRowLines = nullptr);

// The bytes of one row as WriteVerText writes a changed row (for checks and tests).
std::string WriteVerRow(const VerbRow& row, const ListOrigin& origin);
