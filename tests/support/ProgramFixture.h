#pragma once

// For tests that link the system library: the program's long-lived objects with the ERP
// connection routed to a throwaway database; failures shown by the error display are collected.
#include "app/u_Application.h"
#include "app/wCartovia.h"
#include "context/u_dmCon.h"
#include "support/DbConnect.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace wc::test {

// The ERP schema and its stored functions, as the demo environment has them.
inline QStringList erpSchemaFiles() {
    return {sourcePath("demo/sql/erp_schema.sql"), sourcePath("demo/sql/erp_functions.sql")};
}

class ProgramFixture : public ::testing::Test {
protected:
    explicit ProgramFixture(const QStringList& schemaFiles = erpSchemaFiles()) : database(plainServer(), schemaFiles) {}

    void SetUp() override {
        app::createApplicationObjects();
        pointAt(dmCon->conZel, database);
        app::setFailureSink([this](const QString& text) { errors << text; });
    }
    void TearDown() override {
        app::setFailureSink(nullptr);
        app::destroyApplicationObjects();
    }

    TestDatabase database;
    QStringList errors;
};

} // namespace wc::test
