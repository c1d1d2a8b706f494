#include "shop/u_fProc_Cartovia.h"

#include "context/u_dmCon.h"
#include "core/Failure.h"
#include "import/u_fCartoviaImportCmdC.h"
#include "shop/OrderPage.h"
#include "shop/ProgressMoment.h"

TfProc_Cartovia* fProc_Cartovia = nullptr;

namespace {

QByteArray basicAuthorization(const QString& user, const QString& password) {
    return "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

void addMemoLine(const QString& text) {
    fCartoviaImportCmdC->Memo1->addLine(text + QStringLiteral(" ( ") +
                                        progressMoment(QDateTime::currentDateTime()) + QStringLiteral(" )"));
}

} // namespace

TfProc_Cartovia::TfProc_Cartovia(QWidget* parent, wc::http::Timeouts timeouts)
    : QWidget(parent, Qt::Window), RESTClient1(timeouts) {
    o_cartovia_log_ins.setSql(QStringLiteral("SELECT * FROM o_cartovia_log_ins(:pnumesite, :pjson)"));
    o_cartovia_log_ins.declareParam(QStringLiteral("pnumesite"), wc::db::ParamType::Text);
    o_cartovia_log_ins.declareParam(QStringLiteral("pjson"), wc::db::ParamType::Text);
}

void TfProc_Cartovia::bindToDataModule(TdmCon& dm) {
    o_cartovia_log_ins.setConnection(&dm.conZel);
}

void TfProc_Cartovia::getOrdersByCreatedAfter(const QString& pNumeSite, const QString& pBaseUrl,
                                              const QString& pUser, const QString& pPassword) {
    const QByteArray authorization = basicAuthorization(pUser, pPassword);
    RESTClient1.setBaseUrl(pBaseUrl);
    RESTRequest1.setResource(QStringLiteral("orders"));
    for (int offset = 0;; offset += kPageSize) {
        buildRequest(authorization, offset);
        RESTResponse1 = RESTClient1.get(RESTRequest1);
        checkStatus();
        addMemoLine(QStringLiteral("Incepe preluarea comenzilor"));
        if (storePageAndTellIfLast(pNumeSite))
            break;
    }
    addMemoLine(QStringLiteral("Sfarsit"));
}

void TfProc_Cartovia::buildRequest(const QByteArray& authorization, int offset) {
    RESTRequest1.clearParams();
    RESTRequest1.addHeader("Authorization", authorization);
    RESTRequest1.addQuery(QStringLiteral("include"), QStringLiteral("line_items"));
    RESTRequest1.addQuery(QStringLiteral("sort"), QStringLiteral("date_created"));
    RESTRequest1.addQuery(QStringLiteral("shipping_status"), QStringLiteral("awaiting"));
    RESTRequest1.addQuery(QStringLiteral("start"), QString::number(offset));
    RESTRequest1.addQuery(QStringLiteral("limit"), QString::number(kPageSize));
    RESTRequest1.addHeader("Accept", "application/json, text/plain; q=0.9, text/html;q=0.8,");
    RESTRequest1.addHeader("Accept-Charset", "utf-8, *;q=0.8");
}

void TfProc_Cartovia::checkStatus() const {
    // A server error shows as its status line; its body is not for the operator.
    if (RESTResponse1.statusCode >= 500)
        throw wc::Failure(RESTResponse1.statusLine());
    if (RESTResponse1.statusCode != 200)
        throw wc::Failure(QStringLiteral("(getOrdersByCreatedAfter) EROARE! StatusCode = ") +
                          QString::number(RESTResponse1.statusCode) + QStringLiteral(", Content = ") +
                          RESTResponse1.text);
}

bool TfProc_Cartovia::storePageAndTellIfLast(const QString& pNumeSite) {
    const OrderPage page(RESTResponse1.text);
    // The last page, and one without orders, are stored too: storing comes before the end test.
    storePage(pNumeSite, RESTResponse1.text);
    return page.isLast();
}

// Each page is stored over a connection of its own (the ERP connection's disconnected mode).
void TfProc_Cartovia::storePage(const QString& pNumeSite, const QString& pJson) {
    o_cartovia_log_ins.paramByName(QStringLiteral("pNumeSite")).setAsString(pNumeSite);
    o_cartovia_log_ins.paramByName(QStringLiteral("pJson")).setAsString(pJson);
    o_cartovia_log_ins.execute();
}
