#pragma once
// CEditText ("Edit text..."): edits the body text of one template, shown in the
// template's own font.

#include <QDialog>

class Templates;
class QPlainTextEdit;

class CEditText : public QDialog {
    Q_OBJECT
public:
    // templateIndex must name an existing template.
    CEditText(Templates& templates, int templateIndex, QWidget* parent = nullptr);

    void accept() override;

private:
    Templates& templates_;
    int templateIndex_;
    QPlainTextEdit* edit_ = nullptr; // 1012
};
