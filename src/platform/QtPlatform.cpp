#include "platform/QtPlatform.h"

#include "platform/DesktopWindow.h"
#include "platform/Text.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

QRect QtPlatform::desktopRect() const
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry();
    return {};
}

QRect QtPlatform::workArea() const
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->availableGeometry();
    return {};
}

QPoint QtPlatform::cursorPos() const
{
    return QCursor::pos();
}

bool QtPlatform::ask(QWidget* parent, const std::string& text, const std::string& caption,
                     MessageButtons buttons, MessageIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::Question;
    switch (icon) {
    case MessageIcon::Question:
        boxIcon = QMessageBox::Question;
        break;
    case MessageIcon::Exclamation:
        boxIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Stop:
        boxIcon = QMessageBox::Critical;
        break;
    }
    QMessageBox::StandardButtons boxButtons = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoDefaultNo)
        boxButtons = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == MessageButtons::OkCancel)
        boxButtons = QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(boxIcon, ToQt(caption), ToQt(text), boxButtons, parent);
    if (buttons == MessageButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    KeepDialogFixed(&box);
    const int answer = box.exec();
    return answer == QMessageBox::Yes || answer == QMessageBox::Ok;
}

bool QtPlatform::askRetry(QWidget* parent, const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Critical, ToQt(caption), ToQt(text), QMessageBox::Retry, parent);
    QPushButton* quit =
        box.addButton(QCoreApplication::translate("QtPlatform", "Quit without saving"),
                      QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Retry);
    KeepDialogFixed(&box);
    box.exec();
    return box.clickedButton() != quit;
}

void QtPlatform::leaveModalLoops()
{
    // Menus first: a menu's exec() returns nothing chosen.
    for (int guard = 0; guard < 16; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            break;
        popup->close();
    }
    // Every visible dialog returns Rejected; each nested exec() loop then unwinds.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows)
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible())
            dialog->reject();
}

int QtPlatform::runDialog(QDialog& dialog)
{
    return dialog.exec();
}

std::optional<LogFont> QtPlatform::chooseFont(QWidget* parent, const LogFont& initial)
{
    QFontDialog dialog(ToQFont(initial), parent);
    // What the dialog makes of the stored font before the user touches it: a face the
    // system substitutes, a weight of 0. OK on that changes nothing in the record.
    const QFont opened = dialog.currentFont();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    if (chosen == opened)
        return initial;
    return FromQFont(chosen, initial);
}

QUrl TargetUrl(const std::string& target)
{
    const QString text = ToQt(target);
    const QUrl url(text, QUrl::StrictMode);
    // A one-letter scheme would be a drive letter, not a protocol.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
}

bool QtPlatform::open(const std::string& target)
{
    return QDesktopServices::openUrl(TargetUrl(target));
}

SystemTime QtPlatform::now() const
{
    const QDateTime local = QDateTime::currentDateTime();
    const QDate date = local.date();
    const QTime time = local.time();
    SystemTime t;
    t.year = static_cast<std::uint16_t>(date.year());
    t.month = static_cast<std::uint16_t>(date.month());
    t.dayOfWeek = static_cast<std::uint16_t>(date.dayOfWeek() % 7); // Sunday is 0
    t.day = static_cast<std::uint16_t>(date.day());
    t.hour = static_cast<std::uint16_t>(time.hour());
    t.minute = static_cast<std::uint16_t>(time.minute());
    t.second = static_cast<std::uint16_t>(time.second());
    t.milliseconds = 0;
    return t;
}

std::int64_t QtPlatform::secondsSinceEpoch() const
{
    return QDateTime::currentSecsSinceEpoch();
}

QLocale QtPlatform::locale() const
{
    return QLocale::system();
}
