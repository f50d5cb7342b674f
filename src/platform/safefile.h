#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>

// Whole-file reads and crash-safe whole-file writes for the program's own files.
namespace safefile {

// The file's bytes; a missing file reads as empty. Nothing when the file
// exists but cannot be read, so a caller does not overwrite what it could not see.
std::optional<std::string> readAll(const QString &path);

// Runs once the new bytes are complete in the file beside the target, just
// before it is renamed over the target; returning false fails the write there,
// as a failed rename would. A seam for tests.
using BeforeRename = std::function<bool()>;

// Who the file is for. The program's own files lie in a temporary folder that
// others may share: owner-only, and never written through a symbolic link
// someone may have planted. A file the user picked keeps the permissions it has
// (a new one gets the system's usual ones), and a link the user picked is
// followed to the file it names.
enum class Owner { Program, User };

// Replaces the file's content with bytes: they go to a new file in the same
// folder, which is then renamed over the old one, so a crash leaves either the
// old or the new content, never a part. False when nothing was written; the old
// file is then untouched.
bool writeAll(const QString &path, const std::string &bytes, const BeforeRename &beforeRename = {},
              Owner owner = Owner::Program);

} // namespace safefile
