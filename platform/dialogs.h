#pragma once

#include "folder_item.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

namespace platform {

// A modal message box with one text and an OK button; returns once the user has dismissed it.
void MsgBox(const QString& text);

// The modal folder chooser, without prompt or start folder; nothing when the user cancels.
std::optional<FolderItem> SelectFolder();

namespace testing {

// While one of these lives, message boxes, the folder chooser and document launches do not
// reach the desktop: messages and launches are recorded and the chooser takes its answers from
// the queue (an empty queue answers as a cancel).
class DialogSeam {
  public:
    DialogSeam();
    ~DialogSeam();
    DialogSeam(const DialogSeam&) = delete;
    DialogSeam& operator=(const DialogSeam&) = delete;

    void answerFolder(std::optional<QString> path) { folderAnswers.push_back(std::move(path)); }

    QStringList messages;
    QStringList launched;
    std::deque<std::optional<QString>> folderAnswers;
    int folderRequests = 0;
};

DialogSeam* activeSeam();

} // namespace testing
} // namespace platform
