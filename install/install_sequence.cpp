#include "modul1.h"

namespace Modul1 {

std::optional<platform::FolderItem> zielordner;

void InstallAction() {}

void Kopieren() {}

} // namespace Modul1
