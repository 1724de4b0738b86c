#include "window/widgets/ListFindBox.h"

#include "window/widgets/AccessibleNames.h"
#include "window/widgets/Grid.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

namespace {

// A key that types text into the list rather than moving in it or being a shortcut.
bool TypesText(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    return !text.isEmpty() && text.front().isPrint();
}

} // namespace

TListFindBox::TListFindBox(TGrid* grid, std::function<void()> showRow, TRowFinder findRow)
    : QLineEdit(grid), Grid(grid), ShowRow(std::move(showRow)), FindRow(std::move(findRow)), Status(new QLabel(this))
{
    setObjectName(grid->objectName() + "FindBox");
    Spoken(this, grid->accessibleName() + " 찾기");
    Status->setObjectName(objectName() + "Status");
    Status->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Status->setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    grid->installEventFilter(this);
    // The list takes composed text too, so that Korean typed through the input method opens
    // the box as a key does.
    grid->setAttribute(Qt::WA_InputMethodEnabled);
    connect(this, &QLineEdit::textEdited, this, [this] { Jump(0); });
}

void TListFindBox::Open()
{
    if (isHidden()) RowBeforeTyping = Grid->currentRow();
    SetStatus({});
    Place();
    show();
    raise();
    setFocus();
}

void TListFindBox::Close()
{
    if (isHidden()) return;
    const bool focused = hasFocus();
    hide();
    clear();
    SetStatus({});
    if (focused) Grid->setFocus();
}

void TListFindBox::Place()
{
    const int height = sizeHint().height();
    const QRect area = Grid->viewport()->geometry();
    setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
}

void TListFindBox::SetStatus(const QString& status)
{
    Status->setText(status);
    setAccessibleDescription(status);
    const int width = status.isEmpty() ? 0 : Status->sizeHint().width() + 4;
    setTextMargins(0, 0, width, 0);
}

void TListFindBox::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    Status->setGeometry(rect().adjusted(2, 0, -4, 0));
}

void TListFindBox::Jump(int step)
{
    std::vector<TListRowCells> rows(static_cast<std::size_t>(Grid->rowCount()));
    for (int r = 0; r < Grid->rowCount(); ++r)
        rows[r] = {CellText(Grid, r, 0), CellText(Grid, r, 1), CellText(Grid, r, 2)};
    const int from = step == 0 ? 0 : Grid->currentRow();
    const std::optional<int> found = FindRow(rows, text().toStdU16String(), from, step);
    SetStatus(found || text().trimmed().isEmpty() ? QString() : QStringLiteral("없음"));
    // Typing that finds nothing leaves the list where the reader had it.
    const int row = found.value_or(step == 0 ? RowBeforeTyping : Grid->currentRow());
    if (row < 0) return;
    // The row becomes current without being shown: only Enter shows it.
    const QSignalBlocker blocker(Grid);
    if (row != Grid->currentRow()) Grid->setCurrentCell(row, 0);
    // Centred, so that the box over the bottom edge never covers it.
    Grid->scrollTo(Grid->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
}

void TListFindBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        Jump(1);
        return;
    case Qt::Key_Up:
        Jump(-1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Close();
        ShowRow();
        return;
    case Qt::Key_Escape:
        Close();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void TListFindBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A focus change within the window closes the box; a passing pop-up of the input method
    // does not.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) Close();
}

bool TListFindBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Grid) return QLineEdit::eventFilter(watched, event);
    if (event->type() == QEvent::Resize && isVisible()) Place();
    if (event->type() == QEvent::KeyPress && TypesText(static_cast<QKeyEvent*>(event))) {
        Open();
        QCoreApplication::sendEvent(this, event);
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        Open();
        QCoreApplication::sendEvent(this, event);
        return true;
    }
    return QLineEdit::eventFilter(watched, event);
}
