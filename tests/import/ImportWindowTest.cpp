#include "ImportFixture.h"

using namespace wc::test;

namespace {

class ImportWindow : public ImportFixture {
protected:
    void SetUp() override {
        ImportFixture::SetUp();
        seedOrders();
    }
    void goToOrder(int row) { window().dsLogCartovia.setRecNo(row); }
    QString calls() { return database.scalar("select count(*) from calls"); }
    QString recordedError(const char* site, const char* id) {
        return database.scalar(QStringLiteral("select coalesce(err_la_import, '<null>') from log_cartovia "
                                              "where nume_site = '%1' and id_doc_site = %2")
                                   .arg(site, id));
    }
};

TEST_F(ImportWindow, importBeforeAnySearchHasNoRecords) {
    importCurrent();
    EXPECT_EQ(errors, QStringList{"Nu aveti inregistrari."});
    EXPECT_TRUE(window().Memo1->lines().isEmpty());
}

TEST_F(ImportWindow, searchOpensTheLogOnItsFirstOrder) {
    search();
    ASSERT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(window().dsLogCartovia.recordCount(), 3);
    EXPECT_EQ(window().dsLogCartovianr_doc_site.asString(), "A-1");
    EXPECT_FALSE(dmCon->conZel.isConnected());
}

TEST_F(ImportWindow, orderWithADocumentIsNotImportedAgain) {
    database.exec(kSucceeds);
    for (const char* number : {"C1", ""}) {
        database.exec(QStringLiteral("delete from log_cartovia where id_doc_site <> 1; delete from calls;"
                                     "insert into partener (partener) values ('P');"
                                     "insert into doc_cmd_c (zel_serie_cmd_c, zel_nr_doc, zel_data_doc, id_partener)"
                                     " values ('WEB', '%1', current_date, currval('partener_id_partener_seq'));"
                                     "update log_cartovia set id_doc_cmd_c = currval('doc_cmd_c_id_doc_cmd_c_seq');")
                          .arg(number));
        errors.clear();
        search();
        importCurrent();
        EXPECT_EQ(errors, QStringList{"Comanda exista in ZEL."}) << "zel_nr_doc '" << number << "'";
        EXPECT_EQ(calls(), "0");
        database.exec("update log_cartovia set id_doc_cmd_c = null; delete from doc_cmd_c;");
    }
}

TEST_F(ImportWindow, successfulImportClearsTheErrorAndShowsTheDocument) {
    database.exec(kSucceeds);
    database.exec("update log_cartovia set err_la_import = 'old' where id_doc_site = 2");
    search();
    goToOrder(1);
    importCurrent();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(recordedError("shop-a", "2"), "<null>");
    EXPECT_EQ(window().dsLogCartovia.recNo(), 1);
    EXPECT_EQ(window().dsLogCartoviazel_nr_doc.asString(), "C2");
    EXPECT_EQ(window().dsLogCartoviazel_partener.asString(), "Ştefan Ţurcanu");
    EXPECT_EQ(lastMemoLine(), "Comanda a fost importata.");
    EXPECT_FALSE(window().dsLogCartoviaUnu.isOpen());
    EXPECT_FALSE(dmCon->conZel.isConnected());
}

TEST_F(ImportWindow, refusalIsRecordedAndShownWithoutAnErrorBox) {
    database.exec(kRefuses);
    search();
    goToOrder(2);
    importCurrent();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(recordedError("shop-b", "9000000000"), "Articol inexistent: SKU-9");
    EXPECT_EQ(window().dsLogCartovia.recNo(), 2);
    EXPECT_EQ(window().dsLogCartoviaerr_la_import.asString(), "Articol inexistent: SKU-9");
    EXPECT_EQ(lastMemoLine(), "Eroare import: Articol inexistent: SKU-9");
    EXPECT_EQ(database.scalar("select count(*) from doc_cmd_c"), "0");
}

TEST_F(ImportWindow, failureThenSuccessClearsTheRecordedError) {
    database.exec(kRefuses);
    search();
    importCurrent();
    EXPECT_EQ(recordedError("shop-a", "1"), "Articol inexistent: SKU-9");
    database.exec(kSucceeds);
    importCurrent();
    EXPECT_EQ(recordedError("shop-a", "1"), "<null>");
    EXPECT_EQ(window().Memo1->lines(),
              (QStringList{"Eroare import: Articol inexistent: SKU-9", "Comanda a fost importata."}));
}

TEST_F(ImportWindow, logRowDeletedDuringTheCallIsShownAndNothingInserted) {
    database.exec(kDeletesTheLogRow);
    search();
    goToOrder(1);
    importCurrent();
    EXPECT_EQ(errors, QStringList{"Update failed. Found 0 records."});
    EXPECT_EQ(database.scalar("select count(*) from log_cartovia"), "2");
    EXPECT_TRUE(window().Memo1->lines().isEmpty());
    // the per-order row was closed with its change dropped: re-reading posts nothing
    EXPECT_FALSE(window().dsLogCartoviaUnu.isOpen());
    errors.clear();
    search();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
}

TEST_F(ImportWindow, logRowGoneBeforeTheImportIsReportedAndNothingInserted) {
    database.exec(kSucceeds);
    search();
    database.exec("delete from log_cartovia where id_doc_site = 1");
    importCurrent();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("nu mai exista in log_cartovia")) << errors[0].toStdString();
    EXPECT_EQ(calls(), "0");
    EXPECT_EQ(database.scalar("select count(*) from log_cartovia"), "2");
}

TEST_F(ImportWindow, searchAgainKeepsTheCurrentOrder) {
    search();
    goToOrder(2);
    database.exec("insert into log_cartovia (nume_site, id_doc_site) values ('shop-a', 0)");
    search();
    EXPECT_EQ(window().dsLogCartovianr_doc_site.asString(), "B-1");
    EXPECT_EQ(window().dsLogCartovia.recNo(), 3);
}

TEST_F(ImportWindow, closingOnlyHidesAndKeepsTheContents) {
    search();
    window().Memo1->addLine("kept");
    window().show();
    window().close();
    EXPECT_FALSE(window().isVisible());
    window().show();
    EXPECT_EQ(window().dsLogCartovia.recordCount(), 3);
    EXPECT_EQ(window().Memo1->lines(), QStringList{"kept"});
}

} // namespace
