#include "window/pages/PageParts.h"

#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/Grid.h"
#include "window/widgets/PageControl.h"
#include "window/widgets/PlainMemo.h"
#include "search/SearchWords.h"
#include "util/TextCodec.h"
#include "browse/CatalogueRows.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QSplitter>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

TBusyCursor::TBusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

TBusyCursor::~TBusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

QStringList NameItems(std::span<const std::u16string_view> names)
{
    QStringList items;
    for (std::u16string_view name : names)
        items.append(ToQString(name));
    return items;
}

const QStringList KindItems = NameItems(KindNames);

QWidget* MakePanel(QWidget* parent, const QString& name)
{
    return Named(new QWidget(parent), name);
}

void MakeSheet(QWidget* sheet, const QString& name)
{
    sheet->setObjectName(name);
    sheet->setAutoFillBackground(true);
}

QWidget* AddSheet(TPageControl* page, const QString& name, const QString& caption)
{
    auto* sheet = new QWidget(page);
    MakeSheet(sheet, name);
    page->addTab(sheet, caption);
    return sheet;
}

QVBoxLayout* StackOf(QWidget* parent)
{
    auto* stack = new QVBoxLayout(parent);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    return stack;
}

QWidget* TitledPane(QWidget* parent, const QString& name, const QString& titleName, const QString& title,
                    QWidget*& placeholder, const QString& placeholderName)
{
    QWidget* pane = MakePanel(parent, name);
    QVBoxLayout* stack = StackOf(pane);
    stack->addWidget(MakeTitleBar(pane, titleName, title));
    placeholder = Spoken(MakePanel(pane, placeholderName), CaptionName(title));
    stack->addWidget(placeholder, 1);
    return pane;
}

QSplitter* FillingSplitter(QWidget* parent, const QString& name, Qt::Orientation orientation, int minimumPane)
{
    auto* splitter = Named(new QSplitter(orientation, parent), name);
    splitter->setHandleWidth(SplitterWidth);
    splitter->setChildrenCollapsible(false);
    splitter->setOpaqueResize(true);
    splitter->setProperty("minimumPane", minimumPane);
    StackOf(parent)->addWidget(splitter);
    return splitter;
}

void AddPanes(QSplitter* splitter, QWidget* first, QWidget* second, int firstSize, int secondSize)
{
    const int minimumPane = splitter->property("minimumPane").toInt();
    for (QWidget* pane : {first, second}) {
        if (splitter->orientation() == Qt::Vertical)
            pane->setMinimumHeight(minimumPane);
        else
            pane->setMinimumWidth(minimumPane);
        splitter->addWidget(pane);
    }
    splitter->setSizes({firstSize, secondSize});
}

void SetFirstPane(QSplitter* splitter, int total, double share)
{
    const int first = static_cast<int>(std::nearbyint(total * share));
    splitter->setSizes({first, std::max(0, total - first - splitter->handleWidth())});
}

QLabel* CountPanel(QWidget* sheet, TAnchorLayout* place, const QString& name)
{
    QLabel* panel = MakeCaptionPanel(sheet, name, {}, QFrame::Panel | QFrame::Sunken, Qt::AlignCenter);
    place->Place(panel, {0, 619, 293, 21}, AnchorLeft | AnchorRight | AnchorBottom);
    return panel;
}

QLabel* LabelPanel(QWidget* parent, const QString& name, const QString& caption)
{
    return MakeCaptionPanel(parent, name, caption, QFrame::NoFrame);
}

QLabel* MessagePanel(QWidget* parent, const QString& name, const QString& caption)
{
    QLabel* panel = MakeCaptionPanel(parent, name, caption, QFrame::Box | QFrame::Plain, Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    panel->hide();
    return panel;
}

QPlainTextEdit* ReadOnlyMemo(QWidget* parent, const QString& name, const QStringList& lines, bool wrap,
                             bool horizontalBar)
{
    auto* memo = Named(new QPlainTextEdit(parent), name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(horizontalBar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    memo->setPlainText(lines.join('\n'));
    return memo;
}

QComboBox* DropDownList(QWidget* parent, const QString& name, const QStringList& items)
{
    auto* combo = Named(new QComboBox(parent), name);
    // Drawn as a flat field and a plain list, both on the content colour: the platform's
    // own look shades the field with a gradient and gives the list a menu's grey.
    if (QStyle* plain = QStyleFactory::create(QStringLiteral("Windows"))) {
        plain->setParent(combo);
        combo->setStyle(plain);
    }
    combo->setEditable(false);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    return combo;
}

void FillPlaceholder(QAbstractScrollArea* editor, QWidget* placeholder, const QString& name, const QFont& font,
                     bool wordWrap)
{
    editor->setObjectName(name);
    // An editor under a title bar is named by it, as the placeholder is.
    if (editor->accessibleName().isEmpty()) editor->setAccessibleName(placeholder->accessibleName());
    editor->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    editor->setFont(font);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor)) memo->setTabChangesFocus(true);
    if (auto* rich = qobject_cast<QTextEdit*>(editor)) rich->setTabChangesFocus(true);
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    editor->setHorizontalScrollBarPolicy(wordWrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    // The selection stays visible, in the focused colours, when the editor loses the focus.
    QPalette palette = editor->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    editor->setPalette(palette);
    auto* fill = new QVBoxLayout(placeholder);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(editor);
    editor->show();
}

QPlainTextEdit* PlaceholderMemo(QWidget* placeholder, const QString& name, const QFont& font)
{
    auto* memo = new TPlainMemo(placeholder);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    FillPlaceholder(memo, placeholder, name, font, false);
    return memo;
}

void MarkSutraRow(TGrid* grid, const TVesko_File& catalogue, std::int32_t n)
{
    if (grid->rowCount() < 1) return;
    const std::u16string first = CellText(grid, 0, 0);
    const auto names = [&](int row) { return row >= 0 && RowSutra(catalogue, first, CellText(grid, row, 0)) == n; };
    int row = grid->currentRow();
    if (!names(row)) {
        row = 0;
        while (row < grid->rowCount() && !names(row))
            ++row;
        if (row == grid->rowCount()) return;
        const QSignalBlocker blocker(grid);
        grid->setCurrentCell(row, 0);
    }
    grid->scrollTo(grid->model()->index(row, 0));
}
