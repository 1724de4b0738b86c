#include "window/widgets/Grid.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <algorithm>

// The cells of a grid, row by row; rows beyond those written are blank.
class TGridModel : public QAbstractTableModel
{
public:
    TGridModel(int rows, int columns, QObject* parent) : QAbstractTableModel(parent), Rows(rows), Columns(columns) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : Rows; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : Columns; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
        const std::u16string& cell = Cell(index.row(), index.column());
        return cell.empty() ? QVariant() : QVariant(QString::fromStdU16String(cell));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnNames.size())
            return ColumnNames[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
    }

    const std::u16string& Cell(int row, int column) const
    {
        static const std::u16string blank;
        if (row < 0 || column < 0 || column >= Columns || column >= 3 ||
            static_cast<std::size_t>(row) >= Written.size())
            return blank;
        return Written[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    void SetRowCount(int rows)
    {
        rows = std::max(0, rows);
        if (rows > Rows) {
            beginInsertRows({}, Rows, rows - 1);
            Rows = rows;
            endInsertRows();
        } else if (rows < Rows) {
            beginRemoveRows({}, rows, Rows - 1);
            Rows = rows;
            if (Written.size() > static_cast<std::size_t>(rows)) Written.resize(static_cast<std::size_t>(rows));
            endRemoveRows();
        }
    }
    void SetColumnCount(int columns)
    {
        columns = std::max(0, columns);
        if (columns > Columns) {
            beginInsertColumns({}, Columns, columns - 1);
            Columns = columns;
            endInsertColumns();
        } else if (columns < Columns) {
            beginRemoveColumns({}, columns, Columns - 1);
            Columns = columns;
            for (TGridCells& row : Written)
                for (std::size_t c = static_cast<std::size_t>(columns); c < row.size(); ++c)
                    row[c].clear();
            endRemoveColumns();
        }
    }
    void SetCells(std::vector<TGridCells> cells)
    {
        if (cells.size() > static_cast<std::size_t>(Rows)) cells.resize(static_cast<std::size_t>(Rows));
        Written = std::move(cells);
        for (TGridCells& row : Written)
            for (std::size_t c = static_cast<std::size_t>(std::max(0, Columns)); c < row.size(); ++c)
                row[c].clear();
        Changed();
    }
    void SetColumnNames(const QStringList& names)
    {
        ColumnNames = names;
        if (Columns > 0) emit headerDataChanged(Qt::Horizontal, 0, Columns - 1);
    }
    // As an item table empties its cells: the view starts over, without a current cell.
    void Clear()
    {
        beginResetModel();
        Written.clear();
        endResetModel();
    }

private:
    void Changed()
    {
        if (Rows > 0 && Columns > 0) emit dataChanged(index(0, 0), index(Rows - 1, Columns - 1));
    }

    int Rows, Columns;
    std::vector<TGridCells> Written;
    QStringList ColumnNames;
};

TGrid::TGrid(int rows, int columns, QWidget* parent) : QTableView(parent), Cells(new TGridModel(rows, columns, this))
{
    setModel(Cells);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                emit currentCellChanged(current.row(), current.column(), previous.row(), previous.column());
            });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { emit cellClicked(index.row(), index.column()); });
}

int TGrid::rowCount() const
{
    return Cells->rowCount({});
}

int TGrid::columnCount() const
{
    return Cells->columnCount({});
}

void TGrid::setRowCount(int rows)
{
    Cells->SetRowCount(rows);
}

void TGrid::setColumnCount(int columns)
{
    Cells->SetColumnCount(columns);
}

void TGrid::clearContents()
{
    Cells->Clear();
}

void TGrid::SetCells(std::vector<TGridCells> cells)
{
    Cells->SetCells(std::move(cells));
}

std::u16string TGrid::Cell(int row, int column) const
{
    return Cells->Cell(row, column);
}

int TGrid::currentRow() const
{
    return currentIndex().row();
}

int TGrid::currentColumn() const
{
    return currentIndex().column();
}

void TGrid::setCurrentCell(int row, int column)
{
    const QModelIndex index = Cells->index(row, column);
    selectionModel()->setCurrentIndex(index, selectionCommand(index));
}

void TGrid::SetColumnNames(const QStringList& names)
{
    Cells->SetColumnNames(names);
}

void TGrid::LayOutNow()
{
    executeDelayedItemsLayout();
    // The scroll bars are shown or hidden by a call queued when their range changes.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

QString TGrid::CutCellText(const QModelIndex& index) const
{
    if (!index.isValid()) return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    // The delegate elides what is wider than the cell, by the measure of its size hint.
    if (itemDelegateForIndex(index)->sizeHint(option, index).width() <= option.rect.width()) return {};
    return index.data().toString();
}

bool TGrid::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString whole = CutCellText(index);
    if (whole.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), whole, viewport(), visualRect(index));
    return true;
}

TGrid* MakeGrid(QWidget* parent, const QString& name)
{
    auto* grid = new TGrid(1, 3, parent);
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

void SetGridColumns(TGrid* grid, std::initializer_list<int> widths)
{
    grid->setColumnCount(static_cast<int>(widths.size()));
    int column = 0;
    for (int width : widths)
        grid->setColumnWidth(column++, width);
}

void SetGridColumns(TGrid* grid, std::initializer_list<TGridColumn> columns)
{
    grid->setColumnCount(static_cast<int>(columns.size()));
    QStringList names;
    int column = 0;
    for (const TGridColumn& each : columns) {
        grid->setColumnWidth(column++, each.Width);
        names.append(each.Name);
    }
    grid->SetColumnNames(names);
}

void ClearGrid(TGrid* grid)
{
    grid->setRowCount(1);
    grid->clearContents();
}

std::u16string CellText(const TGrid* grid, int row, int column)
{
    return grid->Cell(row, column);
}

namespace {

// Reports a row the mouse made current when no click follows the release: after a drag to
// another cell, or a press with another button than the left; and Enter on the current row,
// which shows it as a click does.
class TGridReleaseWatcher : public QObject
{
public:
    TGridReleaseWatcher(QAbstractItemView* grid, std::function<void()> handler)
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
            const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
            const bool enter = key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                               (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
            if (enter && CurrentRow() >= 0) Handler();
            return enter;
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            const auto* press = static_cast<QMouseEvent*>(event);
            RowAtPress = CurrentRow();
            PressedIndex = Grid->indexAt(press->position().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* release = static_cast<QMouseEvent*>(event);
            const bool clickFollows = release->button() == Qt::LeftButton && PressedIndex.isValid() &&
                                      Grid->indexAt(release->position().toPoint()) == PressedIndex;
            if (!clickFollows && CurrentRow() >= 0 && CurrentRow() != RowAtPress) Handler();
        }
        return false;
    }

private:
    int CurrentRow() const { return Grid->currentIndex().row(); }

    QAbstractItemView* Grid;
    std::function<void()> Handler;
    int RowAtPress = -1;
    QModelIndex PressedIndex;
};

} // namespace

void ConnectGridClick(QAbstractItemView* grid, QObject* context, std::function<void()> handler)
{
    // A press moves the current row before the click arrives; the click reports it then, or
    // the release when no click comes. A grid whose signals are blocked is being filled, and
    // the row made current then is no choice of the reader's.
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, context,
                     [grid, handler](const QModelIndex& current, const QModelIndex& previous) {
                         if (!grid->signalsBlocked() && current.row() >= 0 && current.row() != previous.row() &&
                             QGuiApplication::mouseButtons() == Qt::NoButton)
                             handler();
                     });
    QObject::connect(grid, &QAbstractItemView::clicked, context, [handler](const QModelIndex&) { handler(); });
    new TGridReleaseWatcher(grid, handler);
}
