#pragma once

// What the pages build their controls from: named panels and tab sheets, titled panes,
// splitters with minimum panes, message panels, read-only memos, and the run-time editors
// that fill a placeholder. Geometry is in pixels at 96 dpi; Qt scales it on high-density
// screens.

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <string_view>

class QAbstractScrollArea;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QVBoxLayout;
class QWidget;
class TAnchorLayout;
class TGrid;
class TPageControl;
struct TVesko_File;

// Client areas as designed: a tab sheet of each page control.
inline constexpr QSize SearchSheetSize(293, 643);
inline constexpr QSize ViewSheetSize(574, 638);
inline constexpr int SplitterWidth = 5;

// The collections as the lists and the search offer them.
// The items of a list of names; the collections' names as the lists and combo show them.
QStringList NameItems(std::span<const std::u16string_view> names);
extern const QStringList KindItems;

// The hourglass for the length of one handler, restored however it is left.
class TBusyCursor
{
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

template <typename T> T* Named(T* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QWidget* MakePanel(QWidget* parent, const QString& name);

// Makes sheet a tab sheet named name; it shows the window's colour itself rather than the
// style's shade of it.
void MakeSheet(QWidget* sheet, const QString& name);
// A plain tab sheet made by MakeSheet and added to page.
QWidget* AddSheet(TPageControl* page, const QString& name, const QString& caption);

// A vertical layout filling parent, without margins or spacing.
QVBoxLayout* StackOf(QWidget* parent);

// A pane made of a title bar on top and a placeholder filling the rest, named by the title
// for the editor that will fill it.
QWidget* TitledPane(QWidget* parent, const QString& name, const QString& titleName, const QString& title,
                    QWidget*& placeholder, const QString& placeholderName);

// A splitter filling parent whose panes keep at least minimumPane pixels and follow it
// while it is dragged.
QSplitter* FillingSplitter(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimumPane);
void AddPanes(QSplitter* splitter, QWidget* first, QWidget* second, int firstSize, int secondSize);

// Gives the first pane of a two-pane splitter the share of total, rounded to the nearest
// pixel with halves to the even neighbour; the second takes the rest.
void SetFirstPane(QSplitter* splitter, int total, double share);

// The count line under a list of a search-page sheet.
QLabel* CountPanel(QWidget* sheet, TAnchorLayout* place, const QString& name);
QLabel* LabelPanel(QWidget* parent, const QString& name, const QString& caption);
// A boxed, centred message shown over a list while it is being filled; hidden at first.
QLabel* MessagePanel(QWidget* parent, const QString& name, const QString& caption);
QPlainTextEdit* ReadOnlyMemo(QWidget* parent, const QString& name, const QStringList& lines, bool wrap,
                             bool horizontalBar);
QComboBox* DropDownList(QWidget* parent, const QString& name, const QStringList& items);

// Finishes a run-time editor made in placeholder: its name (and the placeholder's name for a
// screen reader, unless it has one of its own), frame, font and scroll bars (a
// wrapped text has only the vertical one), a selection that stays visible without the
// focus, Tab moving the focus on rather than typing a tab, and the placeholder filled with it.
void FillPlaceholder(QAbstractScrollArea* editor, QWidget* placeholder, const QString& name, const QFont& font,
                     bool wordWrap);

// A plain memo made in placeholder and finished by FillPlaceholder; it never wraps.
QPlainTextEdit* PlaceholderMemo(QWidget* placeholder, const QString& name, const QFont& font);

// Makes the row of grid that names catalogue position n current, when the grid lists it,
// without that reading as the reader's choice, and scrolls it into view.
void MarkSutraRow(TGrid* grid, const TVesko_File& catalogue, std::int32_t n);
