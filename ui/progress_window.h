#pragma once

#include <QDialog>

// The small window on screen while files are copied: a caption, a turning busy indicator and
// the name of the file just copied. It blocks input to the other windows but runs no loop of
// its own.
class warten : public QDialog {
    Q_OBJECT

  public:
    // The open progress window, created and shown when none is open.
    static warten& instance();

    warten();

    void Open() {}

  protected:
    // The window offers nothing to cancel: Escape, which would hide a dialog, does nothing.
    void keyPressEvent(QKeyEvent* event) override;
};
