#include "window/widgets/CaptionPanel.h"

QLabel* MakeCaptionPanel(QWidget* parent, const QString& name, const QString& caption, int frameStyle,
                         Qt::Alignment alignment)
{
    auto* panel = new QLabel(caption, parent);
    panel->setObjectName(name);
    panel->setFrameStyle(frameStyle);
    panel->setAlignment(alignment);
    return panel;
}

QLabel* MakeTitleBar(QWidget* parent, const QString& name, const QString& caption)
{
    QLabel* bar = MakeCaptionPanel(parent, name, caption, QFrame::Panel | QFrame::Sunken);
    bar->setFixedHeight(21);
    return bar;
}
