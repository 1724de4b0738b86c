#include "window/widgets/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns, int itemIndex, QWidget* parent)
    : QGroupBox(caption, parent), Buttons(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->setSpacing(0);
    const int perColumn = (static_cast<int>(items.size()) + columns - 1) / std::max(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        Buttons->addButton(button, i);
        grid->addWidget(button, i % perColumn, i / perColumn);
    }
    if (QAbstractButton* chosen = Buttons->button(itemIndex)) chosen->setChecked(true);
    connect(Buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) emit Clicked();
    });
}

int TRadioGroup::ItemIndex() const
{
    return Buttons->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = Buttons->button(index)) button->setChecked(true);
}

int TRadioGroup::ItemCount() const
{
    return static_cast<int>(Buttons->buttons().size());
}
