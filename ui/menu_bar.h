#pragma once

#include <QMenuBar>

// The program's one menu bar: "Ablage" with "Beenden", "Bearbeiten" with the editing commands.
// The application and the main window hold the same instance.
class Menü : public QMenuBar {
  public:
    // The one instance, created on the first request.
    static Menü& instance();

  private:
    Menü();
};
