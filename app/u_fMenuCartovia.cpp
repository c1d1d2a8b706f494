#include "app/u_fMenuCartovia.h"

#include "app/u_Application.h"
#include "context/u_dmCon.h"
#include "import/u_fCartoviaImportCmdC.h"
#include "login/u_frmLogin.h"

TfMenuCartovia* fMenuCartovia = nullptr;

namespace {

QFrame* raisedPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
}

QLabel* boldNavyLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font(QStringLiteral("Segoe UI"), 9);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
    return label;
}

QLabel* versionLabel(QWidget* parent, QPoint at) {
    auto* label = new QLabel(QStringLiteral("Versiune %1").arg(QStringLiteral(WC_VERSION)), parent);
    label->move(at);
    label->adjustSize();
    return label;
}

int widestWord(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& word : text.split(QLatin1Char(' ')))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

} // namespace

TfMenuCartovia::TfMenuCartovia(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("fMenuCartovia"));
    setFont(QFont(QStringLiteral("Segoe UI"), 9));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(392, 369);

    PanelLogin = raisedPanel(this);
    PanelMenu = raisedPanel(this);

    ButtonLogin = new QPushButton(QStringLiteral("Login"), PanelLogin);
    ButtonLogin->setGeometry(16, 9, 75, 30);
    Label1 = versionLabel(PanelLogin, {104, 17}); // beside Login

    LabelDataBase = boldNavyLabel(PanelMenu);
    LabelDataBase->setText(QStringLiteral("LabelDataBase"));
    LabelDataBase->setWordWrap(true);
    LabelDataBase->move(6, 2);
    LabelUser = boldNavyLabel(PanelMenu);
    LabelUser->setText(QStringLiteral("LabelUser"));
    LabelUser->move(6, 23);
    LabelUser->adjustSize();
    Shape1 = new QFrame(PanelMenu);
    Shape1->setStyleSheet(QStringLiteral("background-color: silver;"));
    Button1 = new QPushButton(QStringLiteral("Import comenzi"), PanelMenu);
    Button1->setGeometry(16, 63, 137, 25);
    Label2 = versionLabel(PanelMenu, {16, 100}); // below the menu's button

    setTabOrder(PanelLogin, PanelMenu);

    connect(ButtonLogin, &QPushButton::clicked, this, [this] { app::guarded([this] { ButtonLoginClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { app::guarded([this] { Button1Click(); }); });

    FormCreate();
    layoutPanels();
}

void TfMenuCartovia::FormCreate() { PanelMenu->setVisible(false); }

void TfMenuCartovia::ButtonLoginClick() {
    if (frmLogin->exec() != QDialog::Accepted)
        return;
    PanelLogin->setVisible(false);
    PanelMenu->setVisible(true);
    layoutPanels();
    LabelDataBase->setText(dmCon->glDataBase);
    // Wraps at blanks to 81 pixels; a single longer word widens it.
    LabelDataBase->setFixedWidth(std::max(81, widestWord(LabelDataBase->fontMetrics(), dmCon->glDataBase)));
    LabelDataBase->adjustSize();
    LabelUser->setText(QStringLiteral("User ") + dmCon->glUser);
    LabelUser->adjustSize();
}

void TfMenuCartovia::Button1Click() {
    fCartoviaImportCmdC->show();
    fCartoviaImportCmdC->raise();
    fCartoviaImportCmdC->activateWindow();
}

void TfMenuCartovia::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanels();
}

void TfMenuCartovia::layoutPanels() {
    const int loginHeight = PanelLogin->isHidden() ? 0 : 49;
    PanelLogin->setGeometry(0, 0, width(), 49);
    PanelMenu->setGeometry(0, loginHeight, width(), height() - loginHeight);
    // The rule keeps its right end at the panel's right edge.
    Shape1->setGeometry(-182, 44, PanelMenu->width() + 182, 2);
}
