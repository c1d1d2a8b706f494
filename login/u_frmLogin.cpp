#include "login/u_frmLogin.h"

#include "app/u_Application.h"
#include "context/u_dmCon.h"
#include "core/Failure.h"
#include "login/SignInRules.h"
#include "memtable/AppDataFolder.h"

#include <QFileInfo>
#include <QShowEvent>

TfrmLogin* frmLogin = nullptr;

namespace {

QLabel* caption(const QString& text, const QRect& geometry, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(QFont(QStringLiteral("Tahoma"), 9));
    label->setGeometry(geometry);
    // Captions size themselves to their text, so a wider substitute font does not clip them.
    label->resize(label->sizeHint().expandedTo(geometry.size()));
    return label;
}

QLineEdit* editBox(const QRect& geometry, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setGeometry(geometry);
    return box;
}

// The box shows the field; what the operator types goes into the table at once. A key the
// table refuses is undone, because the link tells the box to show the field again.
void bindBox(QLineEdit* box, wc::mem::FieldLink& link) {
    QObject::connect(&link, &wc::mem::FieldLink::textChanged, box, &QLineEdit::setText);
    QObject::connect(box, &QLineEdit::textEdited, &link,
                     [&link](const QString& text) { link.writeText(text); });
}

QString rememberedLoginFile() {
    return wc::mem::rememberedLoginPath(wc::mem::roamingAppDataFolder());
}

} // namespace

TfrmLogin::TfrmLogin(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("frmLogin"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(362, 158);

    Button1 = new QPushButton(QStringLiteral("Login"), this);
    Button1->setGeometry(77, 120, 75, 30);
    Button1->setDefault(true);
    Label1 = caption(QStringLiteral("Company"), QRect(16, 24, 50, 14), this);
    Label2 = caption(QStringLiteral("UserName"), QRect(16, 56, 55, 14), this);
    Label3 = caption(QStringLiteral("Password"), QRect(16, 88, 51, 14), this);
    Edit1 = editBox(QRect(77, 22, 268, 21), this);
    Edit2 = editBox(QRect(77, 54, 268, 21), this);
    Edit3 = editBox(QRect(77, 86, 268, 21), this);
    Edit3->setEchoMode(QLineEdit::Password);
    Edit3->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // '*' on every style

    setTabOrder(Edit3, Button1);
    setTabOrder(Button1, Edit1);
    setTabOrder(Edit1, Edit2);

    dsZelMobil.setSql({"select *", "from m_firma", "where nume_firma = :pNumeFirma", ";"});
    bindBox(Edit1, LinkControlToField1);
    bindBox(Edit2, LinkControlToField2);

    connect(Button1, &QPushButton::clicked, this, [this] { app::guarded([this] { Button1Click(); }); });
}

void TfrmLogin::bindToDataModule(TdmCon& dm) {
    dsZelMobil.setConnection(&dm.conZelMob);
}

void TfrmLogin::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the window system is not a new showing.
    if (event->spontaneous())
        return;
    app::guarded([this] { FormShow(); });
    Edit3->setFocus();
}

void TfrmLogin::FormShow() {
    const QString path = rememberedLoginFile();
    if (QFileInfo::exists(path)) {
        try {
            dsLogin.loadFromFile(path);
        } catch (...) {
            // The operator starts from an empty remembered login, which the next Login writes.
            dsLogin.open();
            throw;
        }
    }
    dsLogin.open();
}

void TfrmLogin::saveRememberedLogin() {
    const QString path = rememberedLoginFile();
    dsLogin.finishPendingEdit();
    dsLogin.saveToFile(path);
}

void TfrmLogin::Button1Click() {
    saveRememberedLogin();
    // The boxes' full texts sign in, also beyond what the remembered login keeps.
    const QString company = Edit1->text();
    const QString user = Edit2->text();
    const QString password = Edit3->text();

    dmCon->glNumeFirma = company;
    dmCon->conZelMob.setSslMode(wc::db::SslMode::Require);
    dsZelMobil.paramByName(QStringLiteral("pNumeFirma")).setAsString(company);
    dsZelMobil.open();
    try {
        signIn(user, password);
    } catch (...) {
        closeSignInQueries();
        throw;
    }
    closeSignInQueries();
}

void TfrmLogin::signIn(const QString& user, const QString& password) {
    if (dsZelMobil.isEmpty())
        throw wc::Failure(QStringLiteral("Companie inexistenta"));
    routeErpConnection();

    TdmCon& dm = *dmCon;
    dm.dsEmitent.close();
    dm.dsEmitent.paramByName(QStringLiteral("pEmitent")).setAsString(user);
    dm.dsEmitent.paramByName(QStringLiteral("pP"))
        .setAsString(login::storedPasswordForm(dsZelMobilpw_hash_type.asString(), password));
    dm.dsEmitent.open();
    if (dm.dsEmitent.isEmpty())
        throw wc::Failure(QStringLiteral("User, Password eronate"));

    const QString application = app::applicationTitle();
    dm.dsAplicatieMob.close();
    dm.dsAplicatieMob.paramByName(QStringLiteral("pAplicatieMob")).setAsString(application);
    dm.dsAplicatieMob.open();
    if (dm.dsAplicatieMob.isEmpty())
        throw wc::Failure(QStringLiteral("Aplicatia ") + application +
                          QStringLiteral(" nu este disponibila"));

    dm.dsAplicatieMobEmitent.close();
    dm.dsAplicatieMobEmitent.paramByName(QStringLiteral("pEmitent")).setAsString(user);
    dm.dsAplicatieMobEmitent.paramByName(QStringLiteral("pAplicatieMob")).setAsString(application);
    dm.dsAplicatieMobEmitent.open();
    if (dm.dsAplicatieMobEmitent.isEmpty())
        throw wc::Failure(QStringLiteral("Aplicatia ") + application +
                          QStringLiteral(" nu este disponibila pentru user-ul ") + user);

    dm.glUser = user;
    dm.glUserPass = password;
    dm.glDataBase = dsZelMobildb_name.asString();
    dm.glUserRol = dm.dsAplicatieMobEmitentrol.asString();
    dm.glEuPL = dm.dsEmitenteu_punct_lucru.asString();
    if (dm.dsEu.isOpen())
        dm.dsEu.refresh();
    else
        dm.dsEu.open();
    dm.glJasIP = dm.dsEujas_ip.asString();
    dm.glJasProtocol = login::jasProtocolFor(dm.glJasIP);

    Edit3->clear();
    accept();
}

// Points the ERP connection at the company's database; only values that differ close it.
void TfrmLogin::routeErpConnection() {
    wc::db::Connection& conZel = dmCon->conZel;
    conZel.setServer(dsZelMobilip.asString());
    conZel.setPort(dsZelMobilport.asInteger());
    conZel.setDatabase(dsZelMobildb_name.asString());
    conZel.setSslMode(wc::db::SslMode::Prefer);
}

void TfrmLogin::closeSignInQueries() {
    dmCon->dsAplicatieMob.close();
    dmCon->dsEmitent.close();
    dsZelMobil.close();
}
