#pragma once
// The template list's rows: one per entry of templates, in collection order, with the
// columns "Text", "Category", "Date", "Color", "Style", "Size" and "Default".

#include "model/Collections.h"

#include <QAbstractTableModel>
#include <QIcon>

#include <array>

class TemplateListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        TextColumn,
        CategoryColumn,
        DateColumn,
        ColorColumn,
        StyleColumn,
        SizeColumn,
        DefaultColumn
    };
    static constexpr int kColumnCount = 7;

    explicit TemplateListModel(Templates& templates, QObject* parent = nullptr);

    // The rows mirror templates only after this: call it whenever templates changed.
    void Refill();

    // The text one column shows for a template.
    static QString ColumnText(const SNote& note, int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    Templates& templates_;
    // A snapshot taken by Refill, so a change to templates behind our back never
    // makes a view read a row that is gone.
    std::vector<SNote> rows_;
    std::array<QIcon, 11> icons_;
};
