// Deleting, writing and reporting the return file on Windows.
#pragma once

#include <string>
#include <string_view>

#include "frontend/error.h"

namespace tovrik {

// Deletes the file at path if a file (not a directory) is there; failures are ignored.
void deleteReturnFile(std::string_view path);

// Writes the whole file beside its target and moves it into place in one step, so a reader never
// sees a torn file and the last complete writer wins. Where no file can be made beside the target, the
// target is written directly (created anew or truncated). Raises FileCreateError.
void writeReturnFile(const std::string& path, std::string_view bytes);

// The task-modal "Erreur d'application" box for an error that escaped the command.
void showApplicationError(const CommandError& error);

}  // namespace tovrik
