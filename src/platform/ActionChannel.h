#pragma once
// Actions for desktop shortcuts: `pinleaf --new-note` and its kin hand their action to
// the running copy through a local socket private to the user. The running copy
// listens and wakes only when a call arrives; the caller ends as soon as the copy has
// taken the action.

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

// Where the running copy listens: "actions.socket" in the runtime folder of the data
// folder (see MachineFolders.h; private to the user); where that path would not fit in a
// socket address, "<key>.socket" in "/tmp/pinleaf-<uid>/" (private too). One channel per
// data folder, as one copy runs per data folder.
QString ActionSocketPath(const std::string& dataFolder);
// Why a running copy could not be reached at path, for the caller's one line.
QString WhyNoActionChannel(const QString& path);

class ActionServer : public QObject {
    Q_OBJECT
public:
    explicit ActionServer(QObject* parent = nullptr);
    ~ActionServer() override;

    // Starts listening at path. Only the copy that holds the instance lock calls this,
    // so a socket already there is one a crashed copy left, and it is replaced; anything
    // else there stays, and listening fails. At most a few callers are served at once,
    // each for a short while.
    bool listen(const QString& path);
    QString errorString() const;

signals:
    // One line of a caller; the caller has its receipt already.
    void actionReceived(const QString& action);

private:
    struct Caller;
    void onNewConnection();
    void onReadyRead(Caller* caller);
    void dropCaller(Caller* caller);

    int fd_ = -1;
    QSocketNotifier* listener_ = nullptr;
    QString error_;
    std::vector<std::unique_ptr<Caller>> callers_;
};

enum class SendResult {
    Delivered,     // the running copy has the action
    NoCopyRunning, // nobody listens at path
    NoAnswer,      // somebody listens but gave no receipt in time
};

// Hands action to the copy listening at path and waits at most timeoutMs for its
// receipt. Needs a QCoreApplication, but no event loop and no display.
SendResult SendAction(const QString& path, const QString& action, int timeoutMs);
