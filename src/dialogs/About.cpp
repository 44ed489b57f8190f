#include "dialogs/About.h"

#include "dialogs/DialogFont.h"
#include "platform/DesktopWindow.h"
#include "platform/DialogUnits.h"
#include "platform/MakerSite.h"
#include "widgets/MyLink.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <string>

namespace {

// The web-link look of CMyLink.
constexpr int WebLinkStyle = 5;
// Pixels between a label's box (which already ends two pixels after its text) and a link.
constexpr int kLinkGap = 5;

QLabel* AddStatic(QWidget* parent, const QString& text, int x, int y, int w, int h)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(DluRect(x, y, w, h));
    return label;
}

QIcon ProgramIcon(const QWidget* widget)
{
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = widget->style()->standardIcon(QStyle::SP_MessageBoxInformation);
    return icon;
}

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Pinleaf"));
    setFixedSize(DluSize(194, 95));
    KeepDialogFixed(this);
    setFont(DialogFont());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    const QRect iconRect = DluRect(7, 9, 20, 20);
    icon->setGeometry(iconRect);
    const int side = std::min(iconRect.width(), iconRect.height());
    icon->setPixmap(ProgramIcon(this).pixmap(side, side));

    AddStatic(this, tr("Pinleaf version 1.65"), 38, 12, 143, 8);
    QLabel* homeLabel = AddStatic(this, tr("Home page:"), 38, 27, 40, 8);
    QLabel* contactLabel = AddStatic(this, tr("Contact form:"), 38, 39, 46, 8);
    AddStatic(this, tr("Sticky notes for your Linux desktop."), 38, 55, 143, 8);

    const std::string home(MakerSite::HomePage());
    // The full address is too long for the line; the site's name stands for it.
    homePage_ = new CMyLink(
        QString::fromLatin1(MakerSite::Host.data(), static_cast<qsizetype>(MakerSite::Host.size())),
        this);
    homePage_->setObjectName(QStringLiteral("homePage"));
    homePage_->setGeometry(DluRect(89, 27, 92, 8));
    homePage_->SetStyle(WebLinkStyle);
    homePage_->SetTip(tr("Go to %1!").arg(QString::fromStdString(home)));
    homePage_->SetTarget(home);

    contact_ = new CMyLink(tr("click here"), this);
    contact_->setObjectName(QStringLiteral("contactForm"));
    contact_->setGeometry(DluRect(89, 39, 92, 8));
    contact_->SetStyle(WebLinkStyle);
    contact_->SetTip(tr("Send email to support"));
    contact_->SetTarget(std::string(MakerSite::ContactPage()));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    // One dialog unit is too thin for the two lines of an etched rule.
    line->setGeometry(DluX(7), DluY(69), DluX(180), 2);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(DluRect(142, 76, 45, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);
    FitTexts(this);
    // Wider fonts than the layout was made for widen the labels: the links then start
    // a little further right, a visible gap after the longer label, and end where they did.
    const int labelsEnd = std::max(homeLabel->geometry().right(), contactLabel->geometry().right());
    const int linkLeft = std::max(homePage_->x(), labelsEnd + kLinkGap);
    for (CMyLink* link : {homePage_, contact_})
        link->setGeometry(linkLeft, link->y(), link->geometry().right() + 1 - linkLeft,
                          link->height());
    ok->setFocus();
}
