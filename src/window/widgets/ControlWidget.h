#pragma once

// The small building blocks the window's layout is made of: placement by design geometry
// with anchored edges, radio groups with an item index, page controls whose tabs the window
// paints itself, and the rich edit that reports typed characters after handling them.

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

#include <functional>
#include <string>
#include <vector>

// Which edges of a control keep their distance to the same edges of the parent.
enum TAnchor
{
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorTopLeft = AnchorLeft | AnchorTop,
    AnchorAll = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom,
};

// Places children at their design rectangles inside a parent of a given design size; an
// anchored edge follows the parent's edge when the parent is larger or smaller than designed.
class TAnchorLayout : public QLayout
{
public:
    TAnchorLayout(QWidget* parent, QSize designSize);
    ~TAnchorLayout() override;

    void Place(QWidget* widget, const QRect& designRect, int anchors = AnchorTopLeft);

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    struct TPlacement
    {
        QLayoutItem* Item;
        QRect DesignRect;
        int Anchors;
    };
    QRect PlacedRect(const TPlacement& placement, const QRect& area) const;

    QSize DesignSize;
    std::vector<TPlacement> Placements;
};

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

// Paints a tab's caption given the painter, the tab index, its rectangle and whether it is
// the selected tab; the tab's frame is the style's.
using TTabPainter = std::function<void(QPainter& painter, int index, const QRect& rect, bool selected)>;

class TOwnerTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;
    void SetPainter(TTabPainter painter);

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;

private:
    TTabPainter Painter;
};

// A page control whose tab captions can be painted by the window.
class TPageControl : public QTabWidget
{
public:
    explicit TPageControl(QWidget* parent);
    TOwnerTabBar* OwnerTabBar() const { return Bar; }

private:
    TOwnerTabBar* Bar;
};

// A rich edit that reports every typed character after it has acted on the key, so that a
// copy made by Ctrl+C is already on the clipboard when the character (3) is reported. Its
// copy carries the view's font with the colours and bold marks.
class TRichEdit : public QTextEdit
{
    Q_OBJECT
public:
    using QTextEdit::QTextEdit;

signals:
    void KeyPressed(char16_t character);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
};

// A plain-text memo whose copy and cut put only plain text on the clipboard, as a plain
// memo does; Qt's own copy would add the memo's font as HTML.
class TPlainMemo : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override;
};

// A grid as the lists use it: no headers, whole-row selection of one row, rows 20 high,
// grid lines, one empty row.
QTableWidget* MakeGrid(QWidget* parent, const QString& name);

// The text of a cell; empty for a cell never written.
std::u16string CellText(const QTableWidget* grid, int row, int column);

// Calls handler when a grid row is clicked, also the current one, and when the current row
// changes by keyboard or program; a click that moves the current row calls it once.
void ConnectGridClick(QTableWidget* grid, QObject* context, std::function<void()> handler);

// A caption panel: a label with the given frame; title bars are 21 high with a lowered
// bevel and a left-aligned caption.
QLabel* MakeCaptionPanel(QWidget* parent, const QString& name, const QString& caption, int frameStyle,
                         Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
QLabel* MakeTitleBar(QWidget* parent, const QString& name, const QString& caption);
