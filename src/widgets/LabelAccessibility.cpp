#include "widgets/LabelAccessibility.h"

#include "widgets/MyLink.h"
#include "widgets/MyStatic.h"

#include <QAccessibleWidget>
#include <QRegularExpression>

namespace {

// Text as read aloud: an "&" that marks a mnemonic is not read.
QString Spoken(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")))
        .replace(QStringLiteral("&&"), QStringLiteral("&"));
}

class StaticAccessible : public QAccessibleWidget {
public:
    explicit StaticAccessible(CMyStatic* label) : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QString text(QAccessible::Text kind) const override
    {
        const auto* label = static_cast<const CMyStatic*>(widget());
        if (kind == QAccessible::Name && label->accessibleName().isEmpty())
            return Spoken(label->text());
        if (kind == QAccessible::Description && label->accessibleDescription().isEmpty())
            return label->text(); // the whole text, also where the label clips it
        return QAccessibleWidget::text(kind);
    }
};

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(CMyLink* link) : QAccessibleWidget(link, QAccessible::Button) {}
    QString text(QAccessible::Text kind) const override
    {
        const auto* link = static_cast<const CMyLink*>(widget());
        if (kind == QAccessible::Name && link->accessibleName().isEmpty())
            return Spoken(link->text());
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<CMyLink*>(widget())->Activate();
        else
            QAccessibleWidget::doAction(action);
    }
};

class NoteAccessible : public QAccessibleWidget {
public:
    explicit NoteAccessible(QWidget* note) : QAccessibleWidget(note, QAccessible::Window) {}
    QString text(QAccessible::Text kind) const override
    {
        const QWidget* note = widget();
        // The name window lists show too: the first line with text (see NoteTitle).
        if (kind == QAccessible::Name && note->accessibleName().isEmpty())
            return note->windowTitle();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CMyStatic"))
        return new StaticAccessible(static_cast<CMyStatic*>(object));
    if (className == QLatin1String("CMyLink"))
        return new LinkAccessible(static_cast<CMyLink*>(object));
    if (className == QLatin1String("CNote"))
        return new NoteAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void InstallLabelAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}
