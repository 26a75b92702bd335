#pragma once

#include <QTimer>
#include <QWidget>

// A small turning indicator. Its timer runs only while it is on screen, and fires only when the
// event loop gets a turn, so a turning indicator shows that the program is alive.
class BusyIndicator : public QWidget {
    Q_OBJECT

  public:
    explicit BusyIndicator(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QTimer timer_;
    int step_ = 0;
};
