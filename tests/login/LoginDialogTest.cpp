#include "LoginFixture.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace wc::test {
namespace {

class LoginDialog : public LoginFixture {
protected:
    QString rememberedFile() const { return configHome.filePath("ZelPelti.json"); }

    QByteArray rememberedBytes() const {
        QFile file(rememberedFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeRemembered(const QByteArray& bytes) const {
        QFile file(rememberedFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // The rows of the remembered login table as the file holds them.
    QJsonArray rememberedRows() const {
        const QByteArray bytes = rememberedBytes();
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << "UTF-8 with its byte order mark";
        const QJsonDocument document = QJsonDocument::fromJson(bytes.mid(3));
        return document["FDBS"]["Manager"]["TableList"][0]["RowList"].toArray();
    }
    static QJsonObject original(const QJsonArray& rows) { return rows.at(0)["Original"].toObject(); }

    void reshow() {
        dialog().hide();
        dialog().show();
    }
};

TEST_F(LoginDialog, hasItsDesignLayoutTextsAndFonts) {
    dialog().show();
    EXPECT_EQ(dialog().windowTitle(), "frmLogin");
    EXPECT_EQ(dialog().size(), QSize(362, 158));
    EXPECT_EQ(dialog().font().family(), "Tahoma");
    EXPECT_EQ(dialog().font().pointSize(), 8);
    const struct {
        QWidget* control;
        QRect geometry;
        QString text;
    } controls[] = {
        {dialog().Label1, {16, 24, 50, 14}, "Company"},  {dialog().Label2, {16, 56, 55, 14}, "UserName"},
        {dialog().Label3, {16, 88, 51, 14}, "Password"}, {dialog().Edit1, {77, 22, 268, 21}, ""},
        {dialog().Edit2, {77, 54, 268, 21}, ""},         {dialog().Edit3, {77, 86, 268, 21}, ""},
        {dialog().Button1, {77, 120, 75, 30}, "Login"},
    };
    for (const auto& c : controls) {
        // Captions keep their place and grow to their text when the font is wider.
        const QSize size = qobject_cast<QLabel*>(c.control) ? c.geometry.size().expandedTo(c.control->sizeHint())
                                                             : c.geometry.size();
        EXPECT_EQ(c.control->geometry(), QRect(c.geometry.topLeft(), size)) << c.text.toStdString();
        if (auto* label = qobject_cast<QLabel*>(c.control)) {
            EXPECT_EQ(label->text(), c.text);
            EXPECT_EQ(label->font().family(), "Tahoma");
            EXPECT_EQ(label->font().pointSize(), 9);
        }
    }
    EXPECT_EQ(dialog().Button1->text(), "Login");
    EXPECT_TRUE(dialog().Button1->isDefault());
    EXPECT_TRUE(dialog().windowFlags() & Qt::WindowMinMaxButtonsHint);
}

TEST_F(LoginDialog, showsEveryPasswordCharacterAsAStar) {
    dialog().show();
    dialog().Edit3->setText("parolă");
    EXPECT_EQ(dialog().Edit3->displayText(), "******");
}

TEST_F(LoginDialog, tabGoesFromThePasswordToLoginThenCompanyThenOperator) {
    dialog().show();
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        QWidget* focused = dialog().focusWidget();
        order << (focused == dialog().Edit3     ? "Edit3"
                  : focused == dialog().Button1 ? "Button1"
                  : focused == dialog().Edit1   ? "Edit1"
                  : focused == dialog().Edit2   ? "Edit2"
                                                : "other");
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(order, (QStringList{"Edit3", "Button1", "Edit1", "Edit2"}));
    EXPECT_EQ(dialog().focusWidget(), dialog().Edit3) << "Tab wraps round to the password box";
}

TEST_F(LoginDialog, focusIsInThePasswordBoxAtEveryShowing) {
    dialog().show();
    dialog().Edit1->setFocus();
    reshow();
    EXPECT_EQ(dialog().focusWidget(), dialog().Edit3);
}

class EnterInBox : public LoginDialog, public ::testing::WithParamInterface<int> {};

TEST_P(EnterInBox, pressesLogin) {
    dialog().show();
    QLineEdit* boxes[] = {dialog().Edit1, dialog().Edit2, dialog().Edit3};
    enter("Firma Necunoscuta", "ana", "x");
    QTest::keyClick(boxes[GetParam()], Qt::Key_Return);
    EXPECT_EQ(takeError(), "Companie inexistenta.");
    EXPECT_EQ(dmCon->glNumeFirma, "Firma Necunoscuta");
}

INSTANTIATE_TEST_SUITE_P(EachBox, EnterInBox, ::testing::Values(0, 1, 2));

TEST_F(LoginDialog, closingByTheTitleBarEndsWithAResultOtherThanOk) {
    QTimer::singleShot(0, [] { frmLogin->close(); });
    EXPECT_EQ(dialog().exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(LoginDialog, firstRunStartsEmptyAndRemembersTheTypedNamesEvenWhenRefused) {
    dialog().show();
    EXPECT_EQ(dialog().Edit1->text(), "");
    EXPECT_EQ(dialog().Edit2->text(), "");
    EXPECT_EQ(dialog().focusWidget(), dialog().Edit3);
    EXPECT_EQ(takeError(), "<none>");

    type(dialog().Edit1, "Firma Necunoscuta");
    type(dialog().Edit2, "ion");
    type(dialog().Edit3, "secret");
    press();

    EXPECT_EQ(takeError(), "Companie inexistenta.");
    const QJsonArray rows = rememberedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(original(rows), (QJsonObject{{"company", "Firma Necunoscuta"}, {"username", "ion"}}));
    EXPECT_FALSE(rememberedBytes().contains("secret")) << "the password is never remembered";
}

TEST_F(LoginDialog, companyOnlyIsRememberedWithoutAnOperator) {
    dialog().show();
    type(dialog().Edit1, "Firma Test");
    press();
    EXPECT_EQ(original(rememberedRows()), (QJsonObject{{"company", "Firma Test"}}));
}

TEST_F(LoginDialog, untouchedFirstRunRemembersNoRow) {
    dialog().show();
    press();
    EXPECT_EQ(takeError(), "Companie inexistenta.");
    EXPECT_TRUE(QFile::exists(rememberedFile()));
    EXPECT_EQ(rememberedRows(), QJsonArray());
}

TEST_F(LoginDialog, showsRomanianLettersUnchangedAtTheNextShowing) {
    const QString name = QStringLiteral("Ţesătoria Ştefăneşti SRL");
    dialog().show();
    type(dialog().Edit1, name);
    type(dialog().Edit2, "Ionuţ");
    press();
    EXPECT_TRUE(rememberedBytes().contains(name.toUtf8()));

    dialog().Edit1->clear();
    dialog().Edit2->clear();
    reshow();
    EXPECT_EQ(dialog().Edit1->text(), name);
    EXPECT_EQ(dialog().Edit2->text(), "Ionuţ");
}

TEST_F(LoginDialog, reloadsTheFileAtEveryShowingDroppingWhatWasNotSaved) {
    dialog().show();
    type(dialog().Edit1, "Firma Test");
    press();
    type(dialog().Edit1, " nesalvata");
    EXPECT_EQ(dialog().dsLogin.value(dialog().dsLogincompany), "Firma Test nesalvata");
    reshow();
    EXPECT_EQ(dialog().Edit1->text(), "Firma Test");
}

TEST_F(LoginDialog, typingChangesTheOneRememberedRow) {
    dialog().show();
    type(dialog().Edit2, "ana");
    press();
    QTest::keyClick(dialog().Edit2, Qt::Key_A, Qt::ControlModifier);
    type(dialog().Edit2, "ion");
    press();
    const QJsonArray rows = rememberedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(original(rows), (QJsonObject{{"username", "ion"}}));
}

TEST_F(LoginDialog, malformedFileIsReportedAndTheDialogOpensEmptyAndWritesAtTheNextPress) {
    writeRemembered("\xEF\xBB\xBF{\"FDBS\":{\"Version\":16,\"Manager\":{\"TableList\":[{");
    dialog().show();

    const QString shown = takeError();
    EXPECT_TRUE(shown.contains("Invalid JSON storage format")) << shown.toStdString();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialog().focusWidget(), dialog().Edit3);
    EXPECT_EQ(dialog().Edit1->text(), "");

    type(dialog().Edit1, "Firma Noua");
    EXPECT_EQ(dialog().Edit1->text(), "Firma Noua") << "typing is accepted";
    press();
    EXPECT_EQ(takeError(), "Companie inexistenta.");
    EXPECT_EQ(original(rememberedRows()), (QJsonObject{{"company", "Firma Noua"}}));
}

TEST_F(LoginDialog, unwritableFileEndsThePressBeforeAnySignInStep) {
    qputenv("XDG_CONFIG_HOME", configHome.filePath("missing").toUtf8());
    dmCon->glNumeFirma = "earlier";
    dialog().show();
    EXPECT_EQ(takeError(), "<none>");
    signIn(company, "ana", anaPassword);

    EXPECT_TRUE(takeError().startsWith("Cannot create file"));
    EXPECT_EQ(dmCon->glNumeFirma, "earlier");
    EXPECT_FALSE(dmCon->conZelMob.isConnected()) << "no directory lookup";
    EXPECT_EQ(directory.otherSessions(), 0);
    EXPECT_FALSE(signedIn());
}

TEST_F(LoginDialog, keepsARefusedPasswordAcrossShowings) {
    dialog().show();
    signIn(company, "ana", "gresita");
    EXPECT_EQ(takeError(), "User, Password eronate.");
    dialog().close();
    dialog().show();
    EXPECT_EQ(dialog().Edit3->text(), "gresita");
}

TEST_F(LoginDialog, remembersTheFirst200CharactersOfALongerName) {
    const QString longName = QString(150, QLatin1Char('a')) + QString(100, QLatin1Char('b'));
    dialog().show();
    type(dialog().Edit2, longName);
    EXPECT_EQ(dialog().Edit2->text(), longName) << "the box keeps the whole text";
    press();
    EXPECT_EQ(original(rememberedRows())["username"].toString(), longName.left(200));
    reshow();
    EXPECT_EQ(dialog().Edit2->text(), longName.left(200));
}

} // namespace
} // namespace wc::test
