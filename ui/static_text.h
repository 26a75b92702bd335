#pragma once

#include <QLabel>

// A black plain-text label placed at a fixed position in its window's content area.
QLabel* addStaticText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                      Qt::Alignment alignment, bool multiLine);
