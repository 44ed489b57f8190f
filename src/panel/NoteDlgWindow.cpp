// The panel as a window: its controls, painting, dragging, keys, showing and hiding,
// and the always-on-top state.

#include "panel/NoteDlg.h"

#include "note/Note.h"
#include "note/NoteLook.h"
#include "panel/PanelLook.h"
#include "panel/TemplateList.h"
#include "platform/DesktopWindow.h"
#include "platform/DialogUnits.h"
#include "platform/Help.h"
#include "platform/InstanceLock.h"
#include "platform/MachineSettings.h"
#include "platform/MakerSite.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "platform/WindowDrag.h"
#include "widgets/Menus.h"
#include "widgets/MyLink.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace {

CNoteDlg* thePanel = nullptr;

} // namespace

CNoteDlg* CNoteDlg::instance()
{
    return thePanel;
}

// The panel is a plain frameless window without an owner, kept off task bars and pagers
// by its window states (see showEvent): window managers may hide a utility window, or
// one transient for a window that does not exist, while another program is active.
CNoteDlg::CNoteDlg(std::unique_ptr<HotKeyGrabber> hotKeys, std::unique_ptr<TrayIcon> tray)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), hotKeys_(std::move(hotKeys)),
      tray_(std::move(tray))
{
    thePanel = this;
    setWindowTitle(QStringLiteral("Pinleaf"));
    setFocusPolicy(Qt::StrongFocus);
    panelRect = QRect(QPoint(0, 0), DluSize(173, 206));
    resize(panelRect.size());
    const PanelScheme scheme = PanelSchemeFor(0);
    panelFillColor = scheme.fill;
    panelFrameColor = scheme.frame;
    panelRegion = QRegion(panelRect);
    CreateControls();
}

CNoteDlg::~CNoteDlg()
{
    // The note windows have no parent window; they belong to the panel and end with it.
    for (int slot = 0; slot < notes.count(); ++slot)
        delete notes.get(slot);
    notes.clear();
    if (thePanel == this)
        thePanel = nullptr;
}

void CNoteDlg::CreateControls()
{
    struct Button {
        CMyLink** member;
        const char* name; // the object name, by which tests and tools find it
        const char* text;
        QRect rect;
    };
    const Button buttons[] = {
        {&newLabel, "newLabel", QT_TR_NOOP("New"), DluRect(7, 7, 26, 12)},
        {&sortLabel, "sortLabel", QT_TR_NOOP("Sort"), DluRect(38, 7, 27, 12)},
        {&viewLabel, "viewLabel", QT_TR_NOOP("View"), DluRect(71, 7, 27, 12)},
        {&optionsLabel, "optionsLabel", QT_TR_NOOP("Options"), DluRect(104, 7, 25, 12)},
        {&hideLabel, "hideLabel", QT_TR_NOOP("Hide"), DluRect(150, 7, 16, 12)},
    };
    for (const Button& b : buttons) {
        *b.member = new CMyLink(tr(b.text), this);
        (*b.member)->setObjectName(QString::fromLatin1(b.name));
        (*b.member)->setAlignment(Qt::AlignCenter);
        (*b.member)->setGeometry(b.rect);
    }
    // A translated label gets the room its text needs as far as the row holds it (what
    // does not fit is shared out and the texts drawn a little condensed): the first four
    // then sit side by side from the left, "Hide" at the row's end. The English labels
    // keep the layout as drawn.
    std::array<int, 5> drawn{};
    std::array<int, 5> wanted{};
    for (std::size_t i = 0; i < 5; ++i) {
        CMyLink* link = *buttons[i].member;
        drawn[i] = buttons[i].rect.width();
        wanted[i] = drawn[i];
        if (link->text() != QLatin1String(buttons[i].text))
            wanted[i] =
                std::max(drawn[i], QFontMetrics(link->font()).horizontalAdvance(link->text()) + 6);
    }
    if (wanted != drawn) {
        const int gap = DluX(3);
        const int rowLeft = buttons[0].rect.left();
        const int rowEnd = buttons[4].rect.right();
        const int room = rowEnd + 1 - rowLeft - 4 * gap;
        int sumDrawn = 0;
        int sumWanted = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            sumDrawn += drawn[i];
            sumWanted += wanted[i];
        }
        if (sumWanted > room && sumWanted > sumDrawn) {
            const int extra = std::max(0, room - sumDrawn);
            for (std::size_t i = 0; i < 5; ++i)
                wanted[i] = drawn[i] + (wanted[i] - drawn[i]) * extra / (sumWanted - sumDrawn);
        }
        int x = rowLeft;
        for (std::size_t i = 0; i < 4; ++i) {
            const QRect r = buttons[i].rect;
            (*buttons[i].member)->setGeometry(x, r.top(), wanted[i], r.height());
            x += wanted[i] + gap;
        }
        const QRect r = buttons[4].rect;
        (*buttons[4].member)->setGeometry(rowEnd + 1 - wanted[4], r.top(), wanted[4], r.height());
    } else {
        // The drawn widths were measured for a narrower font than most desktops have: a
        // label its text does not fit grows into the free room beside it ("Hide" to the
        // left, the others to the right), so the text keeps the dialog font.
        const int gap = DluX(2);
        for (int i = 4; i >= 0; --i) {
            CMyLink* link = *buttons[i].member;
            const QRect r = link->geometry();
            const int needed = QFontMetrics(link->font()).horizontalAdvance(link->text()) + 6;
            if (needed <= r.width())
                continue;
            if (i == 4) {
                const int left = std::max(r.right() + 1 - needed,
                                          (*buttons[3].member)->geometry().right() + 1 + gap);
                link->setGeometry(QRect(QPoint(left, r.top()), r.bottomRight()));
            } else {
                const int right = std::min(r.left() + needed - 1,
                                           (*buttons[i + 1].member)->geometry().left() - 1 - gap);
                link->setGeometry(
                    QRect(r.topLeft(), QPoint(std::max(right, r.right()), r.bottom())));
            }
        }
    }

    linkLabel =
        new CMyLink(QString::fromLatin1(MakerSite::Host.data(), MakerSite::Host.size()), this);
    linkLabel->setObjectName(QStringLiteral("linkLabel"));
    linkLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    linkLabel->setGeometry(DluRect(7, 19, 70, 8));

    listCtrl = new TemplateListView(templates, this);
    listCtrl->setObjectName(QStringLiteral("templateList"));
    listCtrl->setGeometry(DluRect(7, 29, 159, 170));
    connect(listCtrl, &TemplateListView::itemActivated, this, &CNoteDlg::OpenTemplateItem);
    connect(listCtrl, &TemplateListView::contextMenuRequested, this, &CNoteDlg::OnListContextMenu);
    connect(listCtrl, &TemplateListView::headerClicked, this, &CNoteDlg::SortTemplates);

    connect(newLabel, &CMyLink::clicked, this, &CNoteDlg::NewTemplate);
    connect(sortLabel, &CMyLink::clicked, this, [this] { TrackMenu(menus.sortMenu, sortLabel); });
    connect(viewLabel, &CMyLink::clicked, this, [this] { TrackMenu(menus.viewMenu, viewLabel); });
    connect(optionsLabel, &CMyLink::clicked, this,
            [this] { TrackMenu(menus.optionsMenu, optionsLabel); });
    connect(hideLabel, &CMyLink::clicked, this, [this] { OnCommand(PanelCommand::ShowPanel); });
    connect(linkLabel, &CMyLink::clicked, this, &CNoteDlg::OnLinkClicked);
}

void CNoteDlg::TrackMenu(QMenu* menu, CMyLink* label)
{
    if (menu)
        menu->popup(label->mapToGlobal(QPoint(0, label->height())));
}

void CNoteDlg::OnLinkClicked()
{
    // The link line opens the home page; the label itself opens its own target.
    platform().open(std::string(MakerSite::HomePage()));
}

void CNoteDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (settings.panelStyle == static_cast<std::int32_t>(PanelStyle::RoundAngles)) {
        QPainterPath path;
        path.addRoundedRect(QRectF(panelRect.adjusted(0, 0, -1, -1)), 4.5, 4.5);
        painter.setPen(QPen(panelFrameColor, 0));
        painter.setBrush(panelFillColor);
        painter.drawPath(path);
        return;
    }
    painter.fillRect(panelRect, panelFillColor);
    painter.setClipRegion(RegionFrame(panelRegion));
    painter.fillRect(panelRect, panelFrameColor);
}

void CNoteDlg::mousePressEvent(QMouseEvent* event)
{
    // Only the panel's own background starts a drag, never a label or the list.
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && !childAt(at))
        drag.Start(event->globalPosition().toPoint(), geometry().topLeft());
    QWidget::mousePressEvent(event);
}

void CNoteDlg::mouseMoveEvent(QMouseEvent* event)
{
    if (drag.Active())
        setGeometry(QRect(drag.To(event->globalPosition().toPoint()), panelRect.size()));
    QWidget::mouseMoveEvent(event);
}

void CNoteDlg::mouseReleaseEvent(QMouseEvent* event)
{
    // The new place is not stored: the settings take the window's position at exit.
    if (event->button() == Qt::LeftButton && drag.Finish())
        MarkChanged();
    QWidget::mouseReleaseEvent(event);
}

void CNoteDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnOK();
        break;
    case Qt::Key_Escape:
        OnCancel();
        break;
    case Qt::Key_F1:
        OpenHelp();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CNoteDlg::showEvent(QShowEvent* event)
{
    KeepOffTaskbar(this);
    QWidget::showEvent(event);
}

void CNoteDlg::closeEvent(QCloseEvent* event)
{
    // The panel ends only through Exit, Enter or Escape; a window manager's close
    // request would otherwise end the program without saving.
    if (!ended_)
        event->ignore();
}

void CNoteDlg::TogglePanel()
{
    settings.panelVisible = !settings.panelVisible;
    setVisible(settings.panelVisible);
    // Shown by a key, the tray or the command line, the panel takes the keyboard, so
    // Enter and Escape reach it and not the window that had it.
    if (settings.panelVisible && started_)
        ActivateWindow(this);
    UpdatePollTimer();
    if (menus.optionsMenu) {
        if (QAction* item = FindItem(menus.optionsMenu, Id(PanelCommand::ShowPanel)))
            item->setText(settings.panelVisible
                              ? QCoreApplication::translate("PanelMenus", "Hide Panel")
                              : QCoreApplication::translate("PanelMenus", "Show Panel"));
    }
    if (showTrayBalloon && !settings.panelVisible)
        AddTrayIcon(true);
}

void CNoteDlg::MarkOnAllDesktops()
{
    if (QAction* item = menus.onAllDesktops) {
        // Like every mark here, only a marked item is checkable.
        item->setCheckable(OnAllDesktops());
        item->setChecked(OnAllDesktops());
    }
}

void CNoteDlg::ToggleOnAllDesktops()
{
    const bool on = !OnAllDesktops();
    if (!SetOnAllDesktopsSetting(on))
        platform().ask(nullptr,
                       FromQt(QCoreApplication::translate("PanelMenus", "Cannot write %1.")
                                  .arg(MachineSettingsFile())),
                       FromQt(QCoreApplication::translate("PanelMenus", "Attention!")),
                       MessageButtons::Ok, MessageIcon::Stop);
    SetOnAllDesktops(on);
    ApplyOnAllDesktops(this);
    for (int slot = 0; slot < notes.count(); ++slot)
        if (CNote* note = notes.get(slot))
            ApplyOnAllDesktops(note);
    MarkOnAllDesktops();
}

void CNoteDlg::ToggleAlwaysOnTop()
{
    const QRect place = geometry();
    settings.alwaysOnTop = !settings.alwaysOnTop;
    setWindowFlag(Qt::WindowStaysOnTopHint, settings.alwaysOnTop);
    // Changing the window flags may unmap the window; put it back where it was.
    setGeometry(place);
    if (settings.panelVisible && !isVisible())
        show();
    if (menus.optionsMenu)
        CheckItem(menus.optionsMenu, Id(PanelCommand::AlwaysTop), settings.alwaysOnTop);
}
