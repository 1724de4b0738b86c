#pragma once

#include <QLabel>

// A caption panel: a label with the given frame; title bars are 21 high with a lowered
// bevel and a left-aligned caption.
QLabel* MakeCaptionPanel(QWidget* parent, const QString& name, const QString& caption, int frameStyle,
                         Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QLabel* MakeTitleBar(QWidget* parent, const QString& name, const QString& caption);
