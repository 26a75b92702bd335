#pragma once

#include <QString>

// The four texts in which the South and North installers differ; everything else is shared.
struct EditionTexts {
    const char* title;          // UTF-8
    const char* header;         // UTF-8
    const char* notesParagraph; // UTF-8, the last paragraph of the important notes
    const char* manualHint;     // UTF-8
};

// One definition of each lives in its own source, linked only into its own installer.
extern const EditionTexts editionSued;
extern const EditionTexts editionNord;

// The edition this process shows; set once during start-up, before the main window exists.
void setEdition(const EditionTexts& texts);
const EditionTexts& edition();
