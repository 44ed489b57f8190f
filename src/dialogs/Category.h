#pragma once
// CCategory ("List of Category"): maintains the user's category list. Works on a copy
// in its list box; the shared collection is written back only on OK, except that
// "Set default" resets it at once.

#include <QDialog>

class Categories;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QPushButton;

class CCategory : public QDialog {
    Q_OBJECT
public:
    // Most names the dialog lets the list reach.
    static constexpr int MaxItems = 50;

    CCategory(Categories& categories, QWidget* parent = nullptr);

    void OnAdd();
    void OnReplace();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();
    void OnSetDefault();
    void accept() override;

protected:
    // Enter in the edit field adds the typed name instead of closing the dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* AddButton(const QString& text, const char* name, int x, int y, int w, int h);
    void Fill();
    // Selects a row without counting as the user's selection (the edit field keeps its text).
    void Select(int row);
    int SelectedRow() const;
    void OnUserSelected();

    Categories& categories_;
    QListWidget* list_ = nullptr; // 1000
    QLineEdit* edit_ = nullptr;   // 1012
};
