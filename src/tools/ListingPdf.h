#pragma once

#include <ostream>
#include <string>

// The name of the program that renders a listing into a PDF file. It draws the pages
// with the editor's own printing code, on Qt's offscreen platform; pcltool starts it
// only for `listing --pdf`, so that its other commands never load Qt.
inline constexpr const char* kListingPdfProgram = "tessel-listing-pdf";

// Renders the listing of the protocol `file` into the PDF file `pdf` through the
// rendering program, whose messages go to standard error; returns its exit code, or
// 1 after a line on `err` when it cannot be started.
int RunListingPdf(const std::string& file, const std::string& pdf, std::ostream& err);
