#include "import/u_fCartoviaImportCmdC.h"

#include "app/u_Application.h"
#include "context/u_dmCon.h"
#include "core/Failure.h"
#include "core/Idle.h"
#include "shop/u_fProc_Cartovia.h"

#include <QScrollBar>

TfCartoviaImportCmdC* fCartoviaImportCmdC = nullptr;

namespace {

// Design size of the client area; the grid and the message box keep their margins to
// its edges when the window is resized.
constexpr int kDesignWidth = 1195;
constexpr int kDesignHeight = 648;
const QRect kGridDesign(8, 64, 1175, 482);
const QRect kMemoDesign(8, 552, 1175, 88);

QPushButton* button(const QString& caption, const QRect& geometry, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(geometry);
    return b;
}

// Closes the per-order row at the end of an import, dropping any change it still holds,
// so that no later re-read tries to post it.
class CloseAtEnd {
public:
    explicit CloseAtEnd(wc::db::Query& query) : query_(query) {}
    ~CloseAtEnd() {
        query_.cancel();
        query_.close();
    }
    CloseAtEnd(const CloseAtEnd&) = delete;
    CloseAtEnd& operator=(const CloseAtEnd&) = delete;

private:
    wc::db::Query& query_;
};

} // namespace

TMemo::TMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TMemo::addLine(const QString& line) {
    appendPlainText(line);
    // Progress shows while the action goes on.
    wc::idle();
}

QStringList TMemo::lines() const {
    const QString text = toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

TfCartoviaImportCmdC::TfCartoviaImportCmdC(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("fCartoviaImportCmdC"));
    setFont(QFont(QStringLiteral("Segoe UI"), 9));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(kDesignWidth, kDesignHeight);

    Label2 = new QLabel(QStringLiteral("Import comenzi Cartovia"), this);
    QFont titleFont(QStringLiteral("Segoe UI"), 12);
    titleFont.setBold(true);
    Label2->setFont(titleFont);
    QPalette titlePalette = Label2->palette();
    titlePalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label2->setPalette(titlePalette);
    Label2->move(8, 8);
    Label2->adjustSize();

    ButtonPreiaCmdSite = button(QStringLiteral("Preia comenzi din site"), {8, 33, 143, 25}, this);
    ButtonCauta = button(QStringLiteral("Cauta"), {174, 33, 75, 25}, this);
    ButtonImportaComandaCurentaInZel = button(QStringLiteral("Importa comanda curenta in ZEL"), {278, 33, 211, 25}, this);
    buildGrid();
    Memo1 = new TMemo(this);
    Memo1->setGeometry(kMemoDesign);

    setTabOrder(cxGrid1, ButtonCauta);
    setTabOrder(ButtonCauta, ButtonPreiaCmdSite);
    setTabOrder(ButtonPreiaCmdSite, ButtonImportaComandaCurentaInZel);
    setTabOrder(ButtonImportaComandaCurentaInZel, Memo1);

    const auto action = [this](QPushButton* source, void (TfCartoviaImportCmdC::*handler)()) {
        connect(source, &QPushButton::clicked, this, [this, handler] {
            app::BusyCursor busy;
            app::guarded([this, handler] { (this->*handler)(); });
        });
    };
    action(ButtonPreiaCmdSite, &TfCartoviaImportCmdC::ButtonPreiaCmdSiteClick);
    action(ButtonCauta, &TfCartoviaImportCmdC::ButtonCautaClick);
    action(ButtonImportaComandaCurentaInZel, &TfCartoviaImportCmdC::ButtonImportaComandaCurentaInZelClick);

    dsLogCartovia.setSql({"select * ", "from view_log_cartovia", "order by nume_site,", "         id_doc_site", ";"});
    dsLogCartovia.setKeyFields(QStringLiteral("nume_site;id_doc_site"));
    dsConfigCartovia.setSql({"select * ", "from config_cartovia", "order by nume_site", ";"});
    dsLogCartoviaUnu.setSql({"select nume_site, ", "       id_doc_site,", "       cmd_c_json,", "       err_la_import",
                             "from log_cartovia", "where nume_site   = :nume_site ", "  and id_doc_site = :id_doc_site",
                             ";"});
    dsLogCartoviaUnu.setMaster(&dsLogCartovia, QStringLiteral("nume_site;id_doc_site"),
                               QStringLiteral("nume_site;id_doc_site"));
    o_cartovia_doc_cmd_c_ins.setSql(QStringLiteral("SELECT * FROM o_cartovia_doc_cmd_c_ins(:pnumesite, :piddocsite)"));
    o_cartovia_doc_cmd_c_ins.declareParam(QStringLiteral("pnumesite"), wc::db::ParamType::Text);
    o_cartovia_doc_cmd_c_ins.declareParam(QStringLiteral("piddocsite"), wc::db::ParamType::LargeInt);
}

void TfCartoviaImportCmdC::buildGrid() {
    cxGrid1 = new wc::grid::Grid(this);
    cxGrid1->setGeometry(kGridDesign);
    cxGrid1Level1 = cxGrid1->addLevel();
    cxGrid1DBTableView1 = new wc::grid::TableView();
    cxGrid1Level1->setView(cxGrid1DBTableView1);
    cxGrid1DBTableView1->setSourceModel(&dsouLogCartovia);
    using wc::grid::ColumnKind;
    cxGrid1DBTableView1->addColumn(QStringLiteral("nume_site"), 73, ColumnKind::Text);
    cxGrid1DBTableView1->addColumn(QStringLiteral("id_doc_site"), 86, ColumnKind::Number);
    cxGrid1DBTableView1->addColumn(QStringLiteral("data_log"), 123, ColumnKind::DateTime);
    cxGrid1DBTableView1->addColumn(QStringLiteral("date_created"), 87, ColumnKind::Date);
    cxGrid1DBTableView1->addColumn(QStringLiteral("zel_serie_cmd_c"), 100, ColumnKind::Text);
    cxGrid1DBTableView1->addColumn(QStringLiteral("nr_doc_site"), 82, ColumnKind::MultiLineText);
    cxGrid1DBTableView1->addColumn(QStringLiteral("err_la_import"), 142, ColumnKind::MultiLineText);
    cxGrid1DBTableView1->addColumn(QStringLiteral("zel_data_doc"), 90, ColumnKind::Date);
    cxGrid1DBTableView1->addColumn(QStringLiteral("zel_tip_doc"), 86, ColumnKind::Text);
    cxGrid1DBTableView1->addColumn(QStringLiteral("zel_nr_doc"), 89, ColumnKind::Text);
    cxGrid1DBTableView1->addColumn(QStringLiteral("zel_partener"), 167, ColumnKind::Text);

    // The focused row and the order log's current row follow each other.
    connect(&dsouLogCartovia, &wc::db::DataSource::currentRowChanged, cxGrid1DBTableView1,
            &wc::grid::TableView::setFocusedSourceRow);
    connect(cxGrid1DBTableView1, &wc::grid::TableView::focusedSourceRowChanged, this,
            [this](int row) { app::guarded([this, row] { dsouLogCartovia.setCurrentRow(row); }); });
    connect(cxGrid1DBTableView1, &wc::grid::TableView::refreshRequested, this, [this] {
        app::BusyCursor busy;
        app::guarded([this] { ButtonCautaClick(); });
    });
}

void TfCartoviaImportCmdC::bindToDataModule(TdmCon& dm) {
    cxGrid1DBTableView1->setStyles(&dm.GridTableViewStyleSheetDevExpress);
    dsLogCartovia.setConnection(&dm.conZel);
    dsConfigCartovia.setConnection(&dm.conZel);
    dsLogCartoviaUnu.setConnection(&dm.conZel);
    o_cartovia_doc_cmd_c_ins.setConnection(&dm.conZel);
}

void TfCartoviaImportCmdC::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int dw = width() - kDesignWidth;
    const int dh = height() - kDesignHeight;
    cxGrid1->setGeometry(kGridDesign.x(), kGridDesign.y(), kGridDesign.width() + dw, kGridDesign.height() + dh);
    Memo1->setGeometry(kMemoDesign.x(), kMemoDesign.y() + dh, kMemoDesign.width() + dw, kMemoDesign.height());
}

void TfCartoviaImportCmdC::reReadOrderLog() { dsLogCartovia.refresh(); }

void TfCartoviaImportCmdC::ButtonCautaClick() {
    if (dsLogCartovia.isOpen())
        reReadOrderLog();
    else
        dsLogCartovia.open();
}

void TfCartoviaImportCmdC::ButtonImportaComandaCurentaInZelClick() {
    if (dsLogCartovia.isEmpty())
        throw wc::Failure(QStringLiteral("Nu aveti inregistrari."));
    if (!dsLogCartoviazel_nr_doc.isNull())
        throw wc::Failure(QStringLiteral("Comanda exista in ZEL."));
    const QString site = dsLogCartovianume_site.asString();
    const qint64 id = dsLogCartoviaid_doc_site.asLargeInt();

    CloseAtEnd closeAtEnd(dsLogCartoviaUnu);
    dsLogCartoviaUnu.open();
    if (dsLogCartoviaUnu.isEmpty())
        throw wc::Failure(QStringLiteral("Comanda %1 / %2 nu mai exista in log_cartovia; rezultatul importului nu a "
                                         "putut fi inregistrat.")
                              .arg(site)
                              .arg(id));
    try {
        o_cartovia_doc_cmd_c_ins.paramByName(QStringLiteral("pNumeSite")).setAsString(site);
        o_cartovia_doc_cmd_c_ins.paramByName(QStringLiteral("pIdDocSite")).setAsLargeInt(id);
        o_cartovia_doc_cmd_c_ins.execute();
        dsLogCartoviaUnu.edit();
        dsLogCartoviaUnuerr_la_import.setAsString(QString());
        dsLogCartoviaUnu.post();
        reReadOrderLog();
        Memo1->addLine(QStringLiteral("Comanda a fost importata."));
    } catch (const wc::Failure& failure) {
        recordImportFailure(failure.message());
    }
}

void TfCartoviaImportCmdC::recordImportFailure(const QString& message) {
    dsLogCartoviaUnu.edit();
    dsLogCartoviaUnuerr_la_import.setAsString(message);
    dsLogCartoviaUnu.post();
    reReadOrderLog();
    Memo1->addLine(QStringLiteral("Eroare import: ") + message);
}

void TfCartoviaImportCmdC::ButtonPreiaCmdSiteClick() {
    Memo1->clear();
    dsConfigCartovia.close();
    dsConfigCartovia.open();
    if (dsConfigCartovia.isEmpty())
        throw wc::Failure(QStringLiteral("Nu aveti niciun site confirgurat."));
    for (int row = 0; row < dsConfigCartovia.recordCount(); ++row) {
        dsConfigCartovia.setRecNo(row);
        fProc_Cartovia->getOrdersByCreatedAfter(dsConfigCartovianume_site.asString(), dsConfigCartoviabase_url.asString(),
                                                dsConfigCartoviauser_name.asString(), dsConfigCartoviapass.asString());
    }
    if (dsLogCartovia.isOpen())
        reReadOrderLog();
}
