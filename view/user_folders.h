#pragma once

#include <QString>

// Where the window offers to save or open its files: in the folder the user
// last chose for that kind of file, else in the user's own folder for it
// (Pictures, Videos, Documents, as the system names them), never where the
// program happens to run, which on Windows is Program Files.
namespace user_folders {

enum class Kind { kPictures, kFilms, kBoards, kExperiments };

// The folder a dialog for that kind of file starts in.
[[nodiscard]] QString offered(Kind kind);

// The folder of a file just saved or opened, offered for its kind from now
// on, in this run and the next ones.
void remember(Kind kind, const QString& fileName);

// The choice behind offered(): the remembered folder while it is still a
// folder, else the system's folder for the kind where there is one, else
// the home folder.
[[nodiscard]] QString choose(const QString& remembered, const QString& usersOwn, const QString& home);

// A name typed into a dialog, taken in the folder the dialog offered when it
// is not a full path.
[[nodiscard]] QString inFolder(const QString& folder, const QString& name);

}  // namespace user_folders
