#pragma once

#include "db/Field.h"
#include "db/Query.h"
#include "memtable/FieldLink.h"
#include "memtable/MemTable.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class TdmCon;

// The login dialog: company, operator and password, the last company and operator
// remembered in ZelPelti.json, and the sign-in that fills the login context of dmCon.
class TfrmLogin : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);
    // Binds the directory query to the data module's directory connection.
    void bindToDataModule(TdmCon& dm);

    QPushButton* Button1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    // No storage-format component: the memory table reads and writes its JSON storage itself.
    wc::mem::MemTable dsLogin{QStringLiteral("dsLogin"),
                              {{QStringLiteral("company"), 200}, {QStringLiteral("username"), 200}}};
    const int dsLogincompany = dsLogin.fieldIndex(QStringLiteral("company"));
    const int dsLoginusername = dsLogin.fieldIndex(QStringLiteral("username"));
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    wc::db::Query dsZelMobil{QStringLiteral("dsZelMobil")};
    // The links join each box straight to the table, so there is no separate binding source
    // or bindings list.
    wc::mem::FieldLink LinkControlToField1{dsLogin, QStringLiteral("company")};
    wc::mem::FieldLink LinkControlToField2{dsLogin, QStringLiteral("username")};
    wc::db::Field dsZelMobilnume_firma{dsZelMobil, "nume_firma", wc::db::FieldKind::ShortText, 200};
    wc::db::Field dsZelMobilip{dsZelMobil, "ip", wc::db::FieldKind::LongText};
    wc::db::Field dsZelMobilport{dsZelMobil, "port", wc::db::FieldKind::Integer};
    wc::db::Field dsZelMobildb_name{dsZelMobil, "db_name", wc::db::FieldKind::LongText};
    wc::db::Field dsZelMobilactiv{dsZelMobil, "activ", wc::db::FieldKind::Boolean};
    wc::db::Field dsZelMobilm_site{dsZelMobil, "m_site", wc::db::FieldKind::Boolean};
    wc::db::Field dsZelMobilpw_hash_type{dsZelMobil, "pw_hash_type", wc::db::FieldKind::ShortText, 23};

    // Login: remembers the typed names, then signs in; a refusal is raised as a failure.
    void Button1Click();
    // Each showing: loads the remembered login file if there is one, then opens the table.
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void saveRememberedLogin();
    // The checks against the company directory and the company's ERP database.
    void signIn(const QString& user, const QString& password);
    void routeErpConnection();
    void closeSignInQueries();
};

extern TfrmLogin* frmLogin;
