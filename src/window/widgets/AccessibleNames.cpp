#include "window/widgets/AccessibleNames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

QString CaptionName(const QString& caption)
{
    QString name = caption.trimmed();
    if (name.endsWith(u':')) name.chop(1);
    return name.trimmed();
}

void SetSpokenName(QWidget* control, const QString& name)
{
    control->setAccessibleName(name);
    // The list a combo box drops down is read on its own once open.
    if (auto* combo = qobject_cast<QComboBox*>(control)) combo->view()->setAccessibleName(name);
}

void LabelledBy(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    SetSpokenName(control, CaptionName(label->text()));
}
