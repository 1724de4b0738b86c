#pragma once

#include "browse/ListFind.h"

#include <QLineEdit>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QLabel;
class TGrid;

// The find box of a sutra list: typing in the list, through the input method too, opens it
// over the list's bottom edge with what was typed. The list's current row follows the first
// matching row without showing it; Down and Up go to the next and previous match, Enter
// shows the row as a click does, Esc or leaving the box closes it. A text that matches no
// row says "없음" and leaves the list on the row it stood on before the typing.
class TListFindBox : public QLineEdit
{
public:
    // The row of rows that typed text finds from row from by step, as FindTypedRow does.
    using TRowFinder = std::function<std::optional<int>(const std::vector<TListRowCells>& rows,
                                                        std::u16string_view typed, int from, int step)>;

    TListFindBox(TGrid* grid, std::function<void()> showRow, TRowFinder findRow);

    void Open();
    void Close();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Jump(int step);
    void Place();
    void SetStatus(const QString& status);

    TGrid* Grid;
    std::function<void()> ShowRow;
    TRowFinder FindRow;
    QLabel* Status;
    int RowBeforeTyping = -1;
};
