#pragma once
// The panel's template list: large icons (mode 0), a small-icon list (mode 1) or a report
// with the seven column headers (mode 2 and any other value). Single selection that
// stays visible without focus. Double-click opens an item; Enter is left to the panel.
// A right-click on an item selects it and asks for its menu at the pointer; one where
// there is no item clears the selection. The Menu key asks for the selected item's menu
// at the item.

#include "model/Collections.h"

#include <QColor>
#include <QPoint>
#include <QWidget>

#include <array>
#include <optional>
#include <utility>

class QListView;
class QStackedLayout;
class QTreeView;
class TemplateListModel;

class TemplateListView : public QWidget {
    Q_OBJECT
public:
    explicit TemplateListView(Templates& templates, QWidget* parent = nullptr);

    // Column widths for a client width: W/5, W/7, W/5, W/9, W/7, W/7, W/16.
    static std::array<int, 7> ColumnWidths(int clientWidth);

    // Sets the report columns from the current client width. Runs by itself at the first
    // resize; the widths then stay, as the panel never changes the list's size.
    void InsertColumns();
    void ApplyViewMode(int mode);
    int ViewMode() const { return mode_; }
    // background: the panel's light frame colour; text: its dark fill colour.
    void SetColors(const QColor& background, const QColor& text);
    // Rebuilds every item from the templates (the selection goes with the old items).
    void Refill();
    // The first selected item, or -1.
    int SelectedIndex() const;
    void SelectIndex(int index);

    // The view that shows the items in the current mode.
    QWidget* CurrentView() const;
    QListView* ListView() const { return listView_; }
    // The report view, built on first use.
    QTreeView* ReportView();
    TemplateListModel* Model() const { return model_; }

signals:
    void itemActivated(int index);
    // The template menu of item index, to be shown at globalPos.
    void contextMenuRequested(int index, QPoint globalPos);
    void headerClicked(int column);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpView(QWidget* view);
    void OnContextMenu(QWidget* view, const QContextMenuEvent& event);
    void ApplyColumnWidths();

    TemplateListModel* model_;
    QStackedLayout* stack_;
    QListView* listView_;
    QTreeView* reportView_ = nullptr;
    int mode_ = -1;
    bool columnsInserted_ = false;
    int columnsWidth_ = 0;
    std::optional<std::pair<QColor, QColor>> colors_;
};
