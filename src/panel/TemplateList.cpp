#include "panel/TemplateList.h"

#include "panel/ColorIcons.h"
#include "panel/TemplateListModel.h"
#include "platform/DialogUnits.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QResizeEvent>
#include <QStackedLayout>
#include <QTreeView>

namespace {

// Room for a 32-pixel icon and two lines of text under it, as the desktop's icon views do,
// grown with the desktop's font.
QSize IconGrid()
{
    return QSize(Scaled(72), Scaled(64));
}

void KeepSelectionVisibleWithoutFocus(QWidget* view)
{
    QPalette palette = view->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view->setPalette(palette);
}

void ApplyColors(QWidget* view, const QColor& background, const QColor& text)
{
    QPalette palette = view->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Text, text);
    }
    view->setPalette(palette);
}

} // namespace

TemplateListView::TemplateListView(Templates& templates, QWidget* parent)
    : QWidget(parent), model_(new TemplateListModel(templates, this)),
      stack_(new QStackedLayout(this)), listView_(new QListView(this))
{
    stack_->setContentsMargins(0, 0, 0, 0);

    listView_->setModel(model_);
    listView_->setMovement(QListView::Static);
    listView_->setResizeMode(QListView::Adjust);
    listView_->setTextElideMode(Qt::ElideRight);

    SetUpView(listView_);
    stack_->addWidget(listView_);
    ApplyViewMode(0);
}

QTreeView* TemplateListView::ReportView()
{
    // Most panels never show the report: it is built the first time it is asked for.
    if (reportView_)
        return reportView_;
    reportView_ = new QTreeView(this);
    // Both views share one selection, so a mode switch keeps the selected item.
    reportView_->setModel(model_);
    QItemSelectionModel* ownSelection = reportView_->selectionModel();
    reportView_->setSelectionModel(listView_->selectionModel());
    delete ownSelection;
    reportView_->setRootIsDecorated(false);
    reportView_->setItemsExpandable(false);
    reportView_->setUniformRowHeights(true);
    reportView_->setAllColumnsShowFocus(true);
    reportView_->setIconSize(QSize(kSmallIconSize, kSmallIconSize));
    reportView_->setTextElideMode(Qt::ElideRight);
    QHeaderView* header = reportView_->header();
    header->setStretchLastSection(false);
    // The narrow "Default" column (W/16) is narrower than the style's minimum.
    header->setMinimumSectionSize(1);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, &TemplateListView::headerClicked);
    SetUpView(reportView_);
    if (colors_)
        ApplyColors(reportView_, colors_->first, colors_->second);
    if (columnsInserted_)
        ApplyColumnWidths();
    stack_->addWidget(reportView_);
    return reportView_;
}

void TemplateListView::SetUpView(QWidget* widget)
{
    auto* view = static_cast<QAbstractItemView*>(widget);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setDragEnabled(false);
    // A right-click reaches the viewport, the Menu key the view: both come here first.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    KeepSelectionVisibleWithoutFocus(view);
    // Only a double-click opens an item: "activated" would also fire on Enter, and Enter
    // belongs to the panel (the view passes the key on after activating).
    connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            emit itemActivated(index.row());
    });
}

bool TemplateListView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu)
        return QWidget::eventFilter(watched, event);
    for (QWidget* view : {static_cast<QWidget*>(listView_), static_cast<QWidget*>(reportView_)}) {
        auto* itemView = static_cast<QAbstractItemView*>(view);
        if (itemView && (watched == view || watched == itemView->viewport())) {
            OnContextMenu(view, *static_cast<QContextMenuEvent*>(event));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TemplateListView::OnContextMenu(QWidget* widget, const QContextMenuEvent& event)
{
    auto* view = static_cast<QAbstractItemView*>(widget);
    QWidget* viewport = view->viewport();
    if (event.reason() == QContextMenuEvent::Keyboard) {
        const int selected = SelectedIndex();
        if (selected < 0)
            return;
        const QModelIndex item = model_->index(selected, 0);
        view->scrollTo(item);
        const QRect place = view->visualRect(item) & viewport->rect();
        emit contextMenuRequested(selected, viewport->mapToGlobal(place.center()));
        return;
    }
    // The press has already selected the item under the pointer; space without an item
    // leaves nothing selected and no menu.
    const QPoint at = viewport->mapFromGlobal(event.globalPos());
    if (!view->indexAt(at).isValid()) {
        listView_->selectionModel()->clearSelection();
        return;
    }
    const int selected = SelectedIndex();
    if (selected >= 0)
        emit contextMenuRequested(selected, event.globalPos());
}

std::array<int, 7> TemplateListView::ColumnWidths(int w)
{
    return {w / 5, w / 7, w / 5, w / 9, w / 7, w / 7, w / 16};
}

void TemplateListView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!columnsInserted_ && width() > 0)
        InsertColumns();
}

void TemplateListView::InsertColumns()
{
    columnsInserted_ = true;
    // Both views have the same frame: the widths are known before the report exists.
    columnsWidth_ = width() - 2 * listView_->frameWidth();
    if (reportView_)
        ApplyColumnWidths();
}

void TemplateListView::ApplyColumnWidths()
{
    const std::array<int, 7> widths = ColumnWidths(std::max(0, columnsWidth_));
    for (int column = 0; column < static_cast<int>(widths.size()); ++column)
        reportView_->header()->resizeSection(column, widths[static_cast<std::size_t>(column)]);
}

void TemplateListView::ApplyViewMode(int mode)
{
    mode_ = mode;
    if (mode == 0) {
        listView_->setViewMode(QListView::IconMode);
        listView_->setMovement(QListView::Static);
        listView_->setIconSize(QSize(kLargeIconSize, kLargeIconSize));
        listView_->setGridSize(IconGrid());
        // Left-aligned icons: a column down the left edge, then the next one.
        listView_->setFlow(QListView::TopToBottom);
        listView_->setWrapping(true);
        listView_->setWordWrap(true); // text under the icon takes up to two lines
        stack_->setCurrentWidget(listView_);
    } else if (mode == 1) {
        listView_->setViewMode(QListView::ListMode);
        listView_->setMovement(QListView::Static);
        listView_->setIconSize(QSize(kSmallIconSize, kSmallIconSize));
        listView_->setGridSize(QSize());
        // Columns of items running top to bottom, scrolled sideways.
        listView_->setFlow(QListView::TopToBottom);
        listView_->setWrapping(true);
        listView_->setWordWrap(false);
        stack_->setCurrentWidget(listView_);
    } else {
        stack_->setCurrentWidget(ReportView());
    }
    // Lay the items out now, so positions are right before the next paint.
    static_cast<QAbstractItemView*>(stack_->currentWidget())->doItemsLayout();
}

QWidget* TemplateListView::CurrentView() const
{
    return stack_->currentWidget();
}

void TemplateListView::SetColors(const QColor& background, const QColor& text)
{
    colors_.emplace(background, text);
    ApplyColors(listView_, background, text);
    if (reportView_)
        ApplyColors(reportView_, background, text);
}

void TemplateListView::Refill()
{
    model_->Refill();
}

int TemplateListView::SelectedIndex() const
{
    int first = -1;
    for (const QModelIndex& index : listView_->selectionModel()->selectedIndexes()) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first;
}

void TemplateListView::SelectIndex(int index)
{
    QItemSelectionModel* selection = listView_->selectionModel();
    if (index < 0 || index >= model_->rowCount()) {
        selection->clearSelection();
        return;
    }
    const QModelIndex item = model_->index(index, 0);
    selection->setCurrentIndex(item,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
