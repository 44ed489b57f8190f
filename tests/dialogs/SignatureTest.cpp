#include "dialogs/Signature.h"
#include "support/FakePlatform.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

SNote Record()
{
    SNote note;
    note.signatureKind = SignatureKind::Category;
    note.signatureText = "Old text";
    note.category = "Work";
    note.text = "body";
    return note;
}

TEST(Signature, LayoutAndOpeningState)
{
    FakePlatform fake;
    SNote record = Record();
    CSignature dialog(record);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Text of signature"));
    EXPECT_EQ(dialog.size(), QSize(187, 69)); // 125 x 43 dialog units
    EXPECT_EQ(dialog.edit()->geometry(), QRect(10, 11, 166, 26));
    auto* ok = dialog.findChild<QPushButton*>();
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(112, 42, 64, 19));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_EQ(dialog.edit()->text(), QStringLiteral("Old text"));
    EXPECT_EQ(dialog.edit()->selectedText(), QStringLiteral("Old text"));
}

TEST(Signature, OkStoresTheTextAndSwitchesToIt)
{
    FakePlatform fake;
    SNote record = Record();
    const SNote before = record;
    fake.dialogHandler = [](QDialog& dialog) {
        auto& sig = static_cast<CSignature&>(dialog);
        sig.edit()->setText(QStringLiteral("Grüße"));
        sig.findChild<QPushButton*>()->click();
        return dialog.result();
    };
    CSignature dialog(record);
    EXPECT_EQ(platform().runDialog(dialog), QDialog::Accepted);
    EXPECT_EQ(record.signatureText, "Gr\xC3\xBC\xC3\x9F"
                                    "e");
    EXPECT_EQ(record.signatureKind, SignatureKind::Text);
    SNote rest = record; // nothing else moves
    rest.signatureText = before.signatureText;
    rest.signatureKind = before.signatureKind;
    EXPECT_EQ(rest, before);
}

TEST(Signature, EmptyTextIsStoredLikeAnyOther)
{
    FakePlatform fake;
    SNote record = Record();
    fake.dialogHandler = [](QDialog& dialog) {
        static_cast<CSignature&>(dialog).edit()->clear();
        return int(QDialog::Accepted);
    };
    CSignature dialog(record);
    platform().runDialog(dialog);
    EXPECT_EQ(record.signatureText, "");
    EXPECT_EQ(record.signatureKind, SignatureKind::Text);
}

TEST(Signature, CancelAndEscapeChangeNothing)
{
    FakePlatform fake;
    SNote record = Record();
    fake.dialogHandler = [](QDialog& dialog) {
        static_cast<CSignature&>(dialog).edit()->setText(QStringLiteral("typed"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        return dialog.result();
    };
    {
        CSignature dialog(record);
        EXPECT_EQ(platform().runDialog(dialog), QDialog::Rejected);
    }
    fake.dialogHandler = nullptr; // closed without an answer
    {
        CSignature dialog(record);
        platform().runDialog(dialog);
    }
    EXPECT_EQ(record, Record());
}

} // namespace
