#include "window/pages/ParallelsTab.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/Grid.h"
#include "session/Vesko3Session.h"
#include "util/TextCodec.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

namespace {

const std::u16string_view RelationCaptions[ParallelRelationCount] = {u"전체", u"부분", u"유사"};

std::u16string TitleAndName(const TVesko_File& catalogue, std::int32_t n)
{
    const TSuttaEntry& entry = catalogue.SuttaTable.Items[n];
    return std::u16string(FieldText(entry.Title)) + u" " + std::u16string(FieldText(entry.Name));
}

} // namespace

TParallelsTab::TParallelsTab(const TVesko3Session& state, QWidget* parent) : QWidget(parent), State(state)
{
    MakeSheet(this, "ParallelsTabSheet");
    auto* place = new TAnchorLayout(this, SearchSheetSize);
    ParallelsTitlePanel = MakeTitleBar(this, "ParallelsTitlePanel", {});
    place->Place(ParallelsTitlePanel, {0, 0, 293, 21}, AnchorLeft | AnchorTop | AnchorRight);
    ParallelsGrid = MakeGrid(this, "ParallelsGrid");
    ParallelsGrid->setAccessibleName("대응경전 목록");
    ParallelsGrid->setRowCount(0);
    SetGridColumns(ParallelsGrid, {{78, "대응경전"}, {36, "관계"}, {160, "경전"}});
    place->Place(ParallelsGrid, {0, 21, 293, 599}, AnchorAll);
    ParallelsCountPanel = CountPanel(this, place, "ParallelsCountPanel");
    NoParallelsPanel = MessagePanel(this, "NoParallelsPanel", "대응경전 자료가 없습니다");
    place->Place(NoParallelsPanel, {40, 260, 211, 91});

    // Enter and double-click both activate a row; a click only makes it current, so that the
    // list stays while the reader looks through it.
    connect(ParallelsGrid, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid()) ActivateRow(index.row());
    });
    ParallelsGrid->installEventFilter(this);
}

void TParallelsTab::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor(ParallelsGrid, scheme.Content);
}

void TParallelsTab::ShowSutra(std::int32_t n)
{
    const TVesko_File& catalogue = State.Data.TextFiles[HanFamily];
    if (n < 0 || n >= catalogue.SuttaTable.Count) return;
    Sutra = n;
    ParallelsTitlePanel->setText(" " + ToQString(TitleAndName(catalogue, n)));
    std::vector<TGridCells> cells;
    for (const TParallel& parallel : State.Parallels.Of(n))
        cells.push_back({parallel.Label, std::u16string(RelationCaptions[static_cast<int>(parallel.Relation)]),
                         parallel.Corpus >= 0 ? TitleAndName(catalogue, parallel.Corpus) : std::u16string()});
    ParallelsGrid->setRowCount(static_cast<int>(cells.size()));
    ParallelsCountPanel->setText(QString("%1 개").arg(cells.size()));
    ParallelsGrid->SetCells(std::move(cells));
    if (ParallelsGrid->rowCount() > 0) ParallelsGrid->setCurrentCell(0, 0);
    ShowPresence();
}

void TParallelsTab::ActivateRow(int r)
{
    const auto rows = State.Parallels.Of(Sutra);
    if (r < 0 || r >= static_cast<int>(rows.size()) || rows[r].Corpus < 0) return;
    emit SutraChosen(rows[r].Corpus);
}

std::u16string TParallelsTab::RowText(int r) const
{
    if (r < 0 || r >= ParallelsGrid->rowCount()) return {};
    std::u16string text = CellText(ParallelsGrid, r, 0) + u"\t" + CellText(ParallelsGrid, r, 1);
    if (const std::u16string sutra = CellText(ParallelsGrid, r, 2); !sutra.empty()) text += u"\t" + sutra;
    return text;
}

void TParallelsTab::ShowPresence()
{
    // Known once the data set is loaded: the sheet may come on show before any sutra does.
    const bool present = State.Parallels.Present;
    NoParallelsPanel->setVisible(!present && State.Data.TextFiles[HanFamily].SuttaTable.Count > 0);
    if (!present) ParallelsCountPanel->clear();
}

void TParallelsTab::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ShowPresence();
}

bool TParallelsTab::eventFilter(QObject* watched, QEvent* event)
{
    // The whole row rather than the list's own copy of one cell.
    if (watched == ParallelsGrid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (ParallelsGrid->currentRow() >= 0)
            QGuiApplication::clipboard()->setText(ToQString(RowText(ParallelsGrid->currentRow())));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TParallelsTab::FocusList()
{
    ParallelsGrid->setFocus(Qt::ShortcutFocusReason);
}
