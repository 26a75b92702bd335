#include "edition.h"

#include "../platform/folder_item.h"

namespace {
const EditionTexts* current = nullptr;
}

void setEdition(const EditionTexts& texts) {
    current = &texts;
}

const EditionTexts& edition() {
    if (!current)
        throw platform::NullObjectException("no edition texts");
    return *current;
}
