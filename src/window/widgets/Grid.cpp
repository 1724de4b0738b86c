#include "window/widgets/Grid.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

QTableWidget* MakeGrid(QWidget* parent, const QString& name)
{
    auto* grid = new QTableWidget(1, 3, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    // Tab leaves the list for the next control instead of moving from cell to cell.
    grid->setTabKeyNavigation(false);
    return grid;
}

void SetGridColumns(QTableWidget* grid, std::initializer_list<int> widths)
{
    grid->setColumnCount(static_cast<int>(widths.size()));
    int column = 0;
    for (int width : widths)
        grid->setColumnWidth(column++, width);
}

void ClearGrid(QTableWidget* grid)
{
    grid->setRowCount(1);
    grid->clearContents();
}

std::u16string CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdU16String() : std::u16string();
}

namespace {

// Reports a row the mouse made current when no click follows the release: after a drag to
// another cell, or a press with another button than the left; and Enter on the current row,
// which shows it as a click does.
class TGridReleaseWatcher : public QObject
{
public:
    TGridReleaseWatcher(QTableWidget* grid, std::function<void()> handler)
        : QObject(grid), Grid(grid), Handler(std::move(handler))
    {
        grid->viewport()->installEventFilter(this);
        grid->installEventFilter(this);
    }

protected:
    // The mouse is watched on the grid's viewport, seen before the grid itself: the press has
    // not moved the current row yet.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == Grid) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = event->type() == QEvent::KeyPress &&
                               (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                               (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (enter && Grid->currentRow() >= 0) Handler();
            return enter;
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto* press = static_cast<QMouseEvent*>(event);
            RowAtPress = Grid->currentRow();
            PressedIndex = Grid->indexAt(press->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* release = static_cast<QMouseEvent*>(event);
            const bool clickFollows = release->button() == Qt::LeftButton && PressedIndex.isValid() &&
                                      Grid->indexAt(release->position().toPoint()) == PressedIndex;
            if (!clickFollows && Grid->currentRow() >= 0 && Grid->currentRow() != RowAtPress) Handler();
        }
        return false;
    }

private:
    QTableWidget* Grid;
    std::function<void()> Handler;
    int RowAtPress = -1;
    QModelIndex PressedIndex;
};

} // namespace

void ConnectGridClick(QTableWidget* grid, QObject* context, std::function<void()> handler)
{
    // A press moves the current row before the click arrives; the click reports it then, or
    // the release when no click comes.
    QObject::connect(grid, &QTableWidget::currentCellChanged, context, [handler](int row, int, int previousRow, int) {
        if (row >= 0 && row != previousRow && QGuiApplication::mouseButtons() == Qt::NoButton) handler();
    });
    QObject::connect(grid, &QTableWidget::cellClicked, context, [handler](int, int) { handler(); });
    new TGridReleaseWatcher(grid, handler);
}
