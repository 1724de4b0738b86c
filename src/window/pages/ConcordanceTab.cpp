#include "window/pages/ConcordanceTab.h"

#include "window/pages/Appearance.h"
#include "window/pages/PageParts.h"
#include "window/widgets/AccessibleNames.h"
#include "window/widgets/AnchorLayout.h"
#include "window/widgets/CaptionPanel.h"
#include "window/widgets/Grid.h"
#include "window/widgets/TextFit.h"
#include "session/Vesko3Session.h"
#include "util/TextCodec.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// Row data beyond the two shown columns, for the painter and for whoever reads the model.
enum TConcordanceRole
{
    LeftRole = Qt::UserRole,
    RunRole,
    RightRole,
    FamilyRole,
    SutraRole,
    BeginRole,
};

const QString FamilyNames[] = {"한글", "고려", "신수"};
const QString ColumnNames[] = {"번호", "경전과 문맥"};
constexpr int RowHeight = 38;

} // namespace

// Column 0 the sutra's number; column 1 its title, name and text on one line and the
// context on the next.
class TConcordanceModel : public QAbstractTableModel
{
public:
    TConcordanceModel(QObject* parent, const TLoadedData& data) : QAbstractTableModel(parent), Data(data) {}

    void Reset(TConcordance concordance)
    {
        beginResetModel();
        Rows = std::move(concordance);
        endResetModel();
    }
    const TConcordance& Concordance() const { return Rows; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(Rows.Rows.size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2)
            return ColumnNames[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= static_cast<int>(Rows.Rows.size())) return {};
        const TConcordanceRow& row = Rows.Rows[index.row()];
        const TSuttaEntry& e = Data.TextFiles[0].SuttaTable.Items[row.Sutra];
        const auto sutraLine = [&] {
            return ToQString(std::u16string(FieldText(e.Title)) + u" " + std::u16string(FieldText(e.Name))) + " · " +
                   FamilyNames[std::clamp(row.Family, 0, 2)];
        };
        switch (role) {
        case Qt::DisplayRole:
            if (index.column() == 0) return QString::number(std::int64_t(e.Number) + 1);
            return sutraLine();
        // Both lines whole, as the cell may show them cut; a screen reader reads the same.
        case Qt::ToolTipRole:
            return sutraLine() + "\n" + ToQString(row.Line());
        case Qt::AccessibleTextRole:
            if (index.column() == 0) return {};
            return sutraLine() + ", " + ToQString(row.Line());
        case Qt::TextAlignmentRole:
            return index.column() == 0 ? QVariant(Qt::AlignCenter) : QVariant();
        case LeftRole:
            return ToQString(row.Left);
        case RunRole:
            return ToQString(row.Text);
        case RightRole:
            return ToQString(row.Right);
        case FamilyRole:
            return row.Family;
        case SutraRole:
            return row.Sutra;
        case BeginRole:
            return row.Run.Begin;
        default:
            return {};
        }
    }

private:
    const TLoadedData& Data;
    TConcordance Rows;
};

namespace {

// The context line centres the run in the cell, with the text before it right-aligned up to
// it, so that the runs of all rows stand one under another as in a printed concordance.
class TContextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.column() != 1) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        plain.text.clear();
        plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

        const bool selected = option.state & QStyle::State_Selected;
        const QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QRect cell = option.rect.adjusted(4, 1, -4, -1);
        const int half = cell.height() / 2;
        painter->save();
        painter->setClipRect(cell);
        painter->setFont(option.font);
        painter->setPen(selected ? ink : QColor(96, 96, 96));
        const QRect top(cell.left(), cell.top(), cell.width(), half);
        painter->drawText(top, Qt::AlignLeft | Qt::AlignVCenter,
                          option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, top.width()));

        QFont bold = option.font;
        bold.setBold(true);
        const QString run = index.data(RunRole).toString();
        const int runWidth = QFontMetrics(bold).horizontalAdvance(run);
        const int runLeft = std::max(cell.left(), cell.center().x() - runWidth / 2);
        const QRect line(cell.left(), cell.top() + half, cell.width(), cell.height() - half);
        painter->setPen(ink);
        // Each part cut on whole characters to the room it has, so that no edge shows half of one.
        const QRect left(line.left(), line.top(), runLeft - line.left(), line.height());
        const QRect right(runLeft + runWidth, line.top(), line.right() + 1 - runLeft - runWidth, line.height());
        painter->drawText(left, Qt::AlignRight | Qt::AlignVCenter,
                          FittingTail(index.data(LeftRole).toString(), option.fontMetrics, left.width()));
        painter->setFont(bold);
        painter->setPen(QColor(255, 0, 0));
        painter->drawText(QRect(runLeft, line.top(), runWidth, line.height()), Qt::AlignLeft | Qt::AlignVCenter,
                          FittingHead(run, QFontMetrics(bold), line.right() + 1 - runLeft));
        painter->setFont(option.font);
        painter->setPen(ink);
        painter->drawText(right, Qt::AlignLeft | Qt::AlignVCenter,
                          FittingHead(index.data(RightRole).toString(), option.fontMetrics, right.width()));
        painter->restore();
    }
};

QString CountText(const TConcordance& concordance)
{
    const auto shown = static_cast<std::int64_t>(concordance.Rows.size());
    if (shown == concordance.Total) return QString("%1 개").arg(shown);
    return QString("앞 %1 개 / 모두 %2 개").arg(shown).arg(concordance.Total);
}

} // namespace

TConcordanceTab::TConcordanceTab(const TVesko3Session& state, QWidget* parent) : QWidget(parent), State(state)
{
    MakeSheet(this, "ConcordanceTabSheet");
    auto* place = new TAnchorLayout(this, SearchSheetSize);
    ConcordanceGrid = Spoken(Named(new QTableView(this), "ConcordanceGrid"), "용례");
    Model = new TConcordanceModel(ConcordanceGrid, State.Data);
    ConcordanceGrid->setModel(Model);
    ConcordanceGrid->setItemDelegate(new TContextDelegate(ConcordanceGrid));
    ConcordanceGrid->horizontalHeader()->hide();
    ConcordanceGrid->verticalHeader()->hide();
    // A fixed row height lets the view place 20,000 rows without measuring each.
    ConcordanceGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ConcordanceGrid->verticalHeader()->setDefaultSectionSize(RowHeight);
    ConcordanceGrid->horizontalHeader()->setStretchLastSection(true);
    ConcordanceGrid->setColumnWidth(0, 40);
    ConcordanceGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ConcordanceGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ConcordanceGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ConcordanceGrid->setWordWrap(false);
    place->Place(ConcordanceGrid, {0, 0, 293, 620}, AnchorAll);
    ConcordanceCountPanel = CountPanel(this, place, "ConcordanceCountPanel");

    // A row is shown as in the other lists: by a click, by Enter, or by moving to it.
    ConnectGridClick(ConcordanceGrid, this, [this] { ActivateRow(ConcordanceGrid->currentIndex().row()); });
}

TConcordanceTab::~TConcordanceTab() = default;

void TConcordanceTab::ApplyColors(const TColorScheme& scheme)
{
    SetContentColor(ConcordanceGrid, scheme.Content);
}

void TConcordanceTab::SearchEnded()
{
    Stale = true;
    Model->Reset({});
    ConcordanceCountPanel->clear();
}

void TConcordanceTab::FillIfStale()
{
    if (Stale) Fill();
}

void TConcordanceTab::Fill()
{
    Stale = false;
    {
        const TBusyCursor busy;
        Model->Reset(BuildConcordance(State.Data, State.SearchInfo, WindowContextWidth, WindowConcordanceRows));
    }
    ConcordanceCountPanel->setText(CountText(Model->Concordance()));
    // Making row 0 current must not read as the reader choosing it.
    const QSignalBlocker blocker(ConcordanceGrid);
    if (Model->rowCount({}) > 0) ConcordanceGrid->setCurrentIndex(Model->index(0, 0));
}

void TConcordanceTab::ActivateRow(int r)
{
    const auto& rows = Model->Concordance().Rows;
    if (r < 0 || r >= static_cast<int>(rows.size())) return;
    emit RunChosen(rows[r].Sutra, rows[r].Family, rows[r].Run.Begin);
    ConcordanceGrid->setFocus();
}

const TConcordance& TConcordanceTab::Rows() const
{
    return Model->Concordance();
}

void TConcordanceTab::FocusList()
{
    ConcordanceGrid->setFocus(Qt::ShortcutFocusReason);
}
