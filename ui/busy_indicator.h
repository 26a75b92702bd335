#pragma once

#include <QWidget>

// A small turning indicator: it advances whenever the event loop gets a turn, so it shows
// that the program is alive while files are copied.
class BusyIndicator : public QWidget {
    Q_OBJECT

  public:
    explicit BusyIndicator(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    int step_ = 0;
};
