#pragma once

#include <ostream>
#include <string>

// The name of the program that renders a listing into a PDF file. It draws the pages
// with the editor's own printing code, on Qt's offscreen platform; pcltool starts it
// only for `listing --pdf`, so that its other commands never load Qt.
inline constexpr const char* kListingPdfProgram = "tessel-listing-pdf";

// Renders the listing of the protocol `file` into the PDF file `pdf` through the
// rendering program, whose messages go to standard error; "-" is standard input for
// `file` and `out` for `pdf`. Returns the renderer's exit code, or 1 after a line on
// `err` when the file cannot be read or the renderer cannot be started.
int RunListingPdf(const std::string& file, const std::string& pdf, std::ostream& out,
                  std::ostream& err);
