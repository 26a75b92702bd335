#pragma once

#include <QMainWindow>

class QPushButton;

// The installer's main window: the edition's texts, the manual button and the buttons that
// install or leave.
class Fenster1 : public QMainWindow {
    Q_OBJECT

  public:
    // The open main window, created when none is open.
    static Fenster1& instance();

    Fenster1();
    ~Fenster1() override;

    // Runs once after the controls exist and before the window is first shown.
    void Open();

    void btn_installieren_Action();
    void btn_abbrechen_Action();
    void PushButton1_Action();

  protected:
    // A plain window has no default or cancel button of its own: Return and Enter press
    // "Installieren", Escape presses "Abbrechen", as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* btn_installieren;
    QPushButton* btn_abbrechen;
};
