#pragma once

namespace platform {
class FolderItem;

// Opens a document with the application the desktop associates with it, without waiting.
bool launchDocument(const FolderItem& document);
} // namespace platform
