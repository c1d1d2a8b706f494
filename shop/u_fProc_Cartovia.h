#pragma once

#include "db/StoredProc.h"
#include "http/Client.h"

#include <QWidget>

class TdmCon;

// Holder of the shop client: reads one shop's orders awaiting shipment page by page and hands
// every page to the ERP database. Never shown.
class TfProc_Cartovia : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageSize = 100;

    // Tests shorten the time-outs; the program keeps the defaults.
    explicit TfProc_Cartovia(QWidget* parent = nullptr, wc::http::Timeouts timeouts = {});
    void bindToDataModule(TdmCon& dm);

    // Fetches every page of the shop's order list, stores each one as received and writes the
    // progress lines into the import window's message box. Any failure ends it at once.
    void getOrdersByCreatedAfter(const QString& pNumeSite, const QString& pBaseUrl, const QString& pUser,
                                 const QString& pPassword);

    // One client for the whole run: its cookie store serves every call and every shop.
    wc::http::Client RESTClient1;
    wc::http::Request RESTRequest1;
    wc::http::Response RESTResponse1;
    wc::db::StoredProc o_cartovia_log_ins{QStringLiteral("o_cartovia_log_ins")};

private:
    void buildRequest(const QByteArray& authorization, int offset);
    void checkStatus() const;
    // Parses, stores and reads the page of the last response; the parsed page ends with it.
    bool storePageAndTellIfLast(const QString& pNumeSite);
    void storePage(const QString& pNumeSite, const QString& pJson);
};

extern TfProc_Cartovia* fProc_Cartovia;
