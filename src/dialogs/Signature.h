#pragma once
// CSignature ("Text of signature"): edits the signature text of one record, a note's own
// or a template, and switches the record to showing it. Writes only on OK.

#include "model/SNote.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

class CSignature : public QDialog {
    Q_OBJECT
public:
    CSignature(SNote& record, QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }

    void accept() override;

private:
    SNote& record_;
    QLineEdit* edit_;
    QPushButton* ok_;
};
