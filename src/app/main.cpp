#include "app/ChooseHotKeyGrabber.h"
#include "app/NoteApp.h"
#include "hotkeys/HotKeys.h"
#include "panel/NoteDlg.h"
#include "platform/ActionChannel.h"
#include "platform/AppIcon.h"
#include "platform/AppId.h"
#include "platform/Autostart.h"
#include "platform/DialogUnits.h"
#include "platform/SystemTrayIcon.h"
#include "platform/Translations.h"
#include "store/Stores.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#ifndef PINLEAF_VERSION
#define PINLEAF_VERSION "0"
#endif

namespace {

// How long a call waits for the running copy's receipt.
constexpr int kHandOverTimeoutMs = 800;

std::optional<HotKeyId> ActionHotKey(const QString& name)
{
    for (const HotKeyBinding& binding : kHotKeys)
        if (name == QLatin1String(binding.action))
            return binding.id;
    return std::nullopt;
}

// Prints help or the version and exits, or returns the one action asked for (empty:
// none). Needs no display.
QString ParseCommandLine(const QCoreApplication& core)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "main", "Sticky notes for the Linux desktop.\n\nWith an action, a running copy does it and "
                "this call ends; with no copy running, Pinleaf starts and then does it. Bind the "
                "actions to keyboard shortcuts in your desktop's settings."));
    parser.addHelpOption();
    parser.addVersionOption();
    // The six hot-key commands, as options a desktop's own keyboard shortcuts can run.
    for (const HotKeyBinding& binding : kHotKeys)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(binding.action),
                               QCoreApplication::translate("HotKeys", binding.description)));
    parser.process(core);

    QString chosen;
    for (const HotKeyBinding& binding : kHotKeys) {
        if (!parser.isSet(QString::fromLatin1(binding.action)))
            continue;
        if (!chosen.isEmpty()) {
            std::fprintf(stderr, "pinleaf: give one action at a time\n");
            std::exit(1);
        }
        chosen = QString::fromLatin1(binding.action);
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "pinleaf: unexpected argument '%s' (see pinleaf --help)\n",
                     qPrintable(parser.positionalArguments().first()));
        std::exit(1);
    }
    return chosen;
}

// Why there can be no display, or empty when there may be one: the toolkit itself would
// abort with a message about plugins that helps nobody. Whether the display named can
// be reached shows when the toolkit connects (see StartupMessages).
std::string MissingDisplay()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty() && !chosen.startsWith("xcb"))
        return {}; // the user picked another platform (offscreen, wayland...)
    if (qgetenv("DISPLAY").isEmpty()) {
        if (chosen.isEmpty() && !qgetenv("WAYLAND_DISPLAY").isEmpty())
            return {}; // a Wayland session without XWayland: runs without hot keys
        return "DISPLAY is not set";
    }
    return {};
}

void SayNoDisplay(const std::string& why)
{
    std::fprintf(stderr, "pinleaf: no X display (%s); start Pinleaf from a graphical session\n",
                 why.c_str());
}

// While the toolkit connects to the display, its messages wait here: when it cannot
// connect, they give way to one line of ours; otherwise they are passed on as they came.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
QtMessageHandler passOn = nullptr;
std::vector<HeldMessage>* held = nullptr;

void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        SayNoDisplay("cannot open display " + qgetenv("DISPLAY").toStdString());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (held) {
        const bool named = context.category && std::strcmp(context.category, "default") != 0;
        held->push_back(
            {type,
             named ? QString::fromUtf8(context.category) + QStringLiteral(": ") + text : text});
        return;
    }
    passOn(type, context, text);
}

void RunAction(const QString& name)
{
    CNoteDlg* panel = CNoteDlg::instance();
    const std::optional<HotKeyId> hotKey = ActionHotKey(name);
    if (panel && !panel->Ended() && hotKey)
        panel->OnHotKey(*hotKey);
}

} // namespace

int main(int argc, char** argv)
{
    QString action;
    const QString socketPath = ActionSocketPath(store::DataFolder());
    // A plain start has nothing to parse: it goes straight to the window system.
    if (argc > 1) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("pinleaf"));
        QCoreApplication::setApplicationVersion(QStringLiteral(PINLEAF_VERSION));
        LoadTranslations(core);
        action = ParseCommandLine(core);
        if (!action.isEmpty()) {
            switch (SendAction(socketPath, action, kHandOverTimeoutMs)) {
            case SendResult::Delivered:
                return 0;
            case SendResult::NoAnswer:
                std::fprintf(stderr, "pinleaf: the running copy did not take the action\n");
                return 1;
            case SendResult::NoCopyRunning:
                break; // start, then act
            }
        }
    }
    const std::string missing = MissingDisplay();
    if (!missing.empty()) {
        SayNoDisplay(missing);
        return 1;
    }

    ChooseWindowSystem();
    std::vector<HeldMessage> startupMessages;
    held = &startupMessages;
    passOn = qInstallMessageHandler(StartupMessages);
    CNoteApp app(argc, argv);
    held = nullptr;
    qInstallMessageHandler(passOn);
    LoadTranslations(app);
    // Layouts, the dialog font and the panel's buttons follow the desktop's font size.
    SetDialogScale(DesktopFontScale(QApplication::font()));
    for (const HeldMessage& message : startupMessages)
        qt_message_output(message.type, QMessageLogContext(), message.text);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(AppId.data(), qsizetype(AppId.size())));
    // The icon theme is asked once the windows are up.
    CNoteApp::setWindowIcon(BuiltInAppIcon());

    // Listening starts once the panel runs, in the copy that holds the instance lock; a
    // second copy ends before its event loop and never listens.
    ActionServer actions;
    bool running = false;
    QObject::connect(&actions, &ActionServer::actionReceived, &app, RunAction);
    QTimer::singleShot(0, &app, [&actions, &socketPath, &action, &running] {
        CNoteDlg* panel = CNoteDlg::instance();
        if (!panel || panel->Ended())
            return;
        running = true;
        if (!actions.listen(socketPath))
            std::fprintf(stderr, "pinleaf: actions from the command line are off (%s: %s)\n",
                         qPrintable(socketPath), qPrintable(actions.errorString()));
        if (!action.isEmpty())
            RunAction(action);
        QString error;
        if (!RefreshStartAtLogin(&error))
            std::fprintf(stderr, "pinleaf: cannot update %s: %s\n", qPrintable(AutostartFile()),
                         qPrintable(error));
        if (UseThemedAppIcon())
            panel->RefreshTrayIcon();
    });

    // Without an X display the grabs do nothing, and without a tray host the icon
    // stays away: the program runs on either way.
    const int status = app.InitInstance(ChooseHotKeyGrabber(), std::make_unique<SystemTrayIcon>());
    // Another copy was starting too and won: it listens in a moment.
    bool delivered = false;
    for (int attempt = 0; status == 0 && !running && !action.isEmpty() && attempt < 10; ++attempt) {
        delivered = SendAction(socketPath, action, kHandOverTimeoutMs / 4) == SendResult::Delivered;
        if (delivered)
            break;
        QThread::msleep(100);
    }
    if (status == 0 && !running && !action.isEmpty() && !delivered) {
        std::fprintf(stderr, "pinleaf: the running copy did not take the action: %s\n",
                     qPrintable(WhyNoActionChannel(socketPath)));
        return 1;
    }
    return status;
}
