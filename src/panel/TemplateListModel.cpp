#include "panel/TemplateListModel.h"

#include "panel/ColorIcons.h"
#include "panel/TemplateTexts.h"
#include "platform/Text.h"

#include <QCoreApplication>

namespace {

constexpr const char* kColumnTitles[TemplateListModel::kColumnCount] = {
    QT_TRANSLATE_NOOP("TemplateListModel", "Text"),
    QT_TRANSLATE_NOOP("TemplateListModel", "Category"),
    QT_TRANSLATE_NOOP("TemplateListModel", "Date"),
    QT_TRANSLATE_NOOP("TemplateListModel", "Color"),
    QT_TRANSLATE_NOOP("TemplateListModel", "Style"),
    QT_TRANSLATE_NOOP("TemplateListModel", "Size"),
    QT_TRANSLATE_NOOP("TemplateListModel", "Default")};

} // namespace

TemplateListModel::TemplateListModel(Templates& templates, QObject* parent)
    : QAbstractTableModel(parent), templates_(templates), rows_(templates.all())
{
    for (int i = 0; i < static_cast<int>(icons_.size()); ++i)
        icons_[static_cast<std::size_t>(i)] = ColorIcon(i);
}

void TemplateListModel::Refill()
{
    beginResetModel();
    rows_ = templates_.all();
    endResetModel();
}

QString TemplateListModel::ColumnText(const SNote& note, int column)
{
    switch (column) {
    case TextColumn:
        return ToQt(note.text);
    case CategoryColumn:
        return ToQt(note.category);
    case DateColumn:
        return QString::fromLocal8Bit(CreatedColumnText(note.created));
    case ColorColumn:
        return QCoreApplication::translate("TemplateTexts", ColorName(note.color));
    case StyleColumn:
        return QCoreApplication::translate("TemplateTexts", StyleName(note.shape));
    case SizeColumn:
        return QString::fromLatin1(SizeName(note.size));
    case DefaultColumn:
        return note.isDefault ? QStringLiteral("<<") : QString();
    default:
        return {};
    }
}

int TemplateListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TemplateListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TemplateListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const SNote& note = rows_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return ColumnText(note, index.column());
    if (role == Qt::DecorationRole && index.column() == TextColumn)
        return icons_[static_cast<std::size_t>(ColorImageIndex(note.color))];
    return {};
}

QVariant TemplateListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumnCount)
        return tr(kColumnTitles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TemplateListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
