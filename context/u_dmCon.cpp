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

wc::grid::Style style(QColor background, std::optional<QColor> text = std::nullopt,
                     std::optional<QFont> font = std::nullopt) {
    return {background, text, font};
}

QFont msSansSerif(bool bold) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace

void TdmCon::buildStyleSheet() {
    const QColor black(0, 0, 0), white(255, 255, 255), navy(0, 0, 128);
    auto& r = cxStyleRepository1;
    r.cxStyle1 = style(QColor(255, 251, 240));
    r.cxStyle2 = style(QColor(217, 234, 247), black, msSansSerif(false));
    r.cxStyle3 = style(QColor(217, 234, 247), black);
    r.cxStyle4 = style(QColor(234, 243, 251), black);
    r.cxStyle5 = style(QColor(255, 255, 225), black);
    r.cxStyle6 = style(QColor(255, 255, 225), navy, msSansSerif(true));
    r.cxStyle7 = style(QColor(241, 239, 226));
    r.cxStyle8 = style(QColor(254, 213, 71), black);
    r.cxStyle9 = style(QColor(49, 106, 197), white, msSansSerif(true));
    r.cxStyle10 = style(QColor(164, 196, 235));
    r.cxStyle11 = style(QColor(254, 213, 71), black);
    r.cxStyle12 = style(QColor(164, 196, 235));
    r.cxStyle13 = style(QColor(255, 255, 225), navy, msSansSerif(true));
    r.cxStyle14 = style(QColor(49, 106, 197), white);

    auto& sheet = GridTableViewStyleSheetDevExpress;
    sheet.caption = QStringLiteral("DevExpress");
    sheet.background = r.cxStyle1;
    sheet.content = r.cxStyle2;
    sheet.contentEven = r.cxStyle3;
    sheet.contentOdd = r.cxStyle4;
    sheet.filterBox = r.cxStyle5;
    sheet.footer = r.cxStyle6;
    sheet.group = r.cxStyle7;
    sheet.groupByBox = r.cxStyle8;
    sheet.header = r.cxStyle9;
    sheet.inactive = r.cxStyle10;
    sheet.incSearch = r.cxStyle11;
    sheet.indicator = r.cxStyle12;
    sheet.preview = r.cxStyle13;
    sheet.selection = r.cxStyle14;
}

TdmCon::TdmCon(QObject* parent) : QObject(parent) {
    buildStyleSheet();
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
