#include "dialogs/EditText.h"

#include "widgets/NoteText.h"
#include "widgets/TextBoxLimit.h"

#include "dialogs/DialogFont.h"
#include "model/Collections.h"
#include "platform/DesktopWindow.h"
#include "platform/DialogUnits.h"
#include "platform/Text.h"

#include <QPlainTextEdit>
#include <QPushButton>

CEditText::CEditText(Templates& templates, int templateIndex, QWidget* parent)
    : QDialog(parent), templates_(templates), templateIndex_(templateIndex)
{
    const SNote note = templates_.get(templateIndex_);

    setWindowTitle(tr("Edit text..."));
    setWindowFlag(Qt::Tool);
    setFixedSize(DluSize(96, 99));
    KeepDialogFixed(this);
    setFont(DialogFont());

    // Created first so it comes first in tab order and takes the focus.
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(DluRect(47, 80, 44, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CEditText::accept);

    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QStringLiteral("text"));
    edit_->setGeometry(DluRect(5, 5, 86, 70));
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    edit_->setTabChangesFocus(true);
    LimitToVisibleBox(edit_);
    edit_->setFont(ToQFont(note.font));
    edit_->setPlainText(NoteTextToQt(note.text));
    edit_->selectAll();
    edit_->ensureCursorVisible();

    FitTexts(this);
    setTabOrder(ok, edit_);
    ok->setFocus();
}

void CEditText::accept()
{
    // A fresh copy: the template may have changed while the dialog was open, and every
    // field but the text keeps the value it has now.
    SNote note = templates_.get(templateIndex_);
    // Stored like a note's own text: line breaks as CR LF.
    note.text = NoteTextFromQt(edit_->toPlainText());
    templates_.replace(templateIndex_, note);
    QDialog::accept();
}
