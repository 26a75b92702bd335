#include "static_text.h"

QLabel* addStaticText(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                      Qt::Alignment alignment, bool multiLine) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setWordWrap(multiLine);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}
