#pragma once

#include "import/u_fCartoviaImportCmdC.h"
#include "support/ProgramFixture.h"

#include <QTest>
#include <gtest/gtest.h>

namespace wc::test {

// Stand-ins for the ERP's import function, each a real PL/pgSQL function.
inline constexpr const char* kRefuses = R"(
drop function if exists o_cartovia_doc_cmd_c_ins(text, bigint);
create function o_cartovia_doc_cmd_c_ins(pnumesite text, piddocsite bigint) returns void
language plpgsql as $$ begin
    insert into calls values (pnumesite, piddocsite);
    raise exception 'Articol inexistent: SKU-9';
end $$;)";

inline constexpr const char* kSucceeds = R"(
drop function if exists o_cartovia_doc_cmd_c_ins(text, bigint);
create function o_cartovia_doc_cmd_c_ins(pnumesite text, piddocsite bigint) returns void
language plpgsql as $$
declare v_partener bigint; v_doc bigint;
begin
    insert into calls values (pnumesite, piddocsite);
    insert into partener (partener) values ('Ştefan Ţurcanu') returning id_partener into v_partener;
    insert into doc_cmd_c (zel_serie_cmd_c, zel_nr_doc, zel_data_doc, id_partener)
        values ('WEB', 'C' || piddocsite, date '2026-12-11', v_partener) returning id_doc_cmd_c into v_doc;
    update log_cartovia set id_doc_cmd_c = v_doc where nume_site = pnumesite and id_doc_site = piddocsite;
end $$;)";

inline constexpr const char* kDeletesTheLogRow = R"(
drop function if exists o_cartovia_doc_cmd_c_ins(text, bigint);
create function o_cartovia_doc_cmd_c_ins(pnumesite text, piddocsite bigint) returns void
language plpgsql as $$ begin
    delete from log_cartovia where nume_site = pnumesite and id_doc_site = piddocsite;
end $$;)";


// The import window on a throwaway ERP database.
class ImportFixture : public ProgramFixture {
protected:
    TfCartoviaImportCmdC& window() { return *fCartoviaImportCmdC; }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void search() { click(window().ButtonCauta); }
    void importCurrent() { click(window().ButtonImportaComandaCurentaInZel); }
    QString lastMemoLine() { return window().Memo1->lines().value(window().Memo1->lines().size() - 1); }

    // Three orders in the log and a table where the stand-in import functions note their calls.
    void seedOrders() {
        database.exec("create table calls (nume_site text, id_doc_site bigint);"
                      "insert into log_cartovia (nume_site, id_doc_site, nr_doc_site) values"
                      " ('shop-a', 1, 'A-1'), ('shop-a', 2, 'A-2'), ('shop-b', 9000000000, 'B-1');");
    }
};

} // namespace wc::test
