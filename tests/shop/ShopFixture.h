#pragma once

#include "import/u_fCartoviaImportCmdC.h"
#include "shop/u_fProc_Cartovia.h"
#include "support/FailureOf.h"
#include "support/ProgramFixture.h"
#include "support/http/HttpServer.h"

#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace wc::test {

// Which page-logging function the throwaway ERP database has.
enum class PageLog {
    Recorded, // one that keeps every page it is given in the table "pagini"
    Real,     // the ERP's own, which fills the order log
};

// The program's objects on a throwaway ERP database, and a loopback shop server.
class ShopFixture : public ProgramFixture {
protected:
    explicit ShopFixture(PageLog log = PageLog::Recorded) : ProgramFixture(schemaFiles(log)) {}

    // One shop's retrieval through the program's holder; the failure text, or "<none>".
    QString fetch(const QString& site, const QString& baseUrl, const QString& user = QStringLiteral("api"),
                  const QString& password = QStringLiteral("secret")) {
        return failureOf([&] { fProc_Cartovia->getOrdersByCreatedAfter(site, baseUrl, user, password); });
    }
    QString fetch(const QString& site = QStringLiteral("magazin")) {
        return fetch(site, shop.url("/api/v2"));
    }

    QStringList memo() const { return fCartoviaImportCmdC->Memo1->lines(); }
    QByteArray target(int request) const { return shop.requests().value(request).target; }

    int storedPages() { return database.scalar("select count(*) from pagini").toInt(); }
    QString storedPage(int n) {
        return database.scalar(QStringLiteral("select pjson from pagini where nr = %1").arg(n));
    }
    QString storedSites() {
        return database.scalar("select coalesce(string_agg(nume_site, ',' order by nr), '') from pagini");
    }

    // A page of the shop's order list with the given "next" and orders.
    static QByteArray page(const QByteArray& next, const QByteArray& orders = "[]") {
        return R"({"data":)" + orders + R"(,"meta":{"links":{"next":)" + next + "}}}";
    }
    static QByteArray lastPage() { return page("null"); }
    static QByteArray morePages() { return page(R"("https://shop.example/api/v2/orders?start=100")"); }

    // The request target of the page at that offset below /api/v2.
    static QByteArray pageTarget(int start) {
        return "/api/v2/orders?include=line_items&sort=date_created&shipping_status=awaiting&start=" +
               QByteArray::number(start) + "&limit=100";
    }

    // The memo's lines reduced to "Incepe" and "Sfarsit"; a line of another shape stays whole.
    static QStringList shapes(const QStringList& lines) {
        static const QRegularExpression progress(
            QStringLiteral(R"(^(Incepe) preluarea comenzilor \( \S.*\S \)$|^(Sfarsit) \( \S.*\S \)$)"));
        QStringList result;
        for (const QString& line : lines) {
            const QRegularExpressionMatch match = progress.match(line);
            result << (match.hasMatch() ? match.captured(1) + match.captured(2) : line);
        }
        return result;
    }
    QStringList memoShapes() const { return shapes(memo()); }

    HttpServer shop;

private:
    static QStringList schemaFiles(PageLog log) {
        QStringList files = erpSchemaFiles();
        if (log == PageLog::Recorded)
            files << sourcePath("tests/shop/record_pages.sql");
        return files;
    }
};

} // namespace wc::test
