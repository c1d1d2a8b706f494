#include "context/u_dmCon.h"

TdmCon* dmCon = nullptr;

namespace {

void configure(wc::db::Connection& connection, bool disconnected) {
    connection.setUsername(QStringLiteral("zel"));
    connection.setPassword(QStringLiteral(WC_DB_PASSWORD));
    connection.setSslMode(wc::db::SslMode::Require);
    connection.setConnectTimeout(15);
    connection.setDisconnectedMode(disconnected);
}

} // namespace

TdmCon::TdmCon(QObject* parent) : QObject(parent) {
    configure(conZel, true);
    configure(conZelMob, false);
    conZelMob.setServer(QStringLiteral(WC_DIRECTORY_HOST));
    conZelMob.setPort(WC_DIRECTORY_PORT);
    conZelMob.setDatabase(QStringLiteral("zel_mob"));

    dsEmitent.setSql({"select *", "from emitent", "where emitent = :pEmitent", "  and operator_parola = :pP", ";"});
    dsAplicatieMob.setSql(
        {"select *", "from aplicatie_mob", "where lower(aplicatie_mob) = lower(:pAplicatieMob)", "  and activ", ";"});
    dsEu.setSql({"select *", "from eu", ";"});
    dsAplicatieMobEmitent.setSql({"select *", "from aplicatie_mob_emitent", "where emitent = :pEmitent",
                                  "  and lower(aplicatie_mob) = lower(:pAplicatieMob)", ";"});
    for (wc::db::Query* query : {&dsEmitent, &dsAplicatieMob, &dsEu, &dsAplicatieMobEmitent}) {
        query->setConnection(&conZel);
        for (int i = 0; i < query->params().count(); ++i)
            query->params().at(i).setDataType(wc::db::ParamType::Text);
    }
}
