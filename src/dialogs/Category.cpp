#include "dialogs/Category.h"

#include "dialogs/DialogFont.h"
#include "model/Collections.h"
#include "model/Factory.h"
#include "platform/DesktopWindow.h"
#include "platform/DialogUnits.h"
#include "platform/Platform.h"
#include "platform/Text.h"

#include <QByteArray>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
// Each list item remembers the bytes it was read with, so names nobody touched go back
// to the collection exactly as they came (a store written elsewhere may hold other
// encodings than ours, and the notes refer to their category by those bytes).
constexpr int OriginalBytesRole = Qt::UserRole;
} // namespace

CCategory::CCategory(Categories& categories, QWidget* parent)
    : QDialog(parent), categories_(categories)
{
    setWindowTitle(tr("List of Category"));
    setFixedSize(DluSize(145, 185));
    KeepDialogFixed(this);
    setFont(DialogFont());

    auto* label = new QLabel(tr("New Category"), this);
    label->setGeometry(DluRect(8, 6, 47, 8));

    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("newCategory"));
    edit_->setGeometry(DluRect(7, 16, 84, 14));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("categoryList"));
    list_->setGeometry(DluRect(7, 34, 84, 123));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setSortingEnabled(false);
    connect(list_, &QListWidget::currentRowChanged, this, &CCategory::OnUserSelected);
    connect(list_, &QListWidget::itemClicked, this, &CCategory::OnUserSelected);

    connect(AddButton(tr("Add"), "add", 98, 16, 40, 14), &QPushButton::clicked, this,
            &CCategory::OnAdd);
    connect(AddButton(tr("Replace"), "replace", 98, 34, 40, 14), &QPushButton::clicked, this,
            &CCategory::OnReplace);
    connect(AddButton(tr("Delete"), "delete", 98, 52, 40, 14), &QPushButton::clicked, this,
            &CCategory::OnDelete);
    connect(AddButton(tr("Move Up"), "moveUp", 98, 87, 40, 14), &QPushButton::clicked, this,
            &CCategory::OnMoveUp);
    connect(AddButton(tr("Move Down"), "moveDown", 98, 105, 40, 14), &QPushButton::clicked, this,
            &CCategory::OnMoveDown);
    connect(AddButton(tr("Set default"), "setDefault", 98, 139, 40, 14), &QPushButton::clicked,
            this, &CCategory::OnSetDefault);
    auto* ok = AddButton(tr("OK"), "ok", 47, 164, 44, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CCategory::accept);
    connect(AddButton(tr("Cancel"), "cancel", 98, 164, 40, 14), &QPushButton::clicked, this,
            &CCategory::reject);

    FitTexts(this);
    Fill();
    Select(0);
    edit_->setFocus();
}

QPushButton* CCategory::AddButton(const QString& text, const char* name, int x, int y, int w, int h)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(DluRect(x, y, w, h));
    return button;
}

void CCategory::Fill()
{
    QSignalBlocker block(list_);
    list_->clear();
    for (const std::string& name : categories_.all()) {
        auto* item = new QListWidgetItem(ToQt(name));
        item->setData(OriginalBytesRole, QByteArray::fromStdString(name));
        list_->addItem(item);
    }
}

void CCategory::Select(int row)
{
    QSignalBlocker block(list_);
    if (row >= 0 && row < list_->count())
        list_->setCurrentRow(row);
    else
        list_->setCurrentRow(-1);
}

int CCategory::SelectedRow() const
{
    const auto selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void CCategory::OnUserSelected()
{
    int row = SelectedRow();
    if (row >= 0)
        edit_->setText(list_->item(row)->text());
}

void CCategory::OnAdd()
{
    const QString text = edit_->text();
    edit_->setFocus();
    if (text.trimmed().isEmpty()) {
        edit_->clear();
        return;
    }
    // Exact comparison: a trailing blank or another letter case makes a new name.
    for (int i = 0; i < list_->count(); ++i) {
        if (list_->item(i)->text() == text) {
            edit_->clear();
            return;
        }
    }
    if (list_->count() >= MaxItems)
        platform().ask(this, FromQt(tr("50 items is maximum!")), FromQt(tr("Attention!")),
                       MessageButtons::Ok, MessageIcon::Stop);
    else
        list_->insertItem(0, new QListWidgetItem(text));
    edit_->clear();
}

void CCategory::OnReplace()
{
    // Nothing selected (an empty list, or right after "Set default"): nothing to replace.
    int row = SelectedRow();
    if (row < 0)
        return;
    const QString text = edit_->text();
    if (text == list_->item(row)->text())
        return;
    if (!platform().ask(this, FromQt(tr("Do you want to replace selected item?")),
                        FromQt(tr("Confirmation")), MessageButtons::OkCancel,
                        MessageIcon::Question))
        return;
    {
        QSignalBlocker block(list_);
        delete list_->takeItem(row);
        list_->insertItem(row, new QListWidgetItem(text));
    }
    Select(row);
    edit_->clear();
    edit_->setFocus();
}

void CCategory::OnDelete()
{
    // The last name stays: every note needs some category to choose from.
    int row = SelectedRow();
    if (row < 0 || list_->count() <= 1)
        return;
    const std::string question =
        FromQt(tr("Do you want delete - \"%1\" ?").arg(list_->item(row)->text()));
    if (!platform().ask(this, question, FromQt(tr("Brindle")), MessageButtons::YesNo,
                        MessageIcon::Question))
        return;
    {
        QSignalBlocker block(list_);
        delete list_->takeItem(row);
    }
    Select(0);
}

void CCategory::OnMoveUp()
{
    int row = SelectedRow();
    if (row <= 0)
        return;
    {
        QSignalBlocker block(list_);
        QListWidgetItem* item = list_->takeItem(row);
        list_->insertItem(row - 1, item);
    }
    Select(row - 1);
}

void CCategory::OnMoveDown()
{
    int row = SelectedRow();
    if (row < 0 || row >= list_->count() - 1)
        return;
    {
        QSignalBlocker block(list_);
        QListWidgetItem* item = list_->takeItem(row);
        list_->insertItem(row + 1, item);
    }
    Select(row + 1);
}

void CCategory::OnSetDefault()
{
    if (!platform().ask(this, FromQt(tr("Do you want set default items?")), FromQt(tr("Brindle")),
                        MessageButtons::YesNo, MessageIcon::Question))
        return;
    // Takes effect at once; Cancel afterwards does not bring the old list back.
    LoadFactoryCategories(categories_);
    Fill();
    Select(-1);
}

void CCategory::accept()
{
    categories_.clear();
    for (int i = 0; i < list_->count(); ++i) {
        const QListWidgetItem* item = list_->item(i);
        const QByteArray original = item->data(OriginalBytesRole).toByteArray();
        if (!original.isNull() && ToQt(original.toStdString()) == item->text())
            categories_.append(original.toStdString());
        else
            categories_.append(FromQt(item->text()));
    }
    QDialog::accept();
}

void CCategory::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == edit_) {
        OnAdd();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
