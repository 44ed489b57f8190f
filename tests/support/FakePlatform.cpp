#include "support/FakePlatform.h"

#include <QWidget>

bool FakeHotKeyGrabber::grab(int id, QKeyCombination keys)
{
    calls.push_back({true, id, keys});
    for (const QKeyCombination& owned : ownedByOthers)
        if (owned == keys)
            return false;
    live[id] = keys;
    return true;
}

void FakeHotKeyGrabber::release(int id)
{
    calls.push_back({false, id, {}});
    live.erase(id);
}

void FakeTrayIcon::add(const QString& tip, bool balloon, const QString& title, const QString& text)
{
    adds.push_back({tip, balloon, title, text});
    present = true;
}

void FakeTrayIcon::remove()
{
    ++removes;
    present = false;
}

bool HelpOffered(const FakePlatform& fake)
{
    if (fake.opened.size() == 1 && fake.asked.empty())
        return fake.opened[0].ends_with("Help.chm") || fake.opened[0].ends_with("index.html");
    return fake.opened.empty() && fake.asked.size() == 1 && fake.asked[0].caption == "Pinleaf Help";
}

FakePlatform::FakePlatform()
{
    setPlatform(this);
}

FakePlatform::~FakePlatform()
{
    setPlatform(nullptr);
}

bool FakePlatform::ask(QWidget*, const std::string& text, const std::string& caption,
                       MessageButtons buttons, MessageIcon icon)
{
    asked.push_back({text, caption, buttons, icon});
    if (answers.empty())
        return defaultAnswer;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

int FakePlatform::runDialog(QDialog& dialog)
{
    dialogsRun.push_back(dialog.windowTitle());
    int code = dialogHandler ? dialogHandler(dialog) : QDialog::Rejected;
    if (code == QDialog::Accepted)
        dialog.accept();
    else
        dialog.reject();
    return code;
}

std::optional<LogFont> FakePlatform::chooseFont(QWidget*, const LogFont& initial)
{
    fontDialogsOpenedWith.push_back(initial);
    auto result = nextFont;
    nextFont.reset();
    return result;
}
