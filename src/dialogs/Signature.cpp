#include "dialogs/Signature.h"

#include "dialogs/DialogFont.h"
#include "platform/DesktopWindow.h"
#include "platform/DialogUnits.h"
#include "platform/Text.h"

#include <QLineEdit>
#include <QPushButton>

CSignature::CSignature(SNote& record, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      record_(record)
{
    setWindowTitle(tr("Text of signature"));
    setFont(DialogFont());
    setFixedSize(DluSize(125, 43));
    KeepDialogFixed(this);

    edit_ = new QLineEdit(this);
    edit_->setGeometry(DluRect(7, 7, 111, 16));
    ok_ = new QPushButton(tr("OK"), this);
    ok_->setGeometry(DluRect(75, 26, 43, 12));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    FitTexts(this);
    edit_->setText(ToQt(record_.signatureText));
    edit_->selectAll();
    edit_->setFocus(Qt::OtherFocusReason);
}

void CSignature::accept()
{
    record_.signatureText = FromQt(edit_->text());
    record_.signatureKind = SignatureKind::Text;
    QDialog::accept();
}
