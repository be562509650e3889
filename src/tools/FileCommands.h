#pragma once

#include <ostream>
#include <string>
#include <vector>

// The pcltool commands that read protocol files: dump, check, format and listing.

// dump FILE: prints the protocol as read as JSON; 0 when it was read, 1 when not.
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// check FILE...: one line "FILE: message" per message on `err`; 0 when no file
// gave a message, 1 when there were warnings only, 2 when a file could not be read.
int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// format FILE [-o OUT]: reads FILE and writes it back through the writer, to OUT
// or in place; 0 when written, 1 when reading or writing failed.
int RunFormat(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// listing FILE [--pdf OUT]: prints the lines of the listing the editor prints, UTF-8,
// one per line; with --pdf, renders the paginated listing into the PDF file OUT
// instead. 0 when listed, 1 when reading or rendering failed.
int RunListing(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
