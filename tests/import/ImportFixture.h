#pragma once

#include "app/u_Application.h"
#include "app/wCartovia.h"
#include "context/u_dmCon.h"
#include "import/u_fCartoviaImportCmdC.h"
#include "support/DbConnect.h"
#include "support/TestDatabase.h"

#include <QTest>
#include <gtest/gtest.h>

namespace wc::test {

// The program's objects with the ERP connection routed to a throwaway database that has
// the ERP schema and functions; failures shown by the error display are collected.
class ImportFixture : public ::testing::Test {
protected:
    void SetUp() override {
        app::createApplicationObjects();
        pointAt(dmCon->conZel, database);
        app::setFailureSink([this](const QString& text) { errors << text; });
    }
    void TearDown() override {
        app::setFailureSink(nullptr);
        app::destroyApplicationObjects();
    }

    TfCartoviaImportCmdC& window() { return *fCartoviaImportCmdC; }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void search() { click(window().ButtonCauta); }
    void importCurrent() { click(window().ButtonImportaComandaCurentaInZel); }
    QString lastMemoLine() { return window().Memo1->lines().value(window().Memo1->lines().size() - 1); }

    TestDatabase database{plainServer(), {sourcePath("demo/sql/erp_schema.sql"), sourcePath("demo/sql/erp_functions.sql")}};
    QStringList errors;
};

} // namespace wc::test
