#pragma once

#include <QLineEdit>

#include <functional>

class TGrid;

// The find box of a sutra list: typing in the list, through the input method too, opens it
// over the list's bottom edge with what was typed. The list's current row follows the first
// matching row without showing it; Down and Up go to the next and previous match, Enter
// shows the row as a click does, Esc or leaving the box closes it.
class TListFindBox : public QLineEdit
{
public:
    TListFindBox(TGrid* grid, std::function<void()> showRow);

    void Open();
    void Close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Jump(int step);
    void Place();

    TGrid* Grid;
    std::function<void()> ShowRow;
};
