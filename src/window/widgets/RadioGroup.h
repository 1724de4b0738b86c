#pragma once

#include <QButtonGroup>
#include <QGroupBox>

// A framed group of radio buttons laid out in columns, filled column by column. Changing
// the item index, by the user or by the program, emits Clicked; choosing the item that is
// already chosen does not.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns, int itemIndex, QWidget* parent);

    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemCount() const;

signals:
    void Clicked();

private:
    QButtonGroup* Buttons;
};
