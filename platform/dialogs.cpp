#include "dialogs.h"

#include "launcher.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace platform {

namespace {
testing::DialogSeam* seam = nullptr;
}

void MsgBox(const QString& text) {
    if (seam) {
        seam->messages << text;
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<FolderItem> SelectFolder() {
    if (seam) {
        ++seam->folderRequests;
        std::optional<QString> answer;
        if (!seam->folderAnswers.empty()) {
            answer = seam->folderAnswers.front();
            seam->folderAnswers.pop_front();
        }
        if (!answer)
            return std::nullopt;
        return FolderItem(answer->toStdString());
    }
    const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow());
    if (chosen.isEmpty())
        return std::nullopt;
    return FolderItem(chosen.toStdString());
}

bool launchDocument(const FolderItem& document) {
    if (seam) {
        seam->launched << document.nativePath();
        return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(document.nativePath()));
}

testing::DialogSeam::DialogSeam() {
    seam = this;
}
testing::DialogSeam::~DialogSeam() {
    seam = nullptr;
}
testing::DialogSeam* testing::activeSeam() {
    return seam;
}

} // namespace platform
