#pragma once

#include "../platform/folder_item.h"
#include "copy_report.h"

#include <optional>

// The installation: the install action, the install sequence and the recursive copy.
namespace Modul1 {

// The folder the user chose as X-Plane's folder; empty until chosen, and after a cancel.
extern std::optional<platform::FolderItem> zielordner;

// The install button's action: ask for X-Plane's folder, test it, then run Kopieren.
void InstallAction();

// Everything from the test of the source to the end of the program.
void Kopieren();

// Copies source (a file, or a folder with everything below it) into the folder destination,
// merging into what is there, leaving out files whose names begin with "." and naming every
// copied file in the progress window.
CopyReport CopyFileOrFolder(const platform::FolderItem& source,
                            const platform::FolderItem& destination);

} // namespace Modul1
