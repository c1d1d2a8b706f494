#pragma once

#include "db/DataSource.h"
#include "db/Field.h"
#include "db/Query.h"
#include "db/StoredProc.h"
#include "grid/Grid.h"
#include "grid/TableView.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

class TdmCon;
using wc::db::FieldKind;

// The message box of the import window: lines are added at the end and show at once.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TMemo(QWidget* parent = nullptr);
    void addLine(const QString& line);
    QStringList lines() const;
};

// The order import window: fetches the shops' orders, shows the order log and turns the
// current order into an ERP customer order.
class TfCartoviaImportCmdC : public QWidget {
    Q_OBJECT
public:
    explicit TfCartoviaImportCmdC(QWidget* parent = nullptr);
    void bindToDataModule(TdmCon& dm);

    QLabel* Label2;
    QPushButton* ButtonPreiaCmdSite;
    QPushButton* ButtonCauta;
    QPushButton* ButtonImportaComandaCurentaInZel;
    wc::grid::Grid* cxGrid1;
    wc::grid::GridLevel* cxGrid1Level1;
    wc::grid::TableView* cxGrid1DBTableView1;
    TMemo* Memo1;

    wc::db::Query dsLogCartovia{QStringLiteral("dsLogCartovia")};
    wc::db::Field dsLogCartovianume_site{dsLogCartovia, "nume_site", FieldKind::ShortText, 100};
    wc::db::Field dsLogCartoviaid_doc_site{dsLogCartovia, "id_doc_site", FieldKind::LargeInt};
    wc::db::Field dsLogCartoviaerr_la_import{dsLogCartovia, "err_la_import", FieldKind::LongText};
    wc::db::Field dsLogCartoviadata_log{dsLogCartovia, "data_log", FieldKind::DateTime};
    wc::db::Field dsLogCartoviadate_created{dsLogCartovia, "date_created", FieldKind::Date};
    wc::db::Field dsLogCartoviazel_serie_cmd_c{dsLogCartovia, "zel_serie_cmd_c", FieldKind::ShortText, 7};
    wc::db::Field dsLogCartovianr_doc_site{dsLogCartovia, "nr_doc_site", FieldKind::LongText};
    wc::db::Field dsLogCartoviazel_data_doc{dsLogCartovia, "zel_data_doc", FieldKind::Date};
    wc::db::Field dsLogCartoviazel_tip_doc{dsLogCartovia, "zel_tip_doc", FieldKind::ShortText, 7};
    wc::db::Field dsLogCartoviazel_nr_doc{dsLogCartovia, "zel_nr_doc", FieldKind::ShortText, 15};
    wc::db::Field dsLogCartoviazel_partener{dsLogCartovia, "zel_partener", FieldKind::ShortText, 100};
    wc::db::DataSource dsouLogCartovia{dsLogCartovia};

    wc::db::Query dsConfigCartovia{QStringLiteral("dsConfigCartovia")};
    wc::db::Field dsConfigCartovianume_site{dsConfigCartovia, "nume_site", FieldKind::ShortText, 100, true};
    wc::db::Field dsConfigCartoviabase_url{dsConfigCartovia, "base_url", FieldKind::LongText};
    wc::db::Field dsConfigCartoviauser_name{dsConfigCartovia, "user_name", FieldKind::LongText};
    wc::db::Field dsConfigCartoviapass{dsConfigCartovia, "pass", FieldKind::LongText};
    wc::db::Field dsConfigCartoviazel_emitent{dsConfigCartovia, "zel_emitent", FieldKind::LongText};
    wc::db::Field dsConfigCartoviazel_serie_cmd_c{dsConfigCartovia, "zel_serie_cmd_c", FieldKind::ShortText, 7};

    wc::db::Query dsLogCartoviaUnu{QStringLiteral("dsLogCartoviaUnu")};
    wc::db::Field dsLogCartoviaUnunume_site{dsLogCartoviaUnu, "nume_site", FieldKind::ShortText, 100, true};
    wc::db::Field dsLogCartoviaUnuid_doc_site{dsLogCartoviaUnu, "id_doc_site", FieldKind::LargeInt, 0, true};
    wc::db::Field dsLogCartoviaUnucmd_c_json{dsLogCartoviaUnu, "cmd_c_json", FieldKind::LongText};
    wc::db::Field dsLogCartoviaUnuerr_la_import{dsLogCartoviaUnu, "err_la_import", FieldKind::LongText};

    wc::db::StoredProc o_cartovia_doc_cmd_c_ins{QStringLiteral("o_cartovia_doc_cmd_c_ins")};

    void ButtonPreiaCmdSiteClick();
    void ButtonCautaClick();
    void ButtonImportaComandaCurentaInZelClick();
    // Runs the order log's statement again, keeping the current order when it remains.
    void reReadOrderLog();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void recordImportFailure(const QString& message);
    void buildGrid();
};

extern TfCartoviaImportCmdC* fCartoviaImportCmdC;
