// The boxes a failed load or save shows, from the error value the files layer returns.
#pragma once

class QWidget;

namespace kelvane {

struct FileError;

// A load: "Invalid file size" for a size the format cannot take, as the program always said;
// for anything else (missing, permission, not a regular file, I/O) the same box names the file
// and gives the system's reason.
void ShowFileError(QWidget* parent, const FileError& error);

// A save: the file that could not be written and why.
void ShowSaveError(QWidget* parent, const FileError& error);

}  // namespace kelvane
