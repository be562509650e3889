#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

// "-" in place of a file name, as command-line programs take it: standard input
// where a file is read, standard output where one is written.
inline constexpr const char* kStandardStream = "-";

// Standard input as a file that can be read: read whole at the first call and kept,
// so that every opening in this process sees the same text from its start. nullptr,
// with the reason in errno, when it cannot be read.
std::unique_ptr<PlatformFile> OpenStandardInput();

// How a message names the file `path`: standard input as "<stdin>".
std::string ShownFileName(const std::string& path);
