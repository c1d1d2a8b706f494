#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

// The main window: a Login button until the operator signs in, then a small menu with
// the company's database, the operator and the order import.
class TfMenuCartovia : public QWidget {
    Q_OBJECT
public:
    explicit TfMenuCartovia(QWidget* parent = nullptr);

    QFrame* PanelLogin;
    QFrame* PanelMenu;
    QPushButton* ButtonLogin;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* LabelDataBase;
    QFrame* Shape1;
    QLabel* LabelUser;
    QPushButton* Button1;

    void ButtonLoginClick();
    void FormCreate();
    void Button1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanels();
};

extern TfMenuCartovia* fMenuCartovia;
