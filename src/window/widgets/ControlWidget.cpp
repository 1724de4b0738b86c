#include "window/widgets/ControlWidget.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

TAnchorLayout::TAnchorLayout(QWidget* parent, QSize designSize) : QLayout(parent), DesignSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
}

TAnchorLayout::~TAnchorLayout()
{
    for (TPlacement& placement : Placements)
        delete placement.Item;
}

void TAnchorLayout::Place(QWidget* widget, const QRect& designRect, int anchors)
{
    addChildWidget(widget);
    Placements.push_back({new QWidgetItem(widget), designRect, anchors});
    widget->setGeometry(designRect);
    invalidate();
}

void TAnchorLayout::addItem(QLayoutItem* item)
{
    Placements.push_back({item, item->geometry(), AnchorTopLeft});
}

QLayoutItem* TAnchorLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? Placements[index].Item : nullptr;
}

QLayoutItem* TAnchorLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = Placements[index].Item;
    Placements.erase(Placements.begin() + index);
    return item;
}

int TAnchorLayout::count() const
{
    return static_cast<int>(Placements.size());
}

QSize TAnchorLayout::sizeHint() const
{
    return DesignSize;
}

QSize TAnchorLayout::minimumSize() const
{
    return {0, 0};
}

QRect TAnchorLayout::PlacedRect(const TPlacement& placement, const QRect& area) const
{
    // Both edges anchored: the control stretches; one: it moves with that edge; neither:
    // it keeps its relative position, moving by half the change.
    auto follow = [](int start, int length, int change, bool first, bool second) {
        if (second) {
            if (first)
                length += change;
            else
                start += change;
        } else if (!first) {
            start += change / 2;
        }
        return std::pair{start, std::max(0, length)};
    };
    const QRect& r = placement.DesignRect;
    const int a = placement.Anchors;
    const auto [x, width] =
        follow(r.left(), r.width(), area.width() - DesignSize.width(), a & AnchorLeft, a & AnchorRight);
    const auto [y, height] =
        follow(r.top(), r.height(), area.height() - DesignSize.height(), a & AnchorTop, a & AnchorBottom);
    return {area.left() + x, area.top() + y, width, height};
}

void TAnchorLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    // Hidden controls are placed too, so that they appear in the right place when shown.
    for (const TPlacement& placement : Placements) {
        const QRect placed = PlacedRect(placement, rect);
        if (QWidget* widget = placement.Item->widget())
            widget->setGeometry(placed);
        else
            placement.Item->setGeometry(placed);
    }
}

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

void TOwnerTabBar::SetPainter(TTabPainter painter)
{
    Painter = std::move(painter);
    update();
}

void TOwnerTabBar::paintEvent(QPaintEvent* event)
{
    if (!Painter) {
        QTabBar::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    auto drawTab = [&](int index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        // The caption area inside the tab's frame.
        const QRect inner = tabRect(index).adjusted(2, 2, -2, 0);
        painter.save();
        painter.setClipRect(inner);
        Painter(painter, index, inner, index == currentIndex());
        painter.restore();
    };
    // The selected tab overlaps its neighbours, so it is drawn last.
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex()) drawTab(i);
    if (currentIndex() >= 0) drawTab(currentIndex());
}

QSize TOwnerTabBar::tabSizeHint(int index) const
{
    const QSize styled = QTabBar::tabSizeHint(index);
    if (!Painter) return styled;
    // Painted captions need only their bold width and a small margin, so that all seven
    // tabs of the text pages fit side by side.
    QFont bold = font();
    bold.setBold(true);
    return {QFontMetrics(bold).horizontalAdvance(tabText(index)) + 16, styled.height()};
}

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent), Bar(new TOwnerTabBar(this))
{
    setTabBar(Bar);
}

void TRichEdit::keyPressEvent(QKeyEvent* event)
{
    QTextEdit::keyPressEvent(event);
    // Ctrl+letter is mapped first: some platforms report the letter itself as the text.
    char16_t character = 0;
    const bool control = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
    if (control && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        character = static_cast<char16_t>(event->key() - Qt::Key_A + 1); // Ctrl+C is 3, Ctrl+X 24
    else if (!event->text().isEmpty())
        character = event->text().front().unicode();
    if (character != 0) emit KeyPressed(character);
}

QMimeData* TRichEdit::createMimeDataFromSelection() const
{
    // Qt's HTML leaves out the editor's own font, so each run gets the face and size it is
    // shown in unless it has its own.
    const QTextDocumentFragment selection = textCursor().selection();
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertFragment(selection);
    QTextCharFormat viewFont;
    viewFont.setFontFamilies(QStringList{font().family()});
    viewFont.setFontPointSize(font().pointSizeF() > 0 ? font().pointSizeF() : QFontInfo(font()).pointSizeF());
    // The runs are collected first: changing a format may join runs under an iterator.
    struct TRun
    {
        int Start, End;
        QTextCharFormat Format;
    };
    std::vector<TRun> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = viewFont;
            format.merge(fragment.charFormat());
            runs.push_back({fragment.position(), fragment.position() + fragment.length(), format});
        }
    }
    for (const TRun& run : runs) {
        cursor.setPosition(run.Start);
        cursor.setPosition(run.End, QTextCursor::KeepAnchor);
        cursor.setCharFormat(run.Format);
    }
    auto* data = new QMimeData;
    data->setHtml(QTextDocumentFragment(&document).toHtml());
    data->setText(selection.toPlainText());
    return data;
}

QMimeData* TPlainMemo::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    data->setText(textCursor().selection().toPlainText());
    return data;
}

std::u16string CellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdU16String() : std::u16string();
}

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
    return grid;
}

namespace {

// Reports a row the mouse made current when no click follows the release: after a drag to
// another cell, or a press with another button than the left.
class TGridReleaseWatcher : public QObject
{
public:
    TGridReleaseWatcher(QTableWidget* grid, std::function<void()> handler)
        : QObject(grid), Grid(grid), Handler(std::move(handler))
    {
        grid->viewport()->installEventFilter(this);
    }

protected:
    // Installed on the grid's viewport only, and seen before the grid itself: the press has
    // not moved the current row yet.
    bool eventFilter(QObject*, QEvent* event) override
    {
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
