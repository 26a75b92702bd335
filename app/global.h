#pragma once

#include <QApplication>
#include <QPointer>

#include <QMenuBar>

// The application object. Its menu bar is the one the main window carries too.
class Global : public QApplication {
  public:
    Global(int& argc, char** argv);

    QMenuBar* MenuBar() const { return menuBar_; }
    void setMenuBar(QMenuBar* bar) { menuBar_ = bar; }

  private:
    QPointer<QMenuBar> menuBar_;
};
